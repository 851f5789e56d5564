#include "encoding.h"

#include <array>

namespace {

// The characters of bytes 0x80 to 0x9F. The five unassigned bytes stand for
// the control characters with their own code.
constexpr std::array<char16_t, 32> kHighBytes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80-0x87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88-0x8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90-0x97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98-0x9F
};

bool sameAsLatin1(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

std::optional<char> byteFor(char16_t c)
{
    if (sameAsLatin1(c))
        return char(c);
    for (std::size_t i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kHighBytes[byte - 0x80] : char16_t(byte));
    }
    return text;
}

bool appendWindows1252(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *next = out.data() + start;
    for (const QChar c : text) {
        const std::optional<char> byte = byteFor(c.unicode());
        if (!byte) {
            out.truncate(start);
            return false;
        }
        *next++ = *byte;
    }
    return true;
}

std::optional<QString> firstUnwritable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (byteFor(text[i].unicode()))
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.mid(i, pair ? 2 : 1).toString();
    }
    return std::nullopt;
}
