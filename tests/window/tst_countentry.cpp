#include "formfixture.h"

class TestCountEntry : public WindowTest
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void outcomes_data();
    void outcomes();
    void loweringAndRaisingRestoresAreas();
    void failedSaveShowsEveryArea();
    void valueConfirmedWithoutAreas_data();
    void valueConfirmedWithoutAreas();
};

void TestCountEntry::outcomes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("gridRows");
    QTest::addColumn<int>("naree");
    QTest::addColumn<QByteArray>("savedCount"); // the file's new count line; empty: the file keeps its bytes
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("told"); // the message; empty: none

    const QString c = QStringLiteral("C");
    const QString it = QStringLiteral("it_IT");
    const QString notACount = QStringLiteral("Il numero di aree deve essere un numero intero da 0 a 100.");
    const QString tooMany = QStringLiteral("Una sezione può avere al massimo 100 aree.");
    QTest::newRow("same count") << c << "3" << 4 << 3 << QByteArray(" 3 ") << true << "";
    QTest::newRow("blanks around the digit") << c << "  3 " << 4 << 3 << QByteArray(" 3 ") << true << "";
    QTest::newRow("raised to 5") << c << "5" << 6 << 5 << QByteArray(" 5 ") << true << "";
    QTest::newRow("lowered to 1") << c << "1" << 2 << 1 << QByteArray(" 1 ") << true << "";
    QTest::newRow("largest count 100") << c << "100" << 101 << 100 << QByteArray(" 100 ") << true << "";
    QTest::newRow("zero: saved without areas, no editing") << c << "0" << 2 << 0 << QByteArray(" 0 ") << false << "";
    QTest::newRow("minus 0.4 rounds to 0") << c << "-0.4" << 2 << 0 << QByteArray(" 0 ") << false << "";
    // Refused: told, and the grid keeps showing the section's three areas.
    QTest::newRow("minus one") << c << "-1" << 4 << 3 << QByteArray() << false << notACount;
    QTest::newRow("minus two") << c << "-2" << 4 << 3 << QByteArray() << false << notACount;
    QTest::newRow("101 turned away") << c << "101" << 4 << 3 << QByteArray() << false << tooMany;
    QTest::newRow("100.5 rounds to 100, 100.6 to 101") << c << "100.6" << 4 << 3 << QByteArray() << false << tooMany;
    QTest::newRow("32767 turned away") << c << "32767" << 4 << 3 << QByteArray() << false << tooMany;
    QTest::newRow("beyond 32 bits") << c << "2147483648" << 4 << 3 << QByteArray() << false << tooMany;
    QTest::newRow("empty") << c << "" << 4 << 3 << QByteArray() << false << notACount;
    QTest::newRow("letters") << c << "tre" << 4 << 3 << QByteArray() << false << notACount;
    QTest::newRow("a digit and a letter") << c << "3a" << 4 << 3 << QByteArray() << false << notACount;
    QTest::newRow("point: 2.5 rounds to even 2") << c << "2.5" << 3 << 2 << QByteArray(" 2 ") << true << "";
    QTest::newRow("point: 3.5 rounds to even 4") << c << "3.5" << 5 << 4 << QByteArray(" 4 ") << true << "";
    QTest::newRow("point locale refuses a decimal comma") << c << "2,5" << 4 << 3 << QByteArray() << false
                                                          << notACount;
    QTest::newRow("comma: 2,5 rounds to even 2") << it << "2,5" << 3 << 2 << QByteArray(" 2 ") << true << "";
    QTest::newRow("comma: 3,5 rounds to even 4") << it << "3,5" << 5 << 4 << QByteArray(" 4 ") << true << "";
    QTest::newRow("comma locale: digit grouping") << it << "1.000" << 4 << 3 << QByteArray() << false << tooMany;
}

void TestCountEntry::outcomes()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, gridRows);
    QFETCH(int, naree);
    QFETCH(QByteArray, savedCount);
    QFETCH(bool, editing);
    QFETCH(QString, told);

    QLocale::setDefault(QLocale(locale));
    StartedForm f(namedSectionFile(" 3 ", 3));

    f.enterCount(text);

    QCOMPARE(f.grid().Rows(), gridRows);
    QCOMPARE(int(f.form->table().Naree), naree);
    // Enter is consumed, the text stays as typed; a refused count gives way
    // to the section's, all selected.
    QCOMPARE(f.ui().Text5->text(), told.isEmpty() ? text : QStringLiteral("3"));
    if (!told.isEmpty())
        QCOMPARE(f.ui().Text5->selectedText(), QStringLiteral("3"));
    // Without a save the file and the preview keep the three areas; areas
    // past the third are empty.
    const int areas = savedCount.isEmpty() ? 3 : naree;
    const int named = qMin(areas, 3);
    const int empty = qMax(areas - 3, 0);
    QCOMPARE(f.fileBytes(), namedSectionFile(savedCount.isEmpty() ? QByteArray(" 3 ") : savedCount, named, empty));
    QCOMPARE(f.preview(), namedSectionPreview(named, empty));
    QCOMPARE(!f.editor().isHidden(), editing);
    // The grid shows the areas it has, row 1 first (after 0, one empty row).
    f.grid().setRow(1);
    f.grid().setCol(0);
    QCOMPARE(f.grid().Text(), naree == 0 ? QString() : QStringLiteral("a1c1"));
    f.grid().setRow(gridRows - 1);
    f.grid().setCol(5);
    QCOMPARE(f.grid().Text(), naree == 0 || gridRows > 4 ? QString() : QStringLiteral("a%1c6").arg(gridRows - 1));
    if (editing) {
        QCOMPARE(f.editor().text(), QStringLiteral("a1c1"));
    }
    QCOMPARE(f.messages.size(), size_t(told.isEmpty() ? 0 : 1));
    if (!told.isEmpty())
        QCOMPARE(f.messages.back().text, told);
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

