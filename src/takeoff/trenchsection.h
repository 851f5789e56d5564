#pragma once

#include "section/sectiontable.h"

#include <QString>
#include <limits>
#include <optional>
#include <vector>

// The section's values read once as numbers, and its cross-section worked
// out from them at any depth of the pipe. Lengths are in metres; heights
// are measured up from the trench bottom.

// Half a millimetre: a width or a height under it counts as nothing, so
// that rounding (0.86 - 2 * 0.43) does not pass for a width.
constexpr double kNothing = 0.0005;
// A kilometre: a value or a dimension beyond it is too large to draw.
constexpr double kLargest = 1000;

// The dimensions that the standard section types give and the section file
// does not hold: for the calculation only, never saved.
struct ExampleDimensions
{
    double L = 0.80; // width of the trench bottom
    double P = 1.50; // depth of the pipe's bottom below the top of the section
    double D = 0.40; // outside diameter of the pipe
    std::optional<int> DN = std::nullopt; // its nominal size in mm; none: D in millimetres
};

// One area's values as numbers.
struct AreaValues
{
    int number = 0;
    QString description;
    QString priceCode;
    QString coefficientText; // as the file holds it
    bool followsDepth = false; // its height was written *n
    double height = 0;         // H; for a height written *n, n
    double widening = 0;       // X
    double slope = 0;          // tan alfa
    std::optional<double> coefficient; // empty counts as 0; none when it is no usable number
};

// What is wrong with the section, with the area it concerns.
struct SectionProblem
{
    int area = 0;
    QString text;
};

// One area at a depth: where it lies and how wide it is.
struct AreaShape
{
    const AreaValues *values = nullptr;
    double bottom = 0;    // height of its foot above the trench bottom
    double height = 0;    // H, or P - n for a height written *n
    double footWidth = 0; // the top width of the area below (L for area 1) plus 2 X
    double topWidth = 0;  // footWidth plus 2 H tan alfa

    // m³ per metre of trench.
    double volume() const { return height * (footWidth + topWidth) / 2; }
};

// The section at one depth, from area 1 up to the first area that cannot be
// drawn there.
struct CrossSection
{
    enum class Stop {
        None,          // every area drawn
        NotAtAnyDepth, // an area's values cannot be drawn at any depth
        DepthTooSmall, // the height that follows P comes out nothing or negative
        WidthNothing,  // a width comes out nothing or negative
        TooWide,       // a width beyond kLargest
        TooHigh,       // the section's height beyond kLargest
    };
    std::vector<AreaShape> areas;
    double top = 0; // the top of the last area drawn
    Stop stop = Stop::None;
    int stopArea = 0; // the first area not drawn

    bool whole() const { return stop == Stop::None; }
};

// A range of depths P, both ends included: lowest <= P <= highest.
struct DepthRange
{
    bool never = false; // at no depth
    double lowest = -std::numeric_limits<double>::infinity();
    double highest = std::numeric_limits<double>::infinity();
};

class TrenchSection
{
public:
    explicit TrenchSection(const SectionTable &table);

    int areaCount() const { return m_areaCount; }
    // From area 1 up to the first area that cannot be drawn at any depth.
    const std::vector<AreaValues> &areas() const { return m_areas; }
    // What is wrong whatever the depth, in the order of the areas.
    const std::vector<SectionProblem> &problems() const { return m_problems; }
    // The area whose height follows P, if one of the areas above does.
    const AreaValues *depthArea() const;
    // The sum of the heights of the other areas above.
    double fixedHeights() const { return m_fixedHeights; }
    // The sum of the coefficients of deduction that are numbers.
    double coefficientSum() const { return m_coefficientSum; }

    CrossSection at(double L, double P) const;
    // The same into `section`, whose room is used again.
    void at(double L, double P, CrossSection &section) const;
    // The depths P at which at(L, P) draws the whole section.
    DepthRange drawableDepths(double L) const;
    // The width of the trench's bottom, L widened by area 1's X.
    double bottomWidth(double L) const;

private:
    int m_areaCount = 0;
    std::vector<AreaValues> m_areas;
    std::vector<SectionProblem> m_problems;
    std::optional<size_t> m_depthArea;
    double m_fixedHeights = 0;
    double m_coefficientSum = 0;
};

// The width of the trench at height y above its bottom, within the areas
// drawn (clamped to them); L when none is.
double widthAt(const CrossSection &section, double L, double y);

// The cross-section of the pipe, π D² / 4.
double pipeArea(double D);
