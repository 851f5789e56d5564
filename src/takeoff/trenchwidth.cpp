#include "trenchwidth.h"

#include "numbers.h"
#include "trenchsection.h"

#include <QStringBuilder>

namespace {

constexpr double kTolerance = 1e-9; // D and the depth on the limits count as within them

// Table 1: the pipe, by its nominal size, up to and including each limit.
double pipeAllowance(double dn, double wallSlope)
{
    // tan 30° = 0.577: walls at 60° from the horizontal lean 30° from the
    // upright, and tan alfa measures the lean.
    if (wallSlope >= 0.577 - kTolerance)
        return 0.40;
    if (dn <= 225 + kTolerance)
        return 0.40;
    if (dn <= 350 + kTolerance)
        return 0.50;
    if (dn <= 700 + kTolerance)
        return 0.70;
    if (dn <= 1200 + kTolerance)
        return 0.85;
    return 1.00;
}

// Table 2: the trench, by its depth.
double depthWidth(double depth)
{
    if (depth < 1.00 - kTolerance)
        return 0;
    if (depth <= 1.75 + kTolerance)
        return 0.80;
    if (depth <= 4.00 + kTolerance)
        return 0.90;
    return 1.00;
}

} // namespace

MinimumWidth minimumTrenchWidth(double D, std::optional<int> DN, double depth, double wallSlope)
{
    const double allowance = pipeAllowance(DN ? double(*DN) : D * 1000, wallSlope);
    const double byDepth = depthWidth(depth);
    if (byDepth > D + allowance + kTolerance)
        return {byDepth, false, allowance};
    return {D + allowance, true, allowance};
}

BottomCheck checkBottom(const CrossSection &drawn, double D, std::optional<int> DN, double depth)
{
    const AreaShape &first = drawn.areas.front();
    BottomCheck check{first.footWidth, minimumTrenchWidth(D, DN, depth, first.values->slope), false};
    check.narrow = check.bottom < check.minimum.width - kNothing;
    return check;
}

QString MinimumWidth::rule() const
{
    return byPipe ? QStringLiteral("D + %1 m").arg(italianNumber(allowance, 2)) : QStringLiteral("per la profondità");
}

QString pipeText(double D, std::optional<int> DN)
{
    return (DN ? u"DN " % QString::number(*DN) % u", " : QString()) % u"D = " % lengthText(D) % u" m";
}

QString narrowBottomText(double D, std::optional<int> DN, double depth, const MinimumWidth &minimum,
                         double bottomWidth, const QString &at)
{
    // Made in one go: a job may have a line of it for every stretch.
    return u"Con " % pipeText(D, DN) % u" e uno scavo profondo " % lengthText(depth) % u" m" % at
           % u", UNI EN 1610 chiede un fondo largo almeno " % lengthText(minimum.width) % u" m (" % minimum.rule()
           % u"): il fondo è largo " % lengthText(bottomWidth) % u" m.";
}
