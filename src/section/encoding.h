#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The section file is single-byte Windows-1252 text. Conversion goes through
// Qt's converters; a fresh converter is used for every call because their
// error state is sticky.

// Decodes Windows-1252 bytes; nothing when the converter is unavailable.
std::optional<QString> fromWindows1252(const QByteArray &bytes);

// Encodes text; nothing when a character has no Windows-1252 byte (it is
// never replaced by a substitute) or the converter is unavailable.
std::optional<QByteArray> toWindows1252(const QString &text);

// The first character of text that Windows-1252 cannot hold, if any.
std::optional<QChar> firstUnencodable(const QString &text);
