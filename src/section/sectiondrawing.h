#pragma once

#include "sectiontable.h"

#include <QString>
#include <QStringList>
#include <vector>

// The user's section drawn to scale: what each area's values give with
// example dimensions of the standard section, and what cannot be drawn.
// Lengths are in metres; heights are measured up from the trench bottom.

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
    double bottom = 0;    // height of its foot above the trench bottom
    double height = 0;    // H, or P - n for a height written *n
    double footWidth = 0; // the top width of the area below (L for area 1) plus 2 X
    double topWidth = 0;  // footWidth plus 2 H tan alfa
    bool followsDepth = false; // its height was written *n
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
    // What cannot be drawn, one line each, in area order; empty: nothing.
    QStringList problems;
};

SectionDrawing drawSection(const SectionTable &table, const ExampleDimensions &dimensions);

// A length as the drawing writes it: with a point, without trailing zeros.
QString metres(double value);
