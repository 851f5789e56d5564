#include "stretches.h"

#include "numbers.h"
#include "section/sectionclipboard.h"

#include <algorithm>

bool StretchOrigin::isEmpty() const
{
    return from.isEmpty() && to.isEmpty() && groundStart.isEmpty() && invertStart.isEmpty() && groundEnd.isEmpty()
           && invertEnd.isEmpty();
}

bool Stretch::isEmpty() const
{
    for (const QString *value : {&name, &length, &start, &end, &diameter, &nominal, &section})
        if (!value->trimmed().isEmpty())
            return false;
    return true;
}

std::optional<double> StretchTakeoff::net(const StretchQuantities &stretch, size_t area) const
{
    if (!deductions[area])
        return std::nullopt;
    return stretch.length * (stretch.meanGross[area] - *deductions[area]);
}

namespace {

const QString kLengthTitle = QStringLiteral("Lunghezza (m)");
const QString kStartTitle = QStringLiteral("P inizio (m)");
const QString kEndTitle = QStringLiteral("P fine (m)");
// A hundred kilometres: a stretch longer than that is a slip.
constexpr double kLongest = 100 * kLargest;

// Reads a stretch's numbers and checks the section along it; the problem
// that leaves it out of the totals, or nothing.
std::optional<QString> measure(StretchQuantities &out, const Stretch &stretch, const TrenchSection &section,
                               const StretchTakeoff &takeoff, double L)
{
    const auto who = [&out] { return QStringLiteral("Tratto %1: ").arg(out.name); };
    const std::pair<const QString *, const QString *> values[] = {
        {&stretch.length, &kLengthTitle}, {&stretch.start, &kStartTitle}, {&stretch.end, &kEndTitle}};
    double *const into[] = {&out.length, &out.start, &out.end};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> number = typedNumber(*values[i].first);
        if (!number)
            return who() + QStringLiteral("il valore «%1» di %2 non è un numero.").arg(*values[i].first, *values[i].second);
        *into[i] = *number;
    }
    if (out.length <= 0)
        return who() + QStringLiteral("la lunghezza deve essere maggiore di zero.");
    if (out.length > kLongest)
        return who() + QStringLiteral("la lunghezza «%1» è troppo grande.").arg(stretch.length.trimmed().left(40));

    // The section holds over a whole interval of depths: at both ends, all along.
    const double middle = (out.start + out.end) / 2;
    CrossSection drawn[3];
    const double depths[] = {out.start, middle, out.end};
    for (int i = 0; i < 3; ++i) {
        drawn[i] = section.at(L, depths[i]);
        if (depths[i] <= 0 || !drawn[i].whole())
            return who() + QStringLiteral("con P = %1 m la sezione non vale.").arg(lengthText(depths[i]));
    }
    out.net = 0.0;
    out.meanGross.reserve(drawn[0].areas.size());
    for (size_t a = 0; a < drawn[0].areas.size(); ++a) {
        out.meanGross.push_back(
            (drawn[0].areas[a].volume() + 4 * drawn[1].areas[a].volume() + drawn[2].areas[a].volume()) / 6);
        const std::optional<double> net = takeoff.net(out, a);
        out.net = out.net && net ? std::optional(*out.net + *net) : std::nullopt;
    }
    out.counted = true;
    return std::nullopt;
}

} // namespace

PastedStretches pastedStretches(const QList<QStringList> &rows, int column)
{
    // The length and the depths, where the block lands on them.
    QList<qsizetype> numbers;
    for (int typed = std::max(1, column); typed <= 3; ++typed)
        numbers << typed - column;
    if (isHeaderRow(rows, numbers))
        return {rows.mid(1), true};
    return {rows, false};
}

QString codeShown(const QString &code)
{
    return code.isEmpty() ? QStringLiteral("(senza voce)") : code;
}

