#include "numbers.h"

#include "section/numbertext.h"

#include <charconv>
#include <cmath>

namespace {

QString fixed(double value, int decimals, QChar point)
{
    static constexpr double kUnits[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double unit = decimals >= 0 && decimals < 10 ? kUnits[decimals] : std::pow(10.0, decimals);
    if (std::round(value * unit) == 0)
        value = 0; // no "-0,000"
    // Written as the C locale writes it, whatever the settings, and fast:
    // a job's tables hold many thousands of numbers.
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return QString::number(value, 'f', decimals);
    QString text = QString::fromLatin1(digits, end - digits);
    if (point != u'.')
        text.replace(u'.', point);
    return text;
}

} // namespace

QString italianNumber(double value, int decimals)
{
    return fixed(value, decimals, u',');
}

bool writtenBelowZero(double volume)
{
    return volume * 1000 <= -0.5; // as fixed() rounds it, half away from zero
}

QString lengthText(double value)
{
    QString text = italianNumber(value, 3);
    if (text.endsWith(u'0'))
        text.chop(1);
    return text;
}

QString spreadsheetNumber(double value, int decimals, const QLocale &locale)
{
    return fixed(value, decimals, locale.decimalPoint().front());
}

std::optional<double> typedNumber(const QString &text)
{
    const std::optional<NumberText> number = readNumberText(text);
    if (!number || number->star)
        return std::nullopt;
    return number->value;
}
