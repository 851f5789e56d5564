#pragma once

#include "trenchsection.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The user's section drawn to scale at the calculation's L, P and D: each
// area's place, the pipe, and what cannot be drawn or does not add up.

struct DrawnArea
{
    int number = 0;
    QString description;
    QString priceCode;
    double bottom = 0;    // height of its foot above the trench bottom
    double height = 0;    // H, or P - n for a height written *n
    double footWidth = 0; // the top width of the area below (L for area 1) plus 2 X
    double topWidth = 0;  // footWidth plus 2 H tan alfa
    bool followsDepth = false; // its height was written *n
    // The coefficient of deduction, when it is a number.
    std::optional<double> coefficient;
    // The share of the pipe's cross-section that lies between its foot and
    // its top, 0 to 1; none when the section does not hold.
    std::optional<double> pipeShare;

    // An area of no height is listed among the problems, not drawn.
    bool hasHeight() const { return height >= kNothing; }
};

struct SectionDrawing
{
    // The areas that can be drawn, from area 1 up to the first that cannot.
    std::vector<DrawnArea> areas;
    int firstNotDrawn = 0; // 0 when every area is drawn
    double top = 0;        // the height of the top of the last area drawn
    // The section holds at P (depthFault): every area drawn, the pipe in
    // the trench. Only then are the pipe's shares and the totals given.
    bool holds = false;
    // The pipe, drawn with the whole section: a circle of diameter D on the
    // section's axis, its lowest point at depth P below the top.
    bool pipeShown = false;
    double pipeCentre = 0; // height of its centre above the trench bottom
    double pipeDiameter = 0;
    // The sum of the coefficients of deduction that are numbers.
    double coefficientSum = 0;
    // For a section not drawn whole, first the areas left out, and for one
    // whose pipe leaves the trench, first why; then what cannot be drawn,
    // one line each, in area order; then, for a section that holds, what
    // the pipe contradicts. Empty: nothing.
    QStringList problems;

    bool whole() const { return firstNotDrawn == 0; }
};

SectionDrawing drawSection(const TrenchSection &section, const ExampleDimensions &dimensions);
SectionDrawing drawSection(const SectionTable &table, const ExampleDimensions &dimensions);

// Where the section holds along the pipeline and where its pipe lies, two
// lines: the depths at which it holds (holdingDepths; without an area whose
// height follows P the quantities do not depend on P, and the pipe lies in
// the trench from P = D to the section's height), then the height of the
// pipe's bottom above the trench bottom.
QStringList depthSummary(const TrenchSection &section, const ExampleDimensions &dimensions);

// The scale of a drawing on paper, 1:N: the smallest N of the usual series
// (1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, ...) that is at least
// `atLeast`, so that a drawing that fits at 1:atLeast fits at 1:N.
int standardScale(double atLeast);