StretchTakeoff stretchTakeoff(const TrenchSection &section, double L, double D, const std::vector<Stretch> &stretches)
{
    StretchTakeoff takeoff;
    const double pipe = pipeArea(D);
    for (const AreaValues &area : section.areas()) {
        takeoff.areas.push_back(area);
        takeoff.deductions.push_back(area.coefficient ? std::optional(*area.coefficient * pipe) : std::nullopt);
    }
    takeoff.stretches.reserve(stretches.size());
    for (size_t s = 0; s < stretches.size(); ++s) {
        const Stretch &stretch = stretches[s];
        StretchQuantities quantities;
        quantities.given = stretch;
        if (stretch.isEmpty()) {
            takeoff.stretches.push_back(quantities); // nothing to count, nothing to tell
            continue;
        }
        quantities.name = stretch.name.trimmed().isEmpty() ? QString::number(s + 1) : stretch.name.trimmed();
        if (const std::optional<QString> problem = measure(quantities, stretch, section, takeoff, L))
            takeoff.problems << *problem;
        // A net volume below zero is never shown without a word.
        for (size_t a = 0; quantities.counted && a < quantities.meanGross.size(); ++a) {
            const std::optional<double> net = takeoff.net(quantities, a);
            if (net && writtenBelowZero(*net))
                takeoff.problems << QStringLiteral("Tratto %1: il volume netto dell'area %2 risulta negativo (%3 m³): la "
                                                   "detrazione del tubo supera il volume dell'area.")
                                        .arg(quantities.name, QString::number(takeoff.areas[a].number),
                                             italianNumber(*net, 3));
        }
        takeoff.stretches.push_back(std::move(quantities));
    }

    // One total per price code, in the order of the areas.
    const std::vector<AreaValues> &areas = section.areas();
    for (size_t a = 0; a < areas.size(); ++a) {
        const QString code = areas[a].priceCode.trimmed();
        auto total = std::find_if(takeoff.totals.begin(), takeoff.totals.end(),
                                  [&code](const CodeTotal &t) { return t.code == code; });
        if (total == takeoff.totals.end())
            total = takeoff.totals.insert(takeoff.totals.end(), {code, areas[a].description, {}, 0.0});
        total->areas.push_back(a);
        for (const StretchQuantities &stretch : takeoff.stretches) {
            if (!stretch.counted)
                continue;
            const std::optional<double> net = takeoff.net(stretch, a);
            total->quantity = total->quantity && net ? std::optional(*total->quantity + *net) : std::nullopt;
        }
    }
    return takeoff;
}

QList<QStringList> stretchCells(const TrenchSection &section, const StretchTakeoff &takeoff, const NumberStyle &style)
{
    QStringList header{QStringLiteral("Tratto"), kLengthTitle, kStartTitle, kEndTitle};
    for (const AreaValues &area : section.areas())
        header << (area.priceCode.trimmed().isEmpty()
                       ? QStringLiteral("Area %1 (m³)").arg(area.number)
                       : QStringLiteral("Area %1 (%2) (m³)").arg(QString::number(area.number), area.priceCode.trimmed()));
    header << QStringLiteral("Netto (m³)");
    QList<QStringList> cells{header};
    for (const StretchQuantities &stretch : takeoff.stretches) {
        if (stretch.given.isEmpty())
            continue;
        QStringList row{stretch.name};
        if (!stretch.counted) {
            cells << (row << stretch.given.length << stretch.given.start << stretch.given.end);
            continue;
        }
        row << style(stretch.length, 2) << style(stretch.start, 2) << style(stretch.end, 2);
        for (size_t area = 0; area < stretch.meanGross.size(); ++area) {
            const std::optional<double> net = takeoff.net(stretch, area);
            row << (net ? style(*net, 3) : QString());
        }
        row << (stretch.net ? style(*stretch.net, 3) : QString());
        cells << row;
    }
    return cells;
}

QList<QStringList> codeTotalCells(const StretchTakeoff &takeoff, const NumberStyle &style)
{
    QList<QStringList> cells{{QStringLiteral("Voce"), QStringLiteral("Descrizione"), QStringLiteral("Quantità (m³)")}};
    for (const CodeTotal &total : takeoff.totals)
        cells << QStringList{codeShown(total.code), total.description,
                             total.quantity ? style(*total.quantity, 3) : QString()};
    return cells;
}
