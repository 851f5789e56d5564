#include "section/areaoperations.h"
#include "section/sectionclipboard.h"
#include "section/sectionhistory.h"
#include "testsupport.h"

#include <QTest>

// The area operations and the spreadsheet paste on the table, each undone
// and done again through the history; the history's own rules; the copy of
// the table as spreadsheets read it.

namespace {

// A table written as its areas, one entry each, the values separated by
// "|"; the entries after "--" lie above the count. "#n" is namedSection(n).
SectionTable areas(const QStringList &rows)
{
    if (rows.size() == 1 && rows.front().startsWith(u'#'))
        return namedSection(rows.front().mid(1).toInt());
    SectionTable table;
    int area = 0;
    for (const QString &row : rows) {
        if (row == QLatin1String("--")) {
            table.Naree = static_cast<qint16>(area);
            continue;
        }
        const QStringList values = row.split(u'|');
        ++area;
        for (int c = 0; c < values.size(); ++c)
            table.Aree[area][c + 1] = values.at(c);
        if (!rows.contains(QStringLiteral("--")))
            table.Naree = static_cast<qint16>(area);
    }
    return table;
}

// Runs "insert AREA COLUMN", "delete AREA COLUMN", "move AREA COLUMN BY",
// "paste AREA COLUMN" (the text given apart) or "count N" on the table.
AreaEdit run(SectionTable &table, const QString &operation, const QString &text)
{
    const QStringList words = operation.split(u' ');
    const auto number = [&words](int i) { return words.value(i).toInt(); };
    if (words[0] == QLatin1String("insert"))
        return insertArea(table, number(1), number(2));
    if (words[0] == QLatin1String("delete"))
        return deleteArea(table, number(1), number(2));
    if (words[0] == QLatin1String("move"))
        return moveArea(table, number(1), number(2), number(3));
    if (words[0] == QLatin1String("paste"))
        return pasteBlock(table, number(1), number(2), text);
    table.Naree = static_cast<qint16>(number(1)); // as the count entry sets it
    return {AreaEdit::Result::Changed, {}, {1, 0}};
}

} // namespace

class TestSectionEdits : public QObject
{
    Q_OBJECT

private slots:
    void editsAndTheirUndo_data();
    void editsAndTheirUndo();
    void historyKeepsAHundredAndDropsRedoSteps();
    void copiedTableIsSpreadsheetText();
};

