#include "importedstretches.h"

#include "section/encoding.h"
#include "takeoff/numbers.h"

#include <QStringDecoder>
#include <cmath>

QString importedText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8); // a BOM is skipped
    QString text = utf8(bytes);
    if (utf8.hasError())
        return fromWindows1252(bytes);
    return text;
}

QString levelText(double metres)
{
    double rounded = std::round(metres * 1e4) / 1e4;
    if (rounded == 0)
        rounded = 0; // no "-0"
    QString text = QString::number(rounded, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

QString importedNumber(double metres)
{
    QString text = italianNumber(metres, 4);
    while (text.endsWith(u'0') && text.indexOf(u',') < text.size() - 3)
        text.chop(1);
    return text;
}
