#include "sectiondrawing.h"

#include "depthrule.h"
#include "numbers.h"
#include "pipeshare.h"
#include "sectionquantities.h"
#include "trenchwidth.h"

#include <algorithm>
#include <cmath>

namespace {

// "vale per P maggiore di 1,07 m", or between two depths; or that it holds
// at none, or cannot even be drawn at any.
QString validFor(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    if (section.drawableDepths(dimensions.L).never)
        return QStringLiteral("non può essere disegnata a nessuna profondità");
    const DepthRange range = holdingDepths(section, dimensions.L, dimensions.D);
    return (range.never ? QStringLiteral("non vale ") : QStringLiteral("vale ")) + holdsFor(range);
}

// Why the area after the last one drawn is not drawn at this depth; nothing
// when its own values already said so.
std::optional<QString> stopProblem(const TrenchSection &section, const CrossSection &drawn,
                                   const ExampleDimensions &dimensions)
{
    const int area = drawn.stopArea;
    switch (drawn.stop) {
    case CrossSection::Stop::DepthTooSmall:
        return QStringLiteral("Area %1: con P = %2 m l'altezza risulta nulla o negativa: la sezione %3.")
            .arg(QString::number(area), lengthText(dimensions.P), validFor(section, dimensions));
    case CrossSection::Stop::WidthNothing:
        return QStringLiteral("Area %1: la larghezza risulta nulla o negativa.").arg(area);
    case CrossSection::Stop::TooWide:
        return QStringLiteral("Area %1: la larghezza risulta troppo grande per il disegno.").arg(area);
    case CrossSection::Stop::TooHigh:
        return QStringLiteral("Area %1: la sezione risulta troppo alta per il disegno.").arg(area);
    case CrossSection::Stop::None:
    case CrossSection::Stop::NotAtAnyDepth:
        break;
    }
    return std::nullopt;
}

// Why a section drawn whole does not hold at the example P: its pipe out of
// the trench.
QString pipeOutside(DepthFault fault, const TrenchSection &section, const ExampleDimensions &dimensions)
{
    if (fault == DepthFault::PipeBelow && section.depthArea())
        return QStringLiteral("Il fondo del tubo è sotto il fondo dello scavo a ogni profondità: controllare il numero "
                              "dopo *.");
    const QString text = faultText(fault, dimensions.P, dimensions.D, {});
    return text.at(0).toUpper() + text.mid(1) + QStringLiteral(": la sezione %1.").arg(validFor(section, dimensions));
}

// What the pipe contradicts in a section that holds: a pipe wider than the
// trench, each coefficient of deduction that differs from the area's share
// of the pipe, and a trench bottom narrower than UNI EN 1610 asks.
QStringList pipeProblems(const SectionDrawing &drawing, const TrenchSection &section, const CrossSection &drawn,
                         const ExampleDimensions &dimensions)
{
    QStringList problems;
    const double width = widthAt(drawn, dimensions.L, std::clamp(drawing.pipeCentre, 0.0, drawing.top));
    if (dimensions.D > width + kNothing)
        problems << QStringLiteral("Con D = %1 m il tubo è più largo dello scavo all'altezza del suo centro (%2 m).")
                        .arg(lengthText(dimensions.D), lengthText(width));
    for (const DrawnArea &area : drawing.areas) {
        const AreaValues &values = section.areas()[size_t(&area - drawing.areas.data())];
        if (coefficientDiffers(values, *area.pipeShare))
            problems << QStringLiteral("Area %1: il coefficiente di detrazione «%2» non corrisponde alla parte di "
                                       "tubo nell'area, %3.")
                            .arg(QString::number(values.number), values.coefficientText,
                                 italianNumber(*area.pipeShare, 2));
    }
    if (const BottomCheck bottom = checkBottom(drawn, dimensions.D, dimensions.DN, drawn.top); bottom.narrow)
        problems << narrowBottomText(dimensions.D, dimensions.DN, drawn.top, bottom.minimum, bottom.bottom);
    return problems;
}

// A net volume below zero is never shown without a word.
QStringList negativeNets(const SectionDrawing &drawing)
{
    QStringList problems;
    for (const AreaQuantities &area : sectionQuantities(drawing).areas) {
        if (area.net && writtenBelowZero(*area.net))
            problems << QStringLiteral("Area %1: il volume netto risulta negativo (%2 m³/m): la detrazione del tubo "
                                       "supera il volume dell'area.")
                            .arg(QString::number(area.area.number), italianNumber(*area.net, 3));
    }
    return problems;
}

} // namespace