void TestSectionEdits::editsAndTheirUndo_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("after"); // the table afterwards; empty: as it was
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("openArea");
    QTest::addColumn<int>("openColumn");

    const QStringList three{"SABBIA|0.3", "REINTERRO|*1.2", "MASSICCIATA|0.4"};
    QTest::newRow("insert: areas from the current one move up, the new one empty")
        << three << "insert 2 3" << "" << QStringList{"SABBIA|0.3", "", "REINTERRO|*1.2", "MASSICCIATA|0.4"}
        << "" << 2 << 3;
    QTest::newRow("insert: values above the count stay with their areas")
        << QStringList{"a", "b", "--", "c"} << "insert 1 0" << "" << QStringList{"", "a", "b", "--", "c"} << "" << 1
        << 0;
    QTest::newRow("insert at 100 areas: refused")
        << QStringList{"#100"} << "insert 5 0" << "" << QStringList()
        << "Una sezione può avere al massimo 100 aree: non è possibile inserirne un'altra." << 0 << 0;
    QTest::newRow("delete: the areas after it move down")
        << three << "delete 1 2" << "" << QStringList{"REINTERRO|*1.2", "MASSICCIATA|0.4"} << "" << 1 << 2;
    QTest::newRow("delete the only area: no areas")
        << QStringList{"SABBIA"} << "delete 1 0" << "" << QStringList{"--"} << "" << 1 << 0;
    QTest::newRow("move up: swapped, the editor follows")
        << three << "move 2 4 -1" << "" << QStringList{"REINTERRO|*1.2", "SABBIA|0.3", "MASSICCIATA|0.4"} << ""
        << 1 << 4;
    QTest::newRow("move up at the first area: nothing") << three << "move 1 0 -1" << "" << QStringList() << "" << 0
                                                        << 0;
    QTest::newRow("count lowered, then undone: the areas come back with their values")
        << three << "count 1" << "" << QStringList{"SABBIA|0.3", "--", "REINTERRO|*1.2", "MASSICCIATA|0.4"} << ""
        << 1 << 0;

    QTest::newRow("paste: decimal commas in the number columns get a point, told how many")
        << QStringList{"SABBIA"} << "paste 1 1" << "0,5\t*1,20\t-0,25\t0,1\r\n"
        << QStringList{"SABBIA|0.5|*1.20|-0.25|0.1"}
        << "4 numeri con la virgola decimale sono stati scritti con il punto, come li legge l'applicazione di computo."
        << 1 << 1;
    QTest::newRow("paste: blanks around a decimal comma kept, as when typed")
        << QStringList{"SABBIA"} << "paste 1 1" << " 0,5 \t*1,07  " << QStringList{"SABBIA| 0.5 |*1.07  "}
        << "2 numeri con la virgola decimale sono stati scritti con il punto, come li legge l'applicazione di computo."
        << 1 << 1;
    QTest::newRow("paste: rows past the last area add areas, LF rows, final line break ignored")
        << QStringList{"SABBIA"} << "paste 1 0" << "GHIAIA\t0.2\nTERRA\t0.3\n"
        << QStringList{"GHIAIA|0.2", "TERRA|0.3"} << "" << 1 << 0;
    QTest::newRow("paste: added areas start empty, whatever was above the count")
        << QStringList{"a", "--", "vecchio|1|2|3|4|5"} << "paste 1 5" << "E.01\nE.02"
        << QStringList{"a|||||E.01", "|||||E.02"} << "" << 1 << 5;
    QTest::newRow("paste: one value converted, a quoted cell read whole")
        << QStringList{"a"} << "paste 1 0" << "\"SABBIA fine\"\t0,3"
        << QStringList{"SABBIA fine|0.3"} << "Un numero con la virgola decimale è stato scritto con il punto, come lo legge l'applicazione di computo." << 1 << 0;
    QTest::newRow("paste: a header row is left out, told with the commas in one message")
        << QStringList{"a"} << "paste 1 0" << "Descrizione\tAltezza H (m)\tX\r\nSABBIA\t 0,3 \t0.2\r\nGHIAIA\t\t1\r\n"
        << QStringList{"SABBIA| 0.3 |0.2", "GHIAIA||1"}
        << "La prima riga, un'intestazione, non è stata incollata.\nUn numero con la virgola decimale è stato scritto "
           "con il punto, come lo legge l'applicazione di computo."
        << 1 << 0;
    QTest::newRow("paste: a first row whose height is a bare *, a height that follows P, is data")
        << QStringList{"a"} << "paste 1 0" << "SABBIA\t*\t\t\t\tA\r\nGHIAIA\t0.3\t\t\t\tB\r\n"
        << QStringList{"SABBIA|*||||A", "GHIAIA|0.3||||B"} << "" << 1 << 0;
    QTest::newRow("paste: a header row over numbers in one column of numbers, words in another")
        << QStringList{"a"} << "paste 2 1" << "H\tX\n*1,20\t30 cm\n0.3\t"
        << QStringList{"a", "|*1.20|30 cm", "|0.3|"}
        << "La prima riga, un'intestazione, non è stata incollata.\nUn numero con la virgola decimale è stato scritto "
           "con il punto, come lo legge l'applicazione di computo."
        << 2 << 1;
    QTest::newRow("paste: a first row of data with a word and a number in the columns of numbers")
        << QStringList{"a"} << "paste 1 0" << "STRATO\t30 cm\t0.2\nSABBIA\t0.3\t0.1"
        << QStringList{"STRATO|30 cm|0.2", "SABBIA|0.3|0.1"} << "" << 1 << 0;
    QTest::newRow("paste: a word below a word: the first row is data")
        << QStringList{"a"} << "paste 1 1" << "variabile\nda progetto\n0.5"
        << QStringList{"a|variabile", "|da progetto", "|0.5"} << "" << 1 << 1;
    QTest::newRow("paste: no column of numbers under the block: no header")
        << QStringList{"a"} << "paste 1 5" << "Voce\nE.01" << QStringList{"a|||||Voce", "|||||E.01"} << "" << 1 << 5;
    QTest::newRow("paste: a header row alone is pasted as data")
        << QStringList{"a"} << "paste 1 0" << "Descrizione\tAltezza H (m)\n" << QStringList{"Descrizione|Altezza H (m)"}
        << "" << 1 << 0;
    QTest::newRow("paste: a comma where no number is meant refuses the whole paste")
        << QStringList{"a"} << "paste 1 0" << "GHIAIA\t0,5\nSabbia, fine\t0.3" << QStringList()
        << "Il blocco non è stato incollato: il valore «Sabbia, fine» per l'area 2, colonna «Descrizione», non è "
           "accettato.\nIl valore non può contenere la virgola: nel file la virgola separa i valori. I decimali si "
           "scrivono con il punto, per esempio 0.5"
        << 0 << 0;
    QTest::newRow("paste: a value with %1 and a comma is quoted as it came")
        << QStringList{"a"} << "paste 1 0" << "%1,%2\tx" << QStringList()
        << "Il blocco non è stato incollato: il valore «%1,%2» per l'area 1, colonna «Descrizione», non è "
           "accettato.\nIl valore non può contenere la virgola: nel file la virgola separa i valori. I decimali si "
           "scrivono con il punto, per esempio 0.5"
        << 0 << 0;
    QTest::newRow("paste: a control character (Ctrl+Z) refuses the paste")
        << QStringList{"a"} << "paste 1 5" << "E.01\nAB\x1A" "C" << QStringList()
        << "Il blocco non è stato incollato: il valore «AB\x1A" "C» per l'area 2, colonna «Voce di elenco prezzi», "
           "non è accettato.\nIl valore non può contenere caratteri di controllo (qui il carattere di codice 26): il "
           "programma che legge il file potrebbe fermarsi lì."
        << 0 << 0;
    QTest::newRow("paste: a block wider than the columns left, refused")
        << QStringList{"a"} << "paste 1 4" << "1\t2\t3" << QStringList()
        << "Il blocco incollato ha 3 colonne, ma dalla colonna «Coefficiente di detrazione dell'area tubazione» in poi "
           "ce ne sono solo 2: incollarlo in una colonna più a sinistra."
        << 0 << 0;
    QTest::newRow("paste: past 100 areas, refused")
        << QStringList{"#99"} << "paste 99 0" << "x\ny\nz" << QStringList()
        << "Il blocco incollato ha 3 righe: dall'area 99 arriverebbe all'area 101, ma una sezione ha al massimo 100 aree."
        << 0 << 0;
}

