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
    void systemRegionalSettings_data();
    void systemRegionalSettings();
};

void TestCountConversion::converts_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("as32");
    QTest::addColumn<std::optional<qint16>>("as16");

    const QLocale c = QLocale::c(), it(QLocale::Italian, QLocale::Italy);
    const std::nullopt_t no = std::nullopt;
    auto add = [](const char *name, const QLocale &locale, const QString &text, std::optional<qint32> as32,
                  std::optional<qint16> as16) { QTest::newRow(name) << locale << text << as32 << as16; };
    auto same = [&](const char *name, const QLocale &l, const QString &text, qint16 n) { add(name, l, text, n, n); };

    same("blanks around", c, "  7 ", 7);
    same("point: 0.5 to even 0", c, "0.5", 0);
    same("point: 1.5 to even 2", c, "1.5", 2);
    same("point: -2.5 to even -2", c, "-2.5", -2);
    same("point: 2.51 up to 3", c, "2.51", 3);
    same("comma: 2,5 to even 2", it, "2,5", 2);
    same("comma: 3,5 to even 4", it, "3,5", 4);
    add("comma where the point is the separator", c, "2,5", no, no);
    add("point where the comma is the separator", it, "2.5", no, no);
    same("grouping with points", it, "1.000", 1000);
    same("grouping with commas", c, "12,345", 12345);
    same("exponent", c, "1e2", 100);
    same("largest 16-bit", c, "32767", 32767);
    add("past 16 bits", c, "32768", 32768, no);
    add("half past 16 bits rounds out", c, "32767.5", 32768, no);
    same("smallest 16-bit", c, "-32768", -32768);
    add("below 16 bits", c, "-32769", -32769, no);
    add("largest 32-bit", c, "2147483647", 2147483647, no);
    add("past 32 bits", c, "2147483648", no, no);
    add("smallest 32-bit", c, "-2147483648", std::numeric_limits<qint32>::min(), no);
    add("below 32 bits", c, "-2147483649", no, no);
    add("empty", c, "", no, no);
    add("letters", c, "tre", no, no);
    add("digits then letters", c, "3a", no, no);
    add("infinity", c, "inf", no, no);
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

// The count box reads through the system's own regional settings. The run
// under Wine sets Italian ones and names them in PROFILARA_SYSTEM_LOCALE.
void TestCountConversion::systemRegionalSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint16>("count");
    QTest::newRow("2,5 to even 2") << "2,5" << qint16(2);
    QTest::newRow("3,5 to even 4") << "3,5" << qint16(4);
}

void TestCountConversion::systemRegionalSettings()
{
    const QString expected = qEnvironmentVariable("PROFILARA_SYSTEM_LOCALE");
    if (expected.isEmpty())
        QSKIP("the system's regional settings are checked only where PROFILARA_SYSTEM_LOCALE names them");
    QFETCH(QString, text);
    QFETCH(qint16, count);

    QCOMPARE(QLocale::system().name(), expected);
    QCOMPARE(countToInt16(text, QLocale()), std::optional<qint16>(count));
}

QTEST_GUILESS_MAIN(TestCountConversion)
#include "tst_countconversion.moc"
