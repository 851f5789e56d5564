#include "sectionquantities.h"

#include <numbers>

SectionQuantities sectionQuantities(const SectionDrawing &drawing)
{
    const double pipeArea = std::numbers::pi * drawing.pipeDiameter * drawing.pipeDiameter / 4;
    SectionQuantities quantities;
    quantities.deduction = 0.0;
    for (const DrawnArea &area : drawing.areas) {
        AreaQuantities row{area, area.height * (area.footWidth + area.topWidth) / 2, {}, {}};
        if (area.coefficient) {
            row.deduction = *area.coefficient * pipeArea;
            row.net = row.volume - *row.deduction;
        }
        quantities.volume += row.volume;
        if (quantities.deduction && row.deduction)
            *quantities.deduction += *row.deduction;
        else
            quantities.deduction.reset();
        quantities.areas.push_back(row);
    }
    if (quantities.deduction)
        quantities.net = quantities.volume - *quantities.deduction;
    return quantities;
}

QList<QStringList> quantityCells(const SectionQuantities &quantities)
{
    const auto volume = [](const std::optional<double> &value) {
        return value ? italianNumber(*value, 3) : QString();
    };
    QList<QStringList> cells{{QStringLiteral("Area"), QStringLiteral("Descrizione"), QStringLiteral("Voce"),
                              QStringLiteral("Base (m)"), QStringLiteral("Sommità (m)"), QStringLiteral("Altezza (m)"),
                              QStringLiteral("Volume (m³/m)"), QStringLiteral("Tubo nell'area"),
                              QStringLiteral("Detrazione (m³/m)"), QStringLiteral("Netto (m³/m)")}};
    for (const AreaQuantities &row : quantities.areas) {
        const DrawnArea &area = row.area;
        cells << QStringList{QString::number(area.number), area.description, area.priceCode,
                             italianNumber(area.footWidth, 3), italianNumber(area.topWidth, 3),
                             italianNumber(area.height, 3), italianNumber(row.volume, 3),
                             italianNumber(area.pipeShare, 2), volume(row.deduction), volume(row.net)};
    }
    cells << QStringList{QStringLiteral("Totale"), {}, {}, {}, {}, {}, italianNumber(quantities.volume, 3), {},
                         volume(quantities.deduction), volume(quantities.net)};
    return cells;
}
