#pragma once

#include <QString>
#include <optional>

struct CrossSection;

// The minimum width of a trench's bottom by UNI EN 1610, from the pipe's
// nominal size DN (D in millimetres when it is not given), its outside
// diameter D and the trench's depth; the larger of the two widths.

struct MinimumWidth
{
    double width = 0;
    // Which rule gives it: the pipe's (D + allowance) or the depth's.
    bool byPipe = true;
    double allowance = 0; // the pipe's rule: D + allowance
    // How the rule reads, "D + 0,70 m" or "per la profondità".
    QString rule() const;
};

// Area 1's bottom against that minimum, for a trench `depth` deep.
struct BottomCheck
{
    double bottom = 0; // L + 2 X1
    MinimumWidth minimum;
    bool narrow = false; // narrower than the minimum, by more than half a millimetre
};
// drawn: the section drawn, with area 1.
BottomCheck checkBottom(const CrossSection &drawn, double D, std::optional<int> DN, double depth);

// wallSlope: tan alfa of the bottom area; walls at 60° or less from the
// horizontal (tan alfa of at least 0.577) need D + 0.40 m at any size.
MinimumWidth minimumTrenchWidth(double D, std::optional<int> DN, double depth, double wallSlope);

// A pipe as the messages and the report name it: "D = 0,40 m", or "DN 350,
// D = 0,378 m" when DN is given.
QString pipeText(double D, std::optional<int> DN);

// What a bottom narrower than the minimum is told: "Con D = 0,40 m e uno
// scavo profondo 1,70 m, UNI EN 1610 chiede un fondo largo almeno 1,10 m (D
// + 0,70 m): il fondo è largo 1,00 m.", with "Con DN 350, D = 0,378 m ..."
// when DN is given; `at` follows the depth (" (a P = 1,80 m)").
QString narrowBottomText(double D, std::optional<int> DN, double depth, const MinimumWidth &minimum,
                         double bottomWidth, const QString &at = {});
