#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <string>

std::optional<NumberText> readNumberText(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    NumberText number;
    if (start < end && text.at(start) == u'*') {
        number.star = true;
        ++start;
    }
    // The digits, as from_chars reads them: a point, and no plus sign.
    std::string digits;
    digits.reserve(size_t(end - start) + 1);
    bool negative = false;
    bool anyDigit = false;
    for (qsizetype i = start; i < end; ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c == u'+' || c == u'-') && i == start) {
            negative = c == u'-';
        } else if ((c == u',' || c == u'.') && number.separator.isNull()) {
            number.separator = QChar(c);
            digits += '.';
        } else if (c >= u'0' && c <= u'9') {
            anyDigit = true;
            digits += char(c);
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    double value = 0;
    const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || last != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    number.value = negative ? -value : value;
    return number;
}