// A count whose save failed is shown as any change whose save failed: the
// table holds it, the grid shows every area and the editor opens on area 1,
// while the preview shows what the file still holds.
void TestCountEntry::failedSaveShowsEveryArea()
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
    QVERIFY(f.messages.back().text.endsWith(
        QStringLiteral("\n\nLa modifica resta nella tabella e sarà salvata alla prossima conferma.")));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 100 ", 100));
    QCOMPARE(f.preview(), namedSectionPreview(100));
    QCOMPARE(f.grid().Rows(), 91);
    QCOMPARE(f.ui().Text5->text(), QStringLiteral("90"));
    QVERIFY(!f.editor().isHidden());
    QCOMPARE(f.grid().Row(), 1);
    QCOMPARE(f.grid().Col(), 0);
    QTest::keyClick(&f.editor(), Qt::Key_Up); // wraps to the last area the table holds
    QCOMPARE(f.grid().Row(), 90);
    QCOMPARE(f.editor().text(), QStringLiteral("a90c1"));

    // The program goes on: the next count is saved.
    f.enterCount(QStringLiteral("90"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 90 ", 90));
#else
    QSKIP("file-size limits are a POSIX facility");
#endif
}

void TestCountEntry::valueConfirmedWithoutAreas_data()
{
    QTest::addColumn<QByteArray>("start");  // the section file at start
    QTest::addColumn<QString>("emptied");   // how the areas go: a count typed, "Ctrl+-" on the only area, or none
    QTest::addColumn<QString>("typed");     // typed in the one empty row, in column 2
    QTest::addColumn<QByteArray>("saved");  // the file after Enter
    QTest::addColumn<QString>("count");     // the count box then
    QTest::addColumn<QByteArray>("undone"); // the file after Ctrl+Z

    const QByteArray area1 = crlfLines(QList<QByteArray>(11) << " 1 " << "" << "" << "GHIAIA" << "" << "" << "");
    const QByteArray noArea = namedSectionFile(" 0 ", 0);
    QTest::newRow("count 0, a value: area 1 of it alone, saved, undone")
        << namedSectionFile(" 3 ", 3) << "0" << "GHIAIA" << area1 << "1" << noArea;
    QTest::newRow("count 0, Enter on the empty cell: no area made")
        << namedSectionFile(" 3 ", 3) << "0" << "" << noArea << "0" << namedSectionFile(" 3 ", 3);
    QTest::newRow("a negative count from the file, a value: area 1")
        << crlfLines(QList<QByteArray>(11) << "-2 ") << "" << "GHIAIA" << area1 << "1"
        << crlfLines(QList<QByteArray>(11) << "-2 ");
    QTest::newRow("Ctrl+- on the only area, a value: area 1 of it alone")
        << namedSectionFile(" 1 ", 1) << "Ctrl+-" << "GHIAIA" << area1 << "1" << noArea;
}

// With no areas the grid keeps one empty row; a value confirmed there is
// not lost: it makes area 1.
void TestCountEntry::valueConfirmedWithoutAreas()
{
    QFETCH(QByteArray, start);
    QFETCH(QString, emptied);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    QFETCH(QString, count);
    QFETCH(QByteArray, undone);

    StartedForm f(start);
    if (emptied == QLatin1String("Ctrl+-")) {
        f.clickCell(1, 0);
        QTest::keyClick(&f.editor(), Qt::Key_Minus, Qt::ControlModifier);
    } else if (!emptied.isEmpty()) {
        f.enterCount(emptied);
    }
    QCOMPARE(f.grid().Rows(), 2);
    f.clickCell(1, 2);
    QVERIFY(f.editor().text().isEmpty());
    f.type(typed);
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(f.fileBytes(), saved);
    QCOMPARE(f.preview(), typed.isEmpty() ? QString() : QStringLiteral("\n\nGHIAIA\n\n\n"));
    QCOMPARE(f.ui().Text5->text(), count);
    QCOMPARE(f.grid().Col(), 3); // the editor moved on

    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), undone);
    QCOMPARE(f.messages.size(), size_t(0));
}

QTEST_MAIN(TestCountEntry)
#include "tst_countentry.moc"
