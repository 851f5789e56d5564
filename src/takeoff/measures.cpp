#include "measures.h"

#include "numbers.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

const std::array<std::pair<Measure, QString>, 5> kMeasures{{
    {Measure::Scavo, QStringLiteral("Scavo")},
    {Measure::Armatura, QStringLiteral("Armatura")},
    {Measure::Pavimentazione, QStringLiteral("Pavimentazione")},
    {Measure::Taglio, QStringLiteral("Taglio")},
    {Measure::Tubazione, QStringLiteral("Tubazione")},
}};

const QString kFromTitle = QStringLiteral("Profondità da (m)");
const QString kToTitle = QStringLiteral("Profondità a (m)");
const QString kMarginTitle = QStringLiteral("Margine (m)");

// A value as a message quotes it: trimmed, cut when long.
QString quoted(const QString &value)
{
    constexpr int kQuoted = 40;
    const QString trimmed = value.trimmed();
    return trimmed.size() > kQuoted ? trimmed.left(kQuoted) + QStringLiteral("…") : trimmed;
}

QString words(const ItemRule &rule)
{
    switch (rule.measure) {
    case Measure::Scavo:
        if (rule.from > 0 && rule.to)
            return QStringLiteral("scavo da %1 a %2 m").arg(lengthText(rule.from), lengthText(*rule.to));
        if (rule.to)
            return QStringLiteral("scavo fino a %1 m").arg(lengthText(*rule.to));
        if (rule.from > 0)
            return QStringLiteral("scavo oltre %1 m").arg(lengthText(rule.from));
        return QStringLiteral("scavo");
    case Measure::Armatura:
        return QStringLiteral("pareti armate oltre %1 m").arg(lengthText(rule.from));
    case Measure::Pavimentazione:
        return QStringLiteral("pavimentazione");
    case Measure::Taglio:
        return QStringLiteral("taglio");
    case Measure::Tubazione:
        return QStringLiteral("tubazione");
    }
    return QString();
}

// The band from `from` to `to` below the top (to the bottom when none), in
// heights above the trench bottom.
struct Band
{
    double low = 0;
    double high = 0;
};

Band bandAt(const CrossSection &section, double from, std::optional<double> to)
{
    return {std::max(0.0, to ? section.top - *to : 0.0), section.top - from};
}

// The cross-section of the trench within the band, in m².
double bandArea(const CrossSection &section, const Band &band)
{
    double area = 0;
    for (const AreaShape &shape : section.areas) {
        if (shape.bottom >= band.high)
            break;
        const double low = std::max(band.low, shape.bottom);
        const double high = std::min(band.high, shape.bottom + shape.height);
        if (high <= low)
            continue;
        // The width is linear in the height: its value halfway, times the height.
        const double grows = (shape.topWidth - shape.footWidth) / shape.height;
        area += (high - low) * (shape.footWidth + grows * ((low + high) / 2 - shape.bottom));
    }
    return area;
}

// Where, as a fraction of the stretch, the height `depth` below the top
// crosses the trench bottom or an area's top. Every height is linear in P,
// so in the fraction: each crossing is where a line changes sign.
void addCrossings(std::vector<double> &cuts, const CrossSection &first, const CrossSection &last, double depth)
{
    const double limitFirst = first.top - depth;
    const double limitLast = last.top - depth;
    const auto cross = [&](double boundaryFirst, double boundaryLast) {
        const double before = limitFirst - boundaryFirst;
        const double after = limitLast - boundaryLast;
        if ((before < 0 && after > 0) || (before > 0 && after < 0))
            cuts.push_back(before / (before - after));
    };
    cross(0, 0);
    const size_t areas = std::min(first.areas.size(), last.areas.size());
    for (size_t a = 0; a < areas; ++a)
        cross(first.areas[a].bottom + first.areas[a].height, last.areas[a].bottom + last.areas[a].height);
}

// The mean cross-section in the band along the stretch, in m².
double meanBandArea(const TrenchSection &section, double L, const ItemRule &rule, double start, double end)
{
    const auto at = [&](double s) { return section.at(L, start + s * (end - start)); };
    const auto area = [&rule](const CrossSection &shape) { return bandArea(shape, bandAt(shape, rule.from, rule.to)); };
    const CrossSection first = at(0);
    const CrossSection last = at(1);
    std::vector<double> cuts{0, 1};
    addCrossings(cuts, first, last, rule.from);
    if (rule.to)
        addCrossings(cuts, first, last, *rule.to);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    double mean = 0;
    double before = area(first);
    for (size_t i = 1; i < cuts.size(); ++i) {
        const double after = i + 1 == cuts.size() ? area(last) : area(at(cuts[i]));
        const double middle = area(at((cuts[i - 1] + cuts[i]) / 2));
        mean += (cuts[i] - cuts[i - 1]) * (before + 4 * middle + after) / 6;
        before = after;
    }
    return mean;
}

