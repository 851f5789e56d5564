#include "encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *kCodec = "windows-1252";
}

std::optional<QString> fromWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec);
    if (!decoder.isValid())
        return std::nullopt;
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> toWindows1252(const QString &text)
{
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<QChar> firstUnencodable(const QString &text)
{
    if (toWindows1252(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is checked as one character.
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!toWindows1252(text.mid(i, len)))
            return text.at(i);
        i += len - 1;
    }
    return std::nullopt;
}
