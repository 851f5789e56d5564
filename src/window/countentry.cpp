#include "countentry.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

// The text as a number, rounded to the nearest whole one.
std::optional<double> roundedNumber(const QString &text, const QLocale &locale)
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
    return whole;
}

template<typename Int>
std::optional<Int> roundedCount(const QString &text, const QLocale &locale)
{
    const std::optional<double> whole = roundedNumber(text, locale);
    if (!whole || *whole < std::numeric_limits<Int>::min() || *whole > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(*whole);
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

std::optional<QString> countRefusal(const QString &text, const QLocale &locale, int maxAreas)
{
    const std::optional<double> whole = roundedNumber(text, locale);
    if (whole && *whole > maxAreas)
        return QStringLiteral("Una sezione può avere al massimo %1 aree.").arg(maxAreas);
    if (!whole || *whole < 0)
        return QStringLiteral("Il numero di aree deve essere un numero intero da 0 a %1.").arg(maxAreas);
    return std::nullopt;
}
