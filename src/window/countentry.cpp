#include "countentry.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

template<typename Int>
std::optional<Int> roundedCount(const QString &text, const QLocale &locale)
{
    const QString number = text.trimmed();
    if (number.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;

    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST); // halves to the even neighbour
    const double whole = std::nearbyint(value);
    std::fesetround(previousMode);

    if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(whole);
}

} // namespace

std::optional<qint32> countToInt32(const QString &text, const QLocale &locale)
{
    return roundedCount<qint32>(text, locale);
}

std::optional<qint16> countToInt16(const QString &text, const QLocale &locale)
{
    return roundedCount<qint16>(text, locale);
}
