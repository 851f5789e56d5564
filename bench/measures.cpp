// In-process timing of the quantities a price list pays, on a 100-area
// section whose area 2 follows P:
//
//   items: 1,000 stretches with five items each, one of every measure
//          (goal: under 20 ms); floor: the same stretches' volumes per
//          area and their totals per price code
//
// The excavation band lies where its foot crosses the bottom and area 1's
// top along most stretches, so that they are split.
//
// usage: bench_measures [iterations]

#include "benchsection.h"
#include "benchtiming.h"
#include "takeoff/measures.h"
#include "takeoff/stretches.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    SectionTable followed = benchSection();
    followed.Aree[2][2] = QStringLiteral("*1.20");
    const ExampleDimensions dimensions;
    // 74,03 m of fixed areas above P - 1,20: the trench is P + 74,03 deep.
    const std::vector<PriceItem> items{
        {QStringLiteral("E.02.001"), QStringLiteral("Scavo"), QStringLiteral("Scavo"), QStringLiteral("75,00"),
         QStringLiteral("76,00"), QString()},
        {QStringLiteral("E.02.002"), QStringLiteral("Armatura"), QStringLiteral("Armatura"), QString(), QString(),
         QString()},
        {QStringLiteral("E.02.003"), QStringLiteral("Pavimentazione"), QStringLiteral("Pavimentazione"), QString(),
         QString(), QStringLiteral("0,10")},
        {QStringLiteral("E.02.004"), QStringLiteral("Taglio"), QStringLiteral("Taglio"), QString(), QString(),
         QString()},
        {QStringLiteral("E.02.005"), QStringLiteral("Tubazione"), QStringLiteral("Tubazione"), QString(), QString(),
         QString()},
    };
    std::vector<Stretch> stretches;
    for (int s = 0; s < 1000; ++s) {
        Stretch stretch;
        stretch.name = QStringLiteral("P%1-P%2").arg(s).arg(s + 1);
        stretch.length = QStringLiteral("35,5");
        stretch.start = QString::number(1.5 + 0.01 * (s % 100), 'f', 2);
        stretch.end = QString::number(1.6 + 0.01 * (s % 90), 'f', 2);
        stretches.push_back(stretch);
    }

    // The stretches as the take-off finds them valid.
    const TrenchSection checked(followed);
    const StretchTakeoff takeoff = stretchTakeoff(checked, dimensions.L, {dimensions.D, dimensions.DN}, stretches);
    std::vector<const StretchQuantities *> counted;
    for (const StretchQuantities &stretch : takeoff.stretches)
        if (stretch.counted)
            counted.push_back(&stretch);

    Series measured, volumes;
    double total = 0; // kept, so that the work is not left out
    for (int i = 0; i < iterations; ++i) {
        volumes.ms.push_back(timed([&] {
            const TrenchSection section(followed);
            (void)stretchTakeoff(section, dimensions.L, {dimensions.D, dimensions.DN}, stretches);
        }));
        measured.ms.push_back(timed([&] {
            const TrenchSection section(followed);
            std::vector<ItemRule> rules;
            for (size_t r = 0; r < items.size(); ++r) {
                const std::variant<ItemRule, QString> rule = itemRule(items[r], int(r) + 1);
                if (const ItemRule *read = std::get_if<ItemRule>(&rule))
                    rules.push_back(*read);
            }
            for (const StretchQuantities *stretch : counted)
                for (const ItemRule &rule : rules)
                    total += measureItem(section, dimensions.L, rule, stretch->length, stretch->start, stretch->end)
                                 .quantity;
        }));
    }

    printHeading("price items, 100 areas");
    printRow("1,000 stretches, 5 items each", measured, volumes, 20);
    std::printf("stretches counted: %zu of %zu; quantities %.1f; iterations: %d\n", counted.size(), stretches.size(),
                total / iterations, iterations);
    return 0;
}
