#pragma once

#include <QString>

// The minimum width of a trench's bottom by UNI EN 1610, from the pipe's
// outside diameter D (its nominal size DN taken as D in millimetres) and the
// trench's depth; the larger of the two widths.

struct MinimumWidth
{
    double width = 0;
    // Which rule gives it: the pipe's (D + allowance) or the depth's.
    bool byPipe = true;
    double allowance = 0; // the pipe's rule: D + allowance
    // How the rule reads, "D + 0,70 m" or "per la profondità".
    QString rule() const;
};

// wallSlope: tan alfa of the bottom area; walls at 60° or less from the
// horizontal (tan alfa of at least 0.577) need D + 0.40 m at any size.
MinimumWidth minimumTrenchWidth(double D, double depth, double wallSlope);
