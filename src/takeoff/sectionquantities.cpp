#include "sectionquantities.h"

#include "numbers.h"

SectionQuantities sectionQuantities(const SectionDrawing &drawing)
{
    const double pipe = pipeArea(drawing.pipeDiameter);
    SectionQuantities quantities;
    quantities.whole = drawing.holds;
    quantities.deduction = 0.0;
    quantities.net = 0.0;
    for (const DrawnArea &area : drawing.areas) {
        AreaQuantities row{area, area.height * (area.footWidth + area.topWidth) / 2, {}, {}};
        if (area.coefficient)
            row.deduction = *area.coefficient * pipe;
        row.net = netVolume(row.volume, area.coefficient, pipe);
        quantities.volume += row.volume;
        addKnown(quantities.deduction, row.deduction);
        addKnown(quantities.net, row.net);
        quantities.areas.push_back(row);
    }
    return quantities;
}

NumberStyle NumberStyle::shown()
{
    return {QLocale(QLocale::Italian, QLocale::Italy), 0};
}

NumberStyle NumberStyle::copied()
{
    return {QLocale(), 6};
}

QString NumberStyle::operator()(double value, int ownDecimals) const
{
    return spreadsheetNumber(value, decimals > 0 ? decimals : ownDecimals, locale);
}

QString NumberStyle::length(double value) const
{
    return decimals > 0 ? (*this)(value, decimals) : lengthText(value);
}

QList<QStringList> quantityCells(const SectionQuantities &quantities, const NumberStyle &style)
{
    const auto volume = [&style](const std::optional<double> &value) {
        return value ? style(*value, 3) : QString();
    };
    QList<QStringList> cells{{QStringLiteral("Area"), QStringLiteral("Descrizione"), QStringLiteral("Voce"),
                              QStringLiteral("Base (m)"), QStringLiteral("Sommità (m)"), QStringLiteral("Altezza (m)"),
                              QStringLiteral("Volume (m³/m)"), QStringLiteral("Tubo nell'area"),
                              QStringLiteral("Detrazione (m³/m)"), QStringLiteral("Netto (m³/m)")}};
    for (const AreaQuantities &row : quantities.areas) {
        const DrawnArea &area = row.area;
        cells << QStringList{QString::number(area.number), area.description, area.priceCode,
                             style(area.footWidth, 3), style(area.topWidth, 3), style(area.height, 3),
                             style(row.volume, 3), area.pipeShare ? style(*area.pipeShare, 2) : QString(),
                             volume(row.deduction), volume(row.net)};
    }
    if (quantities.whole)
        cells << QStringList{QStringLiteral("Totale"), {}, {}, {}, {}, {}, style(quantities.volume, 3), {},
                             volume(quantities.deduction), volume(quantities.net)};
    return cells;
}
