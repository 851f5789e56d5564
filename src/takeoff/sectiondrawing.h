#pragma once

#include "section/sectiontable.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The user's section drawn to scale: what each area's values give with
// example dimensions of the standard section, and what cannot be drawn.
// Lengths are in metres; heights are measured up from the trench bottom.

// Half a millimetre: a width or a height under it counts as nothing, so
// that rounding (0.86 - 2 * 0.43) does not pass for a width.
constexpr double kNothing = 0.0005;

// The dimensions that the standard section types give and the section file
// does not hold: examples only, never saved.
struct ExampleDimensions
{
    double L = 0.80; // width of the trench bottom
    double P = 1.50; // depth of the pipe's bottom below the top of the section
    double D = 0.40; // diameter of the pipe
};

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
    // its top, 0 to 1.
    double pipeShare = 0;

    // An area of no height is listed among the problems, not drawn.
    bool hasHeight() const { return height >= kNothing; }
};

struct SectionDrawing
{
    // The areas that can be drawn, from area 1 up to the first that cannot.
    std::vector<DrawnArea> areas;
    double top = 0; // the height of the top of the last area drawn
    // The pipe: a circle of diameter D on the section's axis, its lowest
    // point at depth P below the top.
    double pipeCentre = 0; // height of its centre above the trench bottom
    double pipeDiameter = 0;
    // The sum of the coefficients of deduction that are numbers.
    double coefficientSum = 0;
    // What cannot be drawn, one line each, in area order; then, for a
    // section drawn whole, a pipe below the trench bottom and the
    // coefficients that the drawing contradicts. Empty: nothing.
    QStringList problems;
};

SectionDrawing drawSection(const SectionTable &table, const ExampleDimensions &dimensions);

// A length as the drawing writes it: with a point, without trailing zeros.
QString metres(double value);

// A number as an Italian reads it: a decimal comma, `decimals` places, no
// thousands separator, and no minus before a value that rounds to 0.
QString italianNumber(double value, int decimals);

// The scale of a drawing on paper, 1:N: the smallest N of the usual series
// (1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, ...) that is at least
// `atLeast`, so that a drawing that fits at 1:atLeast fits at 1:N.
int standardScale(double atLeast);