void TestSectionEdits::editsAndTheirUndo()
{
    QFETCH(QStringList, start);
    QFETCH(QString, operation);
    QFETCH(QString, pasted);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    QFETCH(int, openArea);
    QFETCH(int, openColumn);

    SectionTable table = areas(start);
    const SectionTable before = table;
    const AreaEdit edit = run(table, operation, pasted);
    QCOMPARE(edit.message, message);
    if (after.isEmpty()) { // refused or nothing to do: nothing changed
        QVERIFY(edit.result != AreaEdit::Result::Changed);
        QCOMPARE(table, before);
        return;
    }
    QCOMPARE(edit.result, AreaEdit::Result::Changed);
    QCOMPARE(table, areas(after));
    QCOMPARE(edit.openOn, (SectionCell{openArea, openColumn}));

    // One step of the history: undone, the table as it was; done again, as after.
    SectionHistory history;
    SectionChange change = changeBetween(before, table);
    change.undoneAt = {7, 1};
    change.redoneAt = edit.openOn;
    history.record(change);
    QCOMPARE(history.undo(table), std::optional(SectionCell{7, 1}));
    QCOMPARE(table, before);
    QCOMPARE(history.redo(table), std::optional(edit.openOn));
    QCOMPARE(table, areas(after));
    QVERIFY(!history.redo(table));
}

void TestSectionEdits::historyKeepsAHundredAndDropsRedoSteps()
{
    SectionTable table = areas({"0"});
    SectionHistory history;
    const auto confirm = [&](const QString &value) {
        const SectionTable before = table;
        table.Aree[1][1] = value;
        history.record(changeBetween(before, table));
    };
    for (int i = 1; i <= 120; ++i)
        confirm(QString::number(i));
    history.record(changeBetween(table, table)); // storing the same value is no change

    int undone = 0;
    while (history.undo(table))
        ++undone;
    QCOMPARE(undone, 100);
    QCOMPARE(table.Aree[1][1], QStringLiteral("20"));

    QVERIFY(history.redo(table));
    confirm(QStringLiteral("nuovo")); // a change after an undo: nothing left to redo
    QVERIFY(!history.canRedo());
    QVERIFY(history.undo(table));
    QCOMPARE(table.Aree[1][1], QStringLiteral("21"));
}

void TestSectionEdits::copiedTableIsSpreadsheetText()
{
    SectionTable table = areas({"SABBIA|0.3||0.1|0.5|A.01", "riga\r\nspezzata|\"2\"|a\tb", "--", "nascosta"});
    const QString text = sectionAsText(table);
    QCOMPARE(text, QStringLiteral("SABBIA\t0.3\t\t0.1\t0.5\tA.01\r\n"
                                  "\"riga\r\nspezzata\"\t\"\"\"2\"\"\"\t\"a\tb\"\t\t\t\r\n"));
    QVERIFY(isCellBlock(text) && !isCellBlock(QStringLiteral("0.5")));
    QCOMPARE(sectionAsText(areas({"--"})), QString());

    // Pasted back it reads the same cells (refused only for what may not be typed).
    SectionTable back = areas({"a"});
    QCOMPARE(pasteBlock(back, 1, 0, sectionAsText(areas({"SABBIA|0.3||0.1|0.5|A.01", "REINTERRO|*1.2"}))).result,
             AreaEdit::Result::Changed);
    QCOMPARE(back, areas({"SABBIA|0.3||0.1|0.5|A.01", "REINTERRO|*1.2||||"}));

    // For regional settings with a decimal comma: the numbers of the four
    // columns of numbers with one, all else as it stands; pasted back, the
    // same values.
    const SectionTable numbers = areas({"STRATO 0.30|0.30|-0.5|.5|0|1.5", "A|*1.20| 0.5|0.|1e3|B.2"});
    const QString italian = sectionAsText(numbers, true);
    QCOMPARE(italian, QStringLiteral("STRATO 0.30\t0,30\t-0,5\t,5\t0\t1.5\r\n"
                                     "A\t*1,20\t 0,5\t0,\t1e3\tB.2\r\n"));
    back = areas({"a"});
    QCOMPARE(pasteBlock(back, 1, 0, italian).result, AreaEdit::Result::Changed);
    QCOMPARE(back, numbers);
}

QTEST_GUILESS_MAIN(TestSectionEdits)
#include "tst_sectionedits.moc"