SectionDrawing drawSection(const SectionTable &table, const ExampleDimensions &dimensions)
{
    return drawSection(TrenchSection(table), dimensions);
}

SectionDrawing drawSection(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    const CrossSection drawn = section.at(dimensions.L, dimensions.P);
    SectionDrawing drawing;
    drawing.top = drawn.top;
    drawing.pipeDiameter = dimensions.D;
    drawing.coefficientSum = section.coefficientSum();
    for (const AreaShape &shape : drawn.areas) {
        const AreaValues &values = *shape.values;
        drawing.areas.push_back({values.number, values.description, values.priceCode, shape.bottom, shape.height,
                                 shape.footWidth, shape.topWidth, values.followsDepth, values.coefficient, {}});
    }

    // The values' own problems and the one that stopped the drawing, in the
    // order of the areas.
    std::vector<SectionProblem> problems = section.problems();
    if (const std::optional<QString> stop = stopProblem(section, drawn, dimensions)) {
        const auto after = std::upper_bound(problems.begin(), problems.end(), drawn.stopArea,
                                            [](int area, const SectionProblem &p) { return area < p.area; });
        problems.insert(after, {drawn.stopArea, *stop});
    }
    const std::optional<DepthFault> fault = depthFault(drawn, dimensions.P, dimensions.D);
    if (!drawn.whole()) {
        drawing.firstNotDrawn = drawn.stopArea;
        const int last = section.areaCount();
        drawing.problems << QStringLiteral("Quantità parziali: le aree da %1 a %2 non sono disegnate.")
                                .arg(drawn.stopArea)
                                .arg(last);
    } else if (fault && !drawn.areas.empty()) {
        drawing.problems << pipeOutside(*fault, section, dimensions);
    }
    for (const SectionProblem &problem : problems)
        drawing.problems << problem.text;

    if (drawn.whole() && !drawn.areas.empty()) {
        drawing.pipeShown = true;
        drawing.pipeCentre = drawing.top - dimensions.P + dimensions.D / 2;
        drawing.holds = !fault;
    }
    if (drawing.holds) {
        const std::vector<double> shares = pipeShares(drawn, dimensions.P, dimensions.D);
        for (size_t a = 0; a < shares.size(); ++a)
            drawing.areas[a].pipeShare = shares[a];
        drawing.problems << pipeProblems(drawing, section, drawn, dimensions);
    }
    drawing.problems << negativeNets(drawing);
    return drawing;
}

QStringList depthSummary(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    if (section.areaCount() == 0)
        return {};
    if (section.drawableDepths(dimensions.L).never)
        return {QStringLiteral("La sezione non può essere disegnata a nessuna profondità.")};
    const DepthRange range = holdingDepths(section, dimensions.L, dimensions.D);
    // The pipe's bottom above the trench bottom.
    const auto where = [](double above) {
        if (above >= kNothing)
            return QStringLiteral("%1 m sopra il fondo dello scavo").arg(lengthText(above));
        if (above <= -kNothing)
            return QStringLiteral("%1 m sotto il fondo dello scavo").arg(lengthText(-above));
        return QStringLiteral("sul fondo dello scavo");
    };
    if (const AreaValues *followed = section.depthArea())
        return {QStringLiteral("La sezione %1.").arg(validFor(section, dimensions)),
                QStringLiteral("Il fondo del tubo è %1 a ogni profondità.")
                    .arg(where(section.fixedHeights() - followed->height))};
    const double height = section.at(dimensions.L, dimensions.P).top;
    const QString holds =
        range.never ? QStringLiteral("Le quantità non dipendono da P, ma il tubo (D = %1 m) non sta nello scavo, alto "
                                     "%2 m, a nessuna profondità.")
                          .arg(lengthText(dimensions.D), lengthText(height))
                    : QStringLiteral("Le quantità non dipendono da P: il tubo sta nello scavo %1.").arg(holdsFor(range));
    return {holds, QStringLiteral("Con P = %1 m il fondo del tubo è %2.")
                       .arg(lengthText(dimensions.P), where(height - dimensions.P))};
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
