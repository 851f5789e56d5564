#include "numbers.h"

#include "section/numbertext.h"

#include <cmath>

namespace {

QString fixed(double value, int decimals, QChar point)
{
    const double unit = std::pow(10.0, decimals);
    if (std::round(value * unit) == 0)
        value = 0; // no "-0,000"
    QString text = QLocale::c().toString(value, 'f', decimals);
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
    return italianNumber(volume, 3).startsWith(u'-');
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
