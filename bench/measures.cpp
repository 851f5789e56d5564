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
#include "takeoff/measures.h"
#include "takeoff/stretches.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Series
{
    std::vector<double> ms;

    double quantile(double q) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[static_cast<size_t>(q * double(sorted.size() - 1) + 0.5)];
    }
};

template<typename F>
double timed(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

void printRow(const char *figure, const Series &ours, const Series &floor, double goalMs)
{
    const double median = ours.quantile(0.5);
    std::printf("%-30s %9.3f %9.3f %7.2f  < %5.1f %-4s p10-p90 %.3f-%.3f | floor %.3f-%.3f\n", figure, median,
                floor.quantile(0.5), median / std::max(floor.quantile(0.5), 1e-9), goalMs,
                median < goalMs ? "ok" : "MISS", ours.quantile(0.1), ours.quantile(0.9), floor.quantile(0.1),
                floor.quantile(0.9));
}

} // namespace

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

    std::printf("\n%-30s %9s %9s %7s  %-7s %-4s %s\n", "price items, 100 areas", "ms", "floor", "ratio", "goal", "",
                "spread");
    printRow("1,000 stretches, 5 items each", measured, volumes, 20);
    std::printf("stretches counted: %zu of %zu; quantities %.1f; iterations: %d\n", counted.size(), stretches.size(),
                total / iterations, iterations);
    return 0;
}
