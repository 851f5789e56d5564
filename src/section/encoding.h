#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// The section file is single-byte Windows-1252 text. The conversion is this
// program's own table, so it works the same on every Qt build, with or
// without ICU:
// - bytes 0x00-0x7F and 0xA0-0xFF are the characters with the same code;
// - 0x80-0x9F hold the 27 characters Windows-1252 assigns there (€ at 0x80
//   to Ÿ at 0x9F), and the five bytes it leaves unassigned, 0x81, 0x8D,
//   0x8F, 0x90 and 0x9D, read as U+0081, U+008D, U+008F, U+0090 and U+009D,
//   as Windows reads them; so every byte reads and writes back unchanged;
// - any other character has no byte and is never replaced by a substitute.

// Decodes Windows-1252 bytes; every byte has a character.
QString fromWindows1252(QByteArrayView bytes);

// Appends text's bytes to out; false, with out as it was, when a character
// has no Windows-1252 byte.
[[nodiscard]] bool appendWindows1252(QByteArray &out, QStringView text);

// The first character of text that Windows-1252 cannot hold (a character
// beyond U+FFFF whole, as its surrogate pair), if any.
std::optional<QString> firstUnwritable(QStringView text);