double topWidth(const CrossSection &section, double L)
{
    return section.areas.empty() ? L : section.areas.back().topWidth;
}

} // namespace

QString measureName(Measure measure)
{
    for (const auto &[each, name] : kMeasures)
        if (each == measure)
            return name;
    return QString();
}

QString unitOf(Measure measure)
{
    switch (measure) {
    case Measure::Scavo:
        return QStringLiteral("m³");
    case Measure::Armatura:
    case Measure::Pavimentazione:
        return QStringLiteral("m²");
    case Measure::Taglio:
    case Measure::Tubazione:
        return QStringLiteral("m");
    }
    return QString();
}

std::variant<ItemRule, QString> itemRule(const PriceItem &item, int row)
{
    const QString code = item.code.trimmed();
    const QString who = code.isEmpty() ? QStringLiteral("Voce %1: ").arg(row)
                                       : QStringLiteral("Voce %1 (%2): ").arg(QString::number(row), code);
    const QString typed = item.measure.trimmed();
    const auto known = std::find_if(kMeasures.begin(), kMeasures.end(), [&typed](const auto &measure) {
        return typed.compare(measure.second, Qt::CaseInsensitive) == 0;
    });
    if (known == kMeasures.end())
        return who + QStringLiteral("«Misura» deve essere Scavo, Armatura, Pavimentazione, Taglio o Tubazione.");

    ItemRule rule;
    rule.measure = known->first;
    const bool band = rule.measure == Measure::Scavo;
    struct Value
    {
        const QString &text;
        const QString &title;
        bool used;
        std::optional<double> number = std::nullopt;
    };
    Value values[] = {{item.from, kFromTitle, band || rule.measure == Measure::Armatura},
                      {item.to, kToTitle, band},
                      {item.margin, kMarginTitle, rule.measure == Measure::Pavimentazione}};
    for (Value &value : values) {
        if (value.text.trimmed().isEmpty())
            continue;
        if (!value.used)
            return who + QStringLiteral("per %1 il campo «%2» va lasciato vuoto.").arg(known->second, value.title);
        value.number = typedNumber(value.text);
        if (!value.number)
            return who + QStringLiteral("il valore «%1» di «%2» non è un numero.").arg(quoted(value.text), value.title);
        if (*value.number < 0)
            return who + QStringLiteral("il valore di «%1» non può essere negativo.").arg(value.title);
        if (*value.number > kLargest)
            return who + QStringLiteral("il valore «%1» di «%2» è troppo grande.").arg(quoted(value.text), value.title);
    }
    rule.from = values[0].number.value_or(rule.measure == Measure::Armatura ? kShoredBeyond : 0.0);
    rule.to = values[1].number;
    rule.margin = values[2].number.value_or(0.0);
    if (rule.to && rule.from >= *rule.to)
        return who + QStringLiteral("«%1» deve essere minore di «%2».").arg(kFromTitle, kToTitle);
    return rule;
}

ItemQuantity measureItem(const TrenchSection &section, double L, const ItemRule &rule, double length, double start,
                         double end)
{
    ItemQuantity measured;
    measured.length = length;
    measured.words = words(rule);
    switch (rule.measure) {
    case Measure::Scavo:
        measured.factor = meanBandArea(section, L, rule, start, end);
        measured.quantity = length * *measured.factor;
        break;
    case Measure::Armatura: {
        // The trench's depth is linear along the stretch: the walls are
        // shored on the part where it is beyond `from`, one end of it.
        measured.times = 2;
        const double first = section.at(L, start).top;
        const double last = section.at(L, end).top;
        double from = 0; // the part shored, as fractions of the stretch
        double to = 1;
        if (first <= rule.from && last <= rule.from)
            to = 0;
        else if (first <= rule.from)
            from = (rule.from - first) / (last - first);
        else if (last <= rule.from)
            to = (rule.from - first) / (last - first);
        measured.length = length * (to - from);
        const double height = to > from ? first + (last - first) * (from + to) / 2 : 0.0;
        measured.factor = height;
        measured.quantity = 2 * measured.length * height;
        break;
    }
    case Measure::Pavimentazione:
        // Every width is linear in P: the mean of the two ends.
        measured.factor = (topWidth(section.at(L, start), L) + topWidth(section.at(L, end), L)) / 2 + 2 * rule.margin;
        measured.quantity = length * *measured.factor;
        break;
    case Measure::Taglio:
        measured.times = 2;
        measured.quantity = 2 * length;
        break;
    case Measure::Tubazione:
        measured.quantity = length;
        break;
    }
    return measured;
}
