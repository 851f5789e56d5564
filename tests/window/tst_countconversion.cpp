#include "window/countentry.h"

#include <QTest>
#include <optional>

// The count box's text as a number: regional format, halves to even, and
// the 32-bit and 16-bit ranges the count entry reads it into.

Q_DECLARE_METATYPE(std::optional<qint32>)
Q_DECLARE_METATYPE(std::optional<qint16>)

class TestCountConversion : public QObject
{
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
};

void TestCountConversion::converts_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("as32");
    QTest::addColumn<std::optional<qint16>>("as16");

    const QLocale c = QLocale::c();
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const std::optional<qint32> no32;
    const std::optional<qint16> no16;
    auto both = [](int n) {
        return std::pair(std::optional<qint32>(n), std::optional<qint16>(static_cast<qint16>(n)));
    };
    auto add = [](const char *name, const QLocale &locale, const QString &text, std::optional<qint32> as32,
                  std::optional<qint16> as16) { QTest::newRow(name) << locale << text << as32 << as16; };
    auto addBoth = [&](const char *name, const QLocale &locale, const QString &text, int n) {
        add(name, locale, text, both(n).first, both(n).second);
    };

    addBoth("plain digits", c, "7", 7);
    addBoth("blanks around", c, "  7 ", 7);
    addBoth("tab and blanks around", c, "\t12  ", 12);
    addBoth("point: 0.5 to even 0", c, "0.5", 0);
    addBoth("point: 1.5 to even 2", c, "1.5", 2);
    addBoth("point: 2.5 to even 2", c, "2.5", 2);
    addBoth("point: -2.5 to even -2", c, "-2.5", -2);
    addBoth("point: 2.51 up to 3", c, "2.51", 3);
    addBoth("point: 2.49 down to 2", c, "2.49", 2);
    addBoth("comma: 2,5 to even 2", it, "2,5", 2);
    addBoth("comma: 3,5 to even 4", it, "3,5", 4);
    add("comma where the point is the separator", c, "2,5", no32, no16);
    add("point where the comma is the separator", it, "2.5", no32, no16);
    addBoth("grouping with points", it, "1.000", 1000);
    addBoth("grouping with commas", c, "12,345", 12345);
    addBoth("exponent", c, "1e2", 100);
    addBoth("exponent with a fraction", c, "2.5E1", 25);
    add("exponent past 32 bits", c, "1e10", no32, no16);
    addBoth("largest 16-bit", c, "32767", 32767);
    add("past 16 bits", c, "32768", 32768, no16);
    add("half past 16 bits rounds out", c, "32767.5", 32768, no16);
    addBoth("smallest 16-bit", c, "-32768", -32768);
    add("below 16 bits", c, "-32769", -32769, no16);
    add("largest 32-bit", c, "2147483647", 2147483647, no16);
    add("past 32 bits", c, "2147483648", no32, no16);
    add("smallest 32-bit", c, "-2147483648", std::numeric_limits<qint32>::min(), no16);
    add("below 32 bits", c, "-2147483649", no32, no16);
    add("empty", c, "", no32, no16);
    add("blanks only", c, "   ", no32, no16);
    add("letters", c, "tre", no32, no16);
    add("digits then letters", c, "3a", no32, no16);
    add("infinity", c, "inf", no32, no16);
}

void TestCountConversion::converts()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(std::optional<qint32>, as32);
    QFETCH(std::optional<qint16>, as16);

    QCOMPARE(countToInt32(text, locale), as32);
    QCOMPARE(countToInt16(text, locale), as16);
}

QTEST_GUILESS_MAIN(TestCountConversion)
#include "tst_countconversion.moc"
