#include "sectiondrawing.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

// A number as the application that reads the file takes it: a decimal
// point, an optional sign, blanks around it; empty counts as 0. Digits
// beyond what a double holds make no number.
std::optional<double> number(const QString &value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return 0.0;
    static const QRegularExpression form(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double parsed = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(parsed))
        return std::nullopt;
    return parsed;
}

// A height: a number, or * and a number (the sum of the fixed heights above P).
struct Height
{
    std::optional<double> value;
    bool followsDepth = false;
};

Height height(const QString &value)
{
    const QString text = value.trimmed();
    if (text.startsWith(u'*')) {
        const QString rest = text.mid(1);
        return {rest.trimmed().isEmpty() ? std::nullopt : number(rest), true};
    }
    return {number(text), false};
}

QString notANumber(int area, const QString &value, int column)
{
    return QStringLiteral("Area %1: il valore «%2» di %3 non è un numero.").arg(area).arg(value, columnTitle(column));
}

// The share of a circle's area that lies below height y.
double circleShareBelow(double y, double centre, double radius)
{
    const double t = std::clamp((y - centre) / radius, -1.0, 1.0);
    return (std::asin(t) + t * std::sqrt(1 - t * t)) / std::numbers::pi + 0.5;
}

// What the drawing says of the pipe, once the whole section is drawn: a
// bottom below the trench's, and each coefficient of deduction that differs
// from the area's share of the pipe, as the table rounds it, by more than 0.05.
QStringList pipeProblems(const SectionDrawing &drawing, const SectionTable &table, const ExampleDimensions &dimensions)
{
    QStringList problems;
    if (drawing.top - dimensions.P < -kNothing)
        problems << QStringLiteral("Con P = %1 il fondo del tubo è sotto il fondo dello scavo.").arg(metres(dimensions.P));
    for (const DrawnArea &area : drawing.areas) {
        const double shown = std::round(area.pipeShare * 100) / 100;
        if (area.coefficient && std::abs(*area.coefficient - shown) > 0.05 + 1e-9)
            problems << QStringLiteral("Area %1: il coefficiente di detrazione è %2, ma nel disegno l'area contiene "
                                       "%3 del tubo.")
                            .arg(area.number)
                            .arg(table.Aree[area.number][5].trimmed(), italianNumber(area.pipeShare, 2));
    }
    return problems;
}

} // namespace

QString italianNumber(double value, int decimals)
{
    const double unit = std::pow(10.0, decimals);
    if (std::round(value * unit) == 0)
        value = 0; // no "-0,000"
    static const QLocale italian = [] {
        QLocale locale(QLocale::Italian, QLocale::Italy);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale;
    }();
    return italian.toString(value, 'f', decimals);
}

QString metres(double value)
{
    return QLocale::c().toString(value, 'g', 12);
}

SectionDrawing drawSection(const SectionTable &table, const ExampleDimensions &dimensions)
{
    SectionDrawing drawing;
    drawing.pipeDiameter = dimensions.D;
    double below = dimensions.L; // the width under the next area
    bool drawingOn = true;
    int depthAreas = 0;
    for (int a = 1; a <= table.areaCount(); ++a) {
        const auto &values = table.Aree[a];
        const Height h = height(values[2]);
        const std::optional<double> x = number(values[3]);
        const std::optional<double> tan = number(values[4]);
        const std::optional<double> coefficient = number(values[5]);
        if (!h.value)
            drawing.problems << notANumber(a, values[2], 1);
        if (!x)
            drawing.problems << notANumber(a, values[3], 2);
        if (!tan)
            drawing.problems << notANumber(a, values[4], 3);
        if (!coefficient)
            drawing.problems << notANumber(a, values[5], 4);
        else
            drawing.coefficientSum += *coefficient;

        bool drawable = h.value && x && tan;
        if (h.followsDepth && ++depthAreas == 2)
            drawing.problems << QStringLiteral("Più di un'area ha l'altezza dipendente dalla profondità P (con *).");
        if (!drawingOn)
            continue;
        if (h.followsDepth && depthAreas > 1)
            drawable = false; // only the first such area follows P
        if (!drawable) {
            drawingOn = false;
            continue;
        }

        DrawnArea area;
        area.number = a;
        area.description = values[1];
        area.priceCode = values[6];
        area.coefficient = coefficient;
        area.bottom = drawing.top;
        area.followsDepth = h.followsDepth;
        area.height = h.followsDepth ? dimensions.P - *h.value : *h.value;
        if (h.followsDepth && area.height < kNothing) {
            drawing.problems << QStringLiteral("Area %1: con P = %2 l'altezza risulta nulla o negativa.")
                                    .arg(a)
                                    .arg(metres(dimensions.P));
            drawingOn = false;
            continue;
        }
        if (area.height <= -kNothing) {
            drawing.problems << QStringLiteral("Area %1: l'altezza è negativa.").arg(a);
            drawingOn = false;
            continue;
        }
        if (!area.hasHeight())
            drawing.problems << QStringLiteral("Area %1: l'altezza è nulla.").arg(a);
        area.footWidth = below + 2 * *x;
        area.topWidth = area.footWidth + 2 * area.height * *tan;
        if (area.footWidth < kNothing || area.topWidth < kNothing) {
            drawing.problems << QStringLiteral("Area %1: la larghezza risulta nulla o negativa.").arg(a);
            drawingOn = false;
            continue;
        }
        below = area.topWidth;
        drawing.top += area.height;
        drawing.areas.push_back(area);
    }
    drawing.pipeCentre = drawing.top - dimensions.P + dimensions.D / 2;
    const double radius = dimensions.D / 2;
    for (DrawnArea &area : drawing.areas)
        if (radius > 0)
            area.pipeShare = circleShareBelow(area.bottom + area.height, drawing.pipeCentre, radius)
                         - circleShareBelow(area.bottom, drawing.pipeCentre, radius);
    if (drawingOn && !drawing.areas.empty())
        drawing.problems << pipeProblems(drawing, table, dimensions);
    return drawing;
}

int standardScale(double atLeast)
{
    for (int decade = 1; decade <= 100'000; decade *= 10) {
        for (const int tenths : {10, 20, 25, 50}) {
            if (decade == 1 && tenths == 25)
                continue; // 1:2.5 is no scale
            const int scale = decade * tenths / 10;
            if (scale >= atLeast - 1e-9)
                return scale;
        }
    }
    return 1'000'000;
}
