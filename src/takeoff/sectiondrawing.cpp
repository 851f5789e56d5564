#include "sectiondrawing.h"

#include "numbers.h"
#include "trenchwidth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The share of a circle's area that lies below height y.
double circleShareBelow(double y, double centre, double radius)
{
    const double t = std::clamp((y - centre) / radius, -1.0, 1.0);
    return (std::asin(t) + t * std::sqrt(1 - t * t)) / std::numbers::pi + 0.5;
}

// "vale per P maggiore di 1,07 m", or between two depths, or at none.
QString validFor(const DepthRange &range)
{
    if (range.never)
        return QStringLiteral("non può essere disegnata a nessuna profondità");
    if (std::isfinite(range.below))
        return QStringLiteral("vale per P tra %1 e %2 m").arg(lengthText(range.above), lengthText(range.below));
    return QStringLiteral("vale per P maggiore di %1 m").arg(lengthText(range.above));
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
            .arg(QString::number(area), lengthText(dimensions.P), validFor(section.validDepths(dimensions.L)));
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

// What the pipe contradicts in a section drawn whole: a bottom below the
// trench's, a pipe wider than the trench, each coefficient of deduction
// that differs from the area's share of the pipe, as the table rounds it, by
// more than 0.05, and a trench bottom narrower than UNI EN 1610 asks.
QStringList pipeProblems(const SectionDrawing &drawing, const TrenchSection &section, const CrossSection &drawn,
                         const ExampleDimensions &dimensions)
{
    QStringList problems;
    if (drawing.top - dimensions.P < -kNothing)
        problems << (section.depthArea()
                         ? QStringLiteral("Il fondo del tubo è sotto il fondo dello scavo a ogni profondità: "
                                          "controllare il numero dopo *.")
                         : QStringLiteral("Con P = %1 m il fondo del tubo è sotto il fondo dello scavo.")
                               .arg(lengthText(dimensions.P)));
    const double width = widthAt(drawn, dimensions.L, std::clamp(drawing.pipeCentre, 0.0, drawing.top));
    if (dimensions.D > width + kNothing)
        problems << QStringLiteral("Con D = %1 m il tubo è più largo dello scavo all'altezza del suo centro (%2 m).")
                        .arg(lengthText(dimensions.D), lengthText(width));
    for (const AreaShape &shape : drawn.areas) {
        const AreaValues &values = *shape.values;
        const double share = drawing.areas[&shape - drawn.areas.data()].pipeShare.value_or(0);
        const double shown = std::round(share * 100) / 100;
        if (values.coefficient && std::abs(*values.coefficient - shown) > 0.05 + 1e-9)
            problems << QStringLiteral("Area %1: il coefficiente di detrazione «%2» non corrisponde alla parte di "
                                       "tubo nell'area, %3.")
                            .arg(QString::number(values.number), values.coefficientText, italianNumber(share, 2));
    }
    const AreaShape &bottom = drawn.areas.front();
    const MinimumWidth minimum = minimumTrenchWidth(dimensions.D, drawn.top, bottom.values->slope);
    if (bottom.footWidth < minimum.width - kNothing)
        problems << QStringLiteral("Con D = %1 m e uno scavo profondo %2 m, UNI EN 1610 chiede un fondo largo almeno "
                                   "%3 m (%4): il fondo è largo %5 m.")
                        .arg(lengthText(dimensions.D), lengthText(drawn.top), lengthText(minimum.width), minimum.rule(),
                             lengthText(bottom.footWidth));
    return problems;
}

// A net volume below zero is never shown without a word.
QStringList negativeNets(const CrossSection &drawn, double D)
{
    QStringList problems;
    for (const AreaShape &shape : drawn.areas) {
        if (!shape.values->coefficient)
            continue;
        const double netVolume = shape.volume() - *shape.values->coefficient * pipeArea(D);
        const QString net = italianNumber(netVolume, 3);
        if (writtenBelowZero(netVolume))
            problems << QStringLiteral("Area %1: il volume netto risulta negativo (%2 m³/m): la detrazione del tubo "
                                       "supera il volume dell'area.")
                            .arg(QString::number(shape.values->number), net);
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
    if (!drawn.whole()) {
        drawing.firstNotDrawn = drawn.stopArea;
        const int last = section.areaCount();
        drawing.problems << QStringLiteral("Quantità parziali: le aree da %1 a %2 non sono disegnate.")
                                .arg(drawn.stopArea)
                                .arg(last);
    }
    for (const SectionProblem &problem : problems)
        drawing.problems << problem.text;

    if (drawn.whole() && !drawn.areas.empty()) {
        drawing.pipeShown = true;
        drawing.pipeCentre = drawing.top - dimensions.P + dimensions.D / 2;
        const double radius = dimensions.D / 2;
        for (DrawnArea &area : drawing.areas)
            area.pipeShare = circleShareBelow(area.bottom + area.height, drawing.pipeCentre, radius)
                             - circleShareBelow(area.bottom, drawing.pipeCentre, radius);
        drawing.problems << pipeProblems(drawing, section, drawn, dimensions);
    }
    drawing.problems << negativeNets(drawn, dimensions.D);
    return drawing;
}

QStringList depthSummary(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    if (section.areaCount() == 0)
        return {};
    const DepthRange range = section.validDepths(dimensions.L);
    if (range.never)
        return {QStringLiteral("La sezione non può essere disegnata a nessuna profondità.")};
    // The pipe's bottom above the trench bottom.
    const auto where = [](double above) {
        if (above >= kNothing)
            return QStringLiteral("%1 m sopra il fondo dello scavo").arg(lengthText(above));
        if (above <= -kNothing)
            return QStringLiteral("%1 m sotto il fondo dello scavo").arg(lengthText(-above));
        return QStringLiteral("sul fondo dello scavo");
    };
    if (const AreaValues *followed = section.depthArea())
        return {QStringLiteral("La sezione %1.").arg(validFor(range)),
                QStringLiteral("Il fondo del tubo è %1 a ogni profondità.")
                    .arg(where(section.fixedHeights() - followed->height))};
    return {QStringLiteral("Le quantità non dipendono da P."),
            QStringLiteral("Con P = %1 m il fondo del tubo è %2.")
                .arg(lengthText(dimensions.P), where(section.at(dimensions.L, dimensions.P).top - dimensions.P))};
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
