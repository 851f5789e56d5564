#include "sectiondrawing.h"

#include <QLocale>
#include <QRegularExpression>
#include <optional>

namespace {

// A number as the application that reads the file takes it: a decimal
// point, an optional sign, blanks around it; empty counts as 0.
std::optional<double> number(const QString &value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return 0.0;
    static const QRegularExpression form(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QLocale::c().toDouble(text);
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

} // namespace

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
        area.bottom = drawing.top;
        area.followsDepth = h.followsDepth;
        area.height = h.followsDepth ? dimensions.P - *h.value : *h.value;
        if (h.followsDepth && area.height <= 0) {
            drawing.problems << QStringLiteral("Area %1: con P = %2 l'altezza risulta nulla o negativa.")
                                    .arg(a)
                                    .arg(metres(dimensions.P));
            drawingOn = false;
            continue;
        }
        if (area.height < 0) {
            drawing.problems << QStringLiteral("Area %1: l'altezza è negativa.").arg(a);
            drawingOn = false;
            continue;
        }
        area.footWidth = below + 2 * *x;
        area.topWidth = area.footWidth + 2 * area.height * *tan;
        if (area.footWidth <= 0 || area.topWidth <= 0) {
            drawing.problems << QStringLiteral("Area %1: la larghezza risulta nulla o negativa.").arg(a);
            drawingOn = false;
            continue;
        }
        below = area.topWidth;
        drawing.top += area.height;
        drawing.areas.push_back(area);
    }
    drawing.pipeCentre = drawing.top - dimensions.P + dimensions.D / 2;
    return drawing;
}
