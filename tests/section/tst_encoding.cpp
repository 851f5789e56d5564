#include "section/encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

namespace {

QByteArray allBytes()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        bytes[b] = char(b);
    return bytes;
}

} // namespace

class TestEncoding : public QObject
{
    Q_OBJECT

private slots:
    void allBytesRoundTrip();
    void bytesReadAsPublished();
    void matchesIcuWhereQtHasIt();
};

void TestEncoding::allBytesRoundTrip()
{
    const QString text = fromWindows1252(allBytes());
    QCOMPARE(text.size(), 256);
    QByteArray bytes("kept ");
    QVERIFY(appendWindows1252(bytes, text));
    QCOMPARE(bytes, "kept " + allBytes());
}

void TestEncoding::bytesReadAsPublished()
{
    // 0x80-0x9F as code charts print them; the unassigned 0x81, 0x8D, 0x8F,
    // 0x90 and 0x9D as the control characters of the same code.
    const QString high = QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    const QString text = fromWindows1252(allBytes());
    QCOMPARE(text.mid(0x80, 32), high);
    QCOMPARE(text.left(0x80), QString::fromLatin1(allBytes().left(0x80)));
    QCOMPARE(text.mid(0xA0), QString::fromLatin1(allBytes().mid(0xA0)));
}

void TestEncoding::matchesIcuWhereQtHasIt()
{
    // Qt has a converter by this name only when it is built with ICU.
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid())
        QSKIP("this Qt has no ICU, so no windows-1252 converter to compare with");
    QCOMPARE(fromWindows1252(allBytes()), QString(decoder(allBytes())));
    QVERIFY(!decoder.hasError());

    // Every code up to U+FFFF is written by both with the same byte, or by
    // neither. A full stop follows it, since ICU holds back a high surrogate
    // at the end for the low one that may come next.
    int accepted = 0;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const QString text = QChar(char16_t(code)) + QStringLiteral(".");
        QStringEncoder icu("windows-1252");
        const QByteArray icuBytes = icu(text);
        QByteArray ours;
        const bool written = appendWindows1252(ours, text);
        QVERIFY2(written != icu.hasError(), qPrintable(QString::number(code, 16)));
        if (written) {
            QCOMPARE(ours, icuBytes);
            ++accepted;
        }
    }
    QCOMPARE(accepted, 256); // the 256 characters the bytes read as
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
