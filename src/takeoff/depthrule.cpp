#include "depthrule.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>

namespace {

// Depths and diameters typed to the millimetre that are equal count as
// equal, whatever the sums of doubles leave over.
constexpr double kEqual = 1e-9;

// The millimetres at the ends of a range: the first and the last that hold.
double firstMillimetre(double depth)
{
    return std::ceil(depth * 1000 - 1e-6) / 1000;
}

double lastMillimetre(double depth)
{
    return std::floor(depth * 1000 + 1e-6) / 1000;
}

} // namespace

std::optional<DepthFault> depthFault(const CrossSection &drawn, double P, double D)
{
    if (!drawn.whole())
        return DepthFault::NotDrawn;
    if (P < D - kEqual)
        return DepthFault::PipeAbove;
    if (drawn.top - P < -kEqual)
        return DepthFault::PipeBelow;
    return std::nullopt;
}

DepthRange holdingDepths(const TrenchSection &section, double L, double D)
{
    DepthRange range = section.drawableDepths(L);
    if (range.never)
        return range;
    range.lowest = std::max(range.lowest, D);
    if (const AreaValues *followed = section.depthArea()) {
        // The pipe's bottom lies as far above the trench bottom at every depth.
        if (section.fixedHeights() - followed->height < -kEqual)
            range.never = true;
    } else {
        range.highest = std::min(range.highest, section.at(L, 1).top);
    }
    if (range.lowest > range.highest + kEqual
        || firstMillimetre(range.lowest) > lastMillimetre(range.highest) + kEqual)
        range.never = true;
    return range;
}

QString holdsFor(const DepthRange &range)
{
    if (range.never)
        return QStringLiteral("a nessuna profondità");
    const double first = firstMillimetre(range.lowest);
    const bool onMillimetre = std::abs(first - range.lowest) < 1e-6;
    const QString from = onMillimetre ? lengthText(first) : lengthText(first - 0.001);
    if (!std::isfinite(range.highest))
        return onMillimetre ? QStringLiteral("per P di almeno %1 m").arg(from)
                            : QStringLiteral("per P maggiore di %1 m").arg(from);
    const QString to = lengthText(lastMillimetre(range.highest));
    return onMillimetre ? QStringLiteral("per P da %1 a %2 m").arg(from, to)
                        : QStringLiteral("per P maggiore di %1 e fino a %2 m").arg(from, to);
}

QString faultText(DepthFault fault, double P, double D, const DepthRange &range)
{
    const QString at = QStringLiteral("con P = %1 m ").arg(lengthText(P));
    switch (fault) {
    case DepthFault::PipeAbove:
        return at + QStringLiteral("il tubo esce dallo scavo (P minore di D = %1 m)").arg(lengthText(D));
    case DepthFault::PipeBelow:
        return at + QStringLiteral("il fondo del tubo è sotto il fondo dello scavo");
    case DepthFault::NotDrawn:
        break;
    }
    if (range.never)
        return at + QStringLiteral("la sezione non vale a nessuna profondità");
    return at + QStringLiteral("la sezione non vale (vale %1)").arg(holdsFor(range));
}
