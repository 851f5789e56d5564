#include "trenchsection.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A number as the application that reads the file takes it: a decimal
// point, an optional sign, blanks around it; empty counts as 0. Digits
// beyond what a double holds make no number.
std::optional<double> number(const QString &value)
{
    if (value.trimmed().isEmpty())
        return 0.0;
    if (value.contains(u','))
        return std::nullopt;
    return typedNumber(value);
}

// A value as a message quotes it: as the file holds it, cut when long.
QString quoted(const QString &value)
{
    constexpr int kQuoted = 40;
    return value.size() > kQuoted ? value.left(kQuoted) + QStringLiteral("…") : value;
}

// One value of an area as a number for the drawing, or why not.
class AreaReader
{
public:
    AreaReader(int area, std::vector<SectionProblem> &problems) : m_area(area), m_problems(problems) {}

    std::optional<double> read(const QString &value, int column, const QString &text)
    {
        const std::optional<double> parsed = number(text);
        if (!parsed) {
            tell(QStringLiteral("Area %1: il valore «%2» di %3 non è un numero."), value, column);
            return std::nullopt;
        }
        if (std::abs(*parsed) > kLargest) {
            tell(QStringLiteral("Area %1: il valore «%2» di %3 è troppo grande per il disegno."), value, column);
            return std::nullopt;
        }
        return parsed;
    }

private:
    void tell(const QString &form, const QString &value, int column)
    {
        // In one go: the value may hold a %.
        m_problems.push_back({m_area, form.arg(QString::number(m_area), quoted(value), columnTitle(column))});
    }

    int m_area;
    std::vector<SectionProblem> &m_problems;
};

} // namespace

TrenchSection::TrenchSection(const SectionTable &table) : m_areaCount(table.areaCount())
{
    bool drawable = true;
    int depthAreas = 0;
    for (int a = 1; a <= m_areaCount; ++a) {
        const auto &values = table.Aree[a];
        AreaReader reader(a, m_problems);
        const QString heightText = values[2].trimmed();
        const bool followsDepth = heightText.startsWith(u'*');
        const QString heightNumber = followsDepth ? heightText.mid(1) : heightText;
        std::optional<double> height;
        if (followsDepth && heightNumber.trimmed().isEmpty())
            m_problems.push_back({a, QStringLiteral("Area %1: il valore «%2» di %3 non è un numero.")
                                         .arg(QString::number(a), quoted(values[2]), columnTitle(1))});
        else
            height = reader.read(values[2], 1, heightNumber);
        const std::optional<double> widening = reader.read(values[3], 2, values[3]);
        const std::optional<double> slope = reader.read(values[4], 3, values[4]);
        const std::optional<double> coefficient = reader.read(values[5], 4, values[5]);
        if (coefficient)
            m_coefficientSum += *coefficient;
        if (followsDepth && ++depthAreas == 2)
            m_problems.push_back(
                {a, QStringLiteral("Più di un'area ha l'altezza dipendente dalla profondità P (con *).")});
        if (!drawable)
            continue;
        // Only the first area with * follows P.
        if (!height || !widening || !slope || (followsDepth && depthAreas > 1)) {
            drawable = false;
            continue;
        }
        if (!followsDepth && *height <= -kNothing) {
            m_problems.push_back({a, QStringLiteral("Area %1: l'altezza è negativa.").arg(a)});
            drawable = false;
            continue;
        }
        if (!followsDepth && *height < kNothing)
            m_problems.push_back({a, QStringLiteral("Area %1: l'altezza è nulla.").arg(a)});
        if (followsDepth)
            m_depthArea = m_areas.size();
        else
            m_fixedHeights += *height;
        m_areas.push_back({a, values[1], values[6], values[5], followsDepth, *height, *widening, *slope, coefficient});
    }
}

const AreaValues *TrenchSection::depthArea() const
{
    return m_depthArea ? &m_areas[*m_depthArea] : nullptr;
}

CrossSection TrenchSection::at(double L, double P) const
{
    CrossSection section;
    at(L, P, section);
    return section;
}

void TrenchSection::at(double L, double P, CrossSection &section) const
{
    section.areas.clear();
    section.areas.reserve(m_areas.size());
    section.top = 0;
    section.stop = CrossSection::Stop::None;
    section.stopArea = 0;
    double below = L; // the width under the next area
    const auto stop = [&section](CrossSection::Stop why, int area) {
        section.stop = why;
        section.stopArea = area;
    };
    for (const AreaValues &values : m_areas) {
        AreaShape area{&values, section.top, values.followsDepth ? P - values.height : values.height, 0, 0};
        if (values.followsDepth && area.height < kNothing)
            return stop(CrossSection::Stop::DepthTooSmall, values.number);
        area.footWidth = below + 2 * values.widening;
        area.topWidth = area.footWidth + 2 * area.height * values.slope;
        if (area.footWidth < kNothing || area.topWidth < kNothing)
            return stop(CrossSection::Stop::WidthNothing, values.number);
        if (area.footWidth > kLargest || area.topWidth > kLargest)
            return stop(CrossSection::Stop::TooWide, values.number);
        if (section.top + area.height > kLargest)
            return stop(CrossSection::Stop::TooHigh, values.number);
        below = area.topWidth;
        section.top += area.height;
        section.areas.push_back(area);
    }
    if (int(m_areas.size()) < m_areaCount)
        stop(CrossSection::Stop::NotAtAnyDepth, int(m_areas.size()) + 1);
}

// Every width of the section is linear in the height t of the area that
// follows P (t = P - n): the widths below it do not change, its top and
// every width above it grow by 2 t tan alfa of that area. So the depths at
// which each width is at least half a millimetre, as at() draws it, make
// one interval. (The limits of what can be drawn lie a kilometre away, and
// are not told here.)
DepthRange TrenchSection::drawableDepths(double L) const
{
    DepthRange range;
    const AreaValues *followed = depthArea();
    if (int(m_areas.size()) < m_areaCount || !followed) {
        range.never = !at(L, 1).whole();
        return range;
    }
    double lowest = kNothing; // its own height
    double highest = std::numeric_limits<double>::infinity();
    // value + grows t at least kNothing.
    const auto atLeastNothing = [&](double value, double grows) {
        if (grows > 0)
            lowest = std::max(lowest, (kNothing - value) / grows);
        else if (grows < 0)
            highest = std::min(highest, (value - kNothing) / -grows);
        else if (value < kNothing)
            highest = -1;
    };
    const double growth = 2 * followed->slope;
    double below = L; // the widths with t = 0
    for (const AreaValues &values : m_areas) {
        const double foot = below + 2 * values.widening;
        const double top = foot + (&values == followed ? 0 : 2 * values.height * values.slope);
        atLeastNothing(foot, &values <= followed ? 0 : growth);
        atLeastNothing(top, &values < followed ? 0 : growth);
        below = top;
    }
    range.never = highest < lowest;
    range.lowest = followed->height + lowest;
    range.highest = followed->height + highest;
    return range;
}

double TrenchSection::bottomWidth(double L) const
{
    return m_areas.empty() ? L : L + 2 * m_areas.front().widening;
}

double widthAt(const CrossSection &section, double L, double y)
{
    for (const AreaShape &area : section.areas) {
        if (y <= area.bottom + area.height || &area == &section.areas.back()) {
            if (area.height < kNothing)
                return area.topWidth;
            const double t = std::clamp((y - area.bottom) / area.height, 0.0, 1.0);
            return area.footWidth + t * (area.topWidth - area.footWidth);
        }
    }
    return L;
}

double pipeArea(double D)
{
    return std::numbers::pi * D * D / 4;
}
