#include "numbers.h"

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
    QString text = italianNumber(value, 4);
    while (text.endsWith(u'0') && text.indexOf(u',') < text.size() - 3)
        text.chop(1);
    return text;
}

QString spreadsheetNumber(double value, int decimals, const QLocale &locale)
{
    return fixed(value, decimals, locale.decimalPoint().front());
}

// Read by hand rather than by a regular expression: a thousand stretches
// hold three numbers each.
std::optional<double> typedNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    QByteArray number;
    number.reserve(trimmed.size());
    bool digits = false;
    bool point = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if ((c == u'+' || c == u'-') && i == 0) {
            number += char(c.unicode());
        } else if ((c == u',' || c == u'.') && !point) {
            point = true;
            number += '.';
        } else if (c >= u'0' && c <= u'9') {
            digits = true;
            number += char(c.unicode());
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
