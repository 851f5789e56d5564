#include "formfixture.h"

class TestCountEntry : public WindowTest
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void outcomes_data();
    void outcomes();
    void loweringAndRaisingRestoresAreas();
    void failedSaveEndsInRecovery();
    void emptyEntryOnBlankRecoveryRowKeepsAreaValue_data();
    void emptyEntryOnBlankRecoveryRowKeepsAreaValue();
};

void TestCountEntry::outcomes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("gridRows");
    QTest::addColumn<int>("naree");
    QTest::addColumn<QByteArray>("savedCount"); // the file's new count line; empty: the file keeps its bytes
    QTest::addColumn<bool>("editing");
    QTest::addColumn<bool>("toldTooMany");

    const QString c = QStringLiteral("C");
    const QString it = QStringLiteral("it_IT");
    QTest::newRow("same count") << c << "3" << 4 << 3 << QByteArray(" 3 ") << true << false;
    QTest::newRow("blanks around the digit") << c << "  3 " << 4 << 3 << QByteArray(" 3 ") << true << false;
    QTest::newRow("raised to 5") << c << "5" << 6 << 5 << QByteArray(" 5 ") << true << false;
    QTest::newRow("lowered to 1") << c << "1" << 2 << 1 << QByteArray(" 1 ") << true << false;
    QTest::newRow("largest count 100") << c << "100" << 101 << 100 << QByteArray(" 100 ") << true << false;
    QTest::newRow("zero: saved without areas, no editing")
        << c << "0" << 2 << 0 << QByteArray(" 0 ") << false << false;
    QTest::newRow("minus one") << c << "-1" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("minus two") << c << "-2" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("101 turned away") << c << "101" << 2 << 3 << QByteArray() << false << true;
    QTest::newRow("32767 turned away") << c << "32767" << 2 << 3 << QByteArray() << false << true;
    QTest::newRow("beyond 16 bits") << c << "32768" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("largest 32-bit number") << c << "2147483647" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("beyond 32 bits") << c << "2147483648" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("empty") << c << "" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("letters") << c << "tre" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("point: 2.5 rounds to even 2") << c << "2.5" << 3 << 2 << QByteArray(" 2 ") << true << false;
    QTest::newRow("point: 3.5 rounds to even 4") << c << "3.5" << 5 << 4 << QByteArray(" 4 ") << true << false;
    QTest::newRow("point locale refuses a decimal comma")
        << c << "2,5" << 2 << 3 << QByteArray() << false << false;
    QTest::newRow("comma: 2,5 rounds to even 2") << it << "2,5" << 3 << 2 << QByteArray(" 2 ") << true << false;
    QTest::newRow("comma: 3,5 rounds to even 4") << it << "3,5" << 5 << 4 << QByteArray(" 4 ") << true << false;
    QTest::newRow("comma locale: digit grouping") << it << "1.000" << 2 << 3 << QByteArray() << false << true;
}

void TestCountEntry::outcomes()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, gridRows);
    QFETCH(int, naree);
    QFETCH(QByteArray, savedCount);
    QFETCH(bool, editing);
    QFETCH(bool, toldTooMany);

    QLocale::setDefault(QLocale(locale));
    StartedForm f(namedSectionFile(" 3 ", 3));

    f.enterCount(text);

    QCOMPARE(f.grid().Rows(), gridRows);
    QCOMPARE(int(f.form->table().Naree), naree);
    QCOMPARE(f.ui().Text5->text(), text); // Enter is consumed, the text stays as typed
    // Without a save the file and the preview keep the three areas; areas
    // past the third are empty.
    const int areas = savedCount.isEmpty() ? 3 : naree;
    const int named = qMin(areas, 3);
    const int empty = qMax(areas - 3, 0);
    QCOMPARE(f.fileBytes(), namedSectionFile(savedCount.isEmpty() ? QByteArray(" 3 ") : savedCount, named, empty));
    QCOMPARE(f.preview(), namedSectionPreview(named, empty));
    QCOMPARE(!f.editor().isHidden(), editing);
    if (editing) {
        QCOMPARE(f.grid().Row(), 1);
        QCOMPARE(f.grid().Col(), 0);
        QCOMPARE(f.editor().text(), QStringLiteral("a1c1"));
    } else {
        // The recovery's one data row keeps what grid row 1 held when it ran;
        // after 0 and -1 the grid had no data row left.
        const bool rowOneGone = naree == 0 || text == QLatin1String("-1");
        f.grid().setRow(1);
        f.grid().setCol(0);
        QCOMPARE(f.grid().Text(), rowOneGone ? QString() : QStringLiteral("a1c1"));
    }
    QCOMPARE(f.messages.size(), size_t(toldTooMany ? 1 : 0));
    if (toldTooMany)
        QVERIFY(f.messages.back().text.contains(QStringLiteral("100")));
    // The table's areas never change here.
    for (int a = 1; a <= 3; ++a)
        for (int col = 1; col <= 6; ++col)
            QCOMPARE(f.form->table().Aree[a][col], QStringLiteral("a%1c%2").arg(a).arg(col));
}

void TestCountEntry::loweringAndRaisingRestoresAreas()
{
    StartedForm f(namedSectionFile(" 5 ", 5));
    f.enterCount(QStringLiteral("3"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 3));
    QCOMPARE(f.preview(), namedSectionPreview(3));

    f.enterCount(QStringLiteral("5"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 5 ", 5));
    f.grid().setRow(5);
    f.grid().setCol(5);
    QCOMPARE(f.grid().Text(), QStringLiteral("a5c6"));
    QCOMPARE(f.preview(), namedSectionPreview(5));
}

void TestCountEntry::failedSaveEndsInRecovery()
{
#ifdef Q_OS_UNIX
    StartedForm f(namedSectionFile(" 100 ", 100));
    {
        const FileSizeLimit limit(2000);
        QVERIFY(limit.active());
        f.enterCount(QStringLiteral("90"));
    }

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY(f.messages.back().text.contains(QStringLiteral("non è stato salvato")));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 100 ", 100));
    QCOMPARE(f.preview(), namedSectionPreview(100));
    QCOMPARE(f.grid().Rows(), 2);
    QVERIFY(f.editor().isHidden());

    // The program goes on: the next count is saved.
    f.enterCount(QStringLiteral("90"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 90 ", 90));
#else
    QSKIP("file-size limits are a POSIX facility");
#endif
}

void TestCountEntry::emptyEntryOnBlankRecoveryRowKeepsAreaValue_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("after minus one") << QStringLiteral("-1");
    QTest::newRow("after zero") << QStringLiteral("0");
}

// After these counts the recovery leaves row 1 blank while area 1 keeps its
// values: confirming the blank cell unchanged must not erase them.
void TestCountEntry::emptyEntryOnBlankRecoveryRowKeepsAreaValue()
{
    QFETCH(QString, count);

    StartedForm f(namedSectionFile(" 3 ", 3));
    f.enterCount(count);
    f.clickCell(1, 0);
    QVERIFY(f.editor().text().isEmpty());
    QTest::keyClick(&f.editor(), Qt::Key_Return);

    QCOMPARE(f.form->table().Aree[1][1], QStringLiteral("a1c1"));
    f.enterCount(QStringLiteral("3"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 3));
}

QTEST_MAIN(TestCountEntry)
#include "tst_countentry.moc"
