#include "section/sectiondocument.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

// The section's changes without a window: each one call that changes the
// table as one step of the history and saves it, with the file's exact
// bytes after the change, after its undo and after its redo.

namespace {

// The working file of three areas "a<area>c<column>", under the header
// line "Computo".
QByteArray headed(const QByteArray &namedFile)
{
    return "Computo" + namedFile;
}

} // namespace

class TestSectionDocument : public QObject
{
    Q_OBJECT

private slots:
    void changeUndoRedo_data();
    void changeUndoRedo();
    void copySavedAndLoadedBack();
};

void TestSectionDocument::changeUndoRedo_data()
{
    QTest::addColumn<QByteArray>("start");    // the working file at start
    QTest::addColumn<QString>("operation");   // "confirm A C VALUE", "as-is A C VALUE", "count N", "insert A C",
                                              // "delete A C", "move A C BY", "paste A C", "load" (text apart)
    QTest::addColumn<QByteArray>("text");     // pasted, or the file loaded
    QTest::addColumn<int>("result");          // SectionOutcome::Result
    QTest::addColumn<QByteArray>("after");    // the working file afterwards (and after a redo)
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("openArea");        // where the editor opens after the change
    QTest::addColumn<int>("openColumn");

    const int changed = int(SectionOutcome::Result::Changed);
    const int unchanged = int(SectionOutcome::Result::Unchanged);
    const int refused = int(SectionOutcome::Result::Refused);
    const QByteArray three = headed(namedSectionFile(" 3 ", 3));
    const QByteArray noArea = headed(namedSectionFile(" 0 ", 0));
    const QByteArray area1 = "Computo" + crlfLines(QList<QByteArray>(11) << " 1 " << "" << "GHIAIA" << "" << "" << ""
                                                                         << "");
    QTest::newRow("a confirmed value") << three << "confirm 2 3 SABBIA" << QByteArray() << changed
                                       << QByteArray(three).replace("a2c4", "SABBIA") << "" << 2 << 3;
    QTest::newRow("the same value: saved, no step") << three << "confirm 2 3 a2c4" << QByteArray() << unchanged << three
                                                    << "" << 2 << 3;
    QTest::newRow("a typed decimal comma in a column of numbers: written with a point")
        << three << "confirm 2 2 -0,43" << QByteArray() << changed << QByteArray(three).replace("a2c3", "-0.43") << ""
        << 2 << 2;
    QTest::newRow("a typed ,5 in a height: a number as a paste takes it, written with a point")
        << three << "confirm 2 1 ,5" << QByteArray() << changed << QByteArray(three).replace("a2c2", ".5") << "" << 2
        << 1;
    QTest::newRow("a typed comma in a description: refused, not saved")
        << three << "confirm 1 0 0,5" << QByteArray() << refused << three
        << "Il valore non può contenere la virgola: nel file la virgola separa i valori. I decimali si scrivono con "
           "il punto, per esempio 0.5"
        << 0 << 0;
    QTest::newRow("a quoted value as it stands walks through")
        << three << "as-is 1 1 0,5" << QByteArray() << changed << QByteArray(three).replace("a1c2", "\"0,5\"") << ""
        << 1 << 1;
    QTest::newRow("with no areas a value makes area 1 of it alone")
        << noArea << "confirm 1 1 GHIAIA" << QByteArray() << changed << area1 << "" << 1 << 1;
    QTest::newRow("a count lowered; undone, the areas are back")
        << three << "count 1" << QByteArray() << changed << headed(namedSectionFile(" 1 ", 1)) << "" << 1 << 0;
    QTest::newRow("the count it has: saved, no step") << three << "count 3" << QByteArray() << unchanged << three << ""
                                                      << 1 << 0;
    QTest::newRow("an area inserted") << three << "insert 2 4" << QByteArray() << changed
                                      << QByteArray(three).replace(" 3 ", " 4 ").replace("a2c1", "\r\n\r\n\r\n\r\n\r\n\r\na2c1")
                                      << "" << 2 << 4;
    QTest::newRow("an area deleted") << three << "delete 1 0" << QByteArray() << changed
                                     << "Computo" + crlfLines(QList<QByteArray>(11) << " 2 " << "a2c1" << "a2c2" << "a2c3"
                                                                                << "a2c4" << "a2c5" << "a2c6" << "a3c1"
                                                                                << "a3c2" << "a3c3" << "a3c4" << "a3c5"
                                                                                << "a3c6")
                                     << "" << 1 << 0;
    QTest::newRow("the last area moved down: nothing") << three << "move 3 0 1" << QByteArray() << unchanged << three
                                                       << "" << 0 << 0;
    QTest::newRow("a block pasted, a decimal comma told")
        << three << "paste 3 4" << QByteArray("0,5\tE.09\nx\t") << changed
        << QByteArray(three).replace(" 3 ", " 4 ").replace("a3c5", "0.5").replace("a3c6", "E.09")
               + crlfLines({"", "", "", "", "x", ""})
        << "Un numero con la virgola decimale è stato scritto con il punto, come lo legge l'applicazione di computo."
        << 3 << 4;
    QTest::newRow("a section loaded: its header lines, count and areas")
        << three << "load" << crlfLines(QList<QByteArray>{"Altro lavoro"} + QList<QByteArray>(10) << "1" << "GHIAIA")
        << changed
        << crlfLines(QList<QByteArray>{"Altro lavoro"} + QList<QByteArray>(10) << " 1 " << "GHIAIA" << "" << "" << ""
                                                                            << "" << "")
        << "" << 1 << 0;
    QTest::newRow("a section loaded whose text the load drops: told")
        << three << "load" << crlfLines(QList<QByteArray>(11) << "0" << "nota") << changed
        << crlfLines(QList<QByteArray>(11) << " 0 ")
        << "Il file {file} contiene testo che non fa parte della sezione, dalla riga 13: «nota».\nQuel testo non è "
           "stato caricato."
        << 1 << 0;
    QTest::newRow("an unusable file: refused, nothing changed")
        << three << "load" << crlfLines(QList<QByteArray>(11) << "tre") << refused << three
        << "Il file {file} non può essere usato: la riga 12 deve contenere il numero delle aree, ma contiene «tre».\n"
           "La sezione non è cambiata."
        << 0 << 0;
}

void TestSectionDocument::changeUndoRedo()
{
    QFETCH(QByteArray, start);
    QFETCH(QString, operation);
    QFETCH(QByteArray, text);
    QFETCH(int, result);
    QFETCH(QByteArray, after);
    QFETCH(QString, message);
    QFETCH(int, openArea);
    QFETCH(int, openColumn);

    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    const QString other = dir.filePath(QStringLiteral("copia.txt"));
    writeFile(path, start);
    writeFile(other, text);
    SectionDocument document(dir.path());
    QVERIFY(document.start().starts);

    const QStringList words = operation.split(u' ');
    const auto number = [&words](int i) { return words.value(i).toInt(); };
    const SectionCell at{number(1), number(2)};
    SectionOutcome outcome;
    if (words[0] == u"confirm" || words[0] == u"as-is")
        outcome = document.confirmValue(at, words[3], words[0] == u"confirm");
    else if (words[0] == u"count")
        outcome = document.takeCount(qint16(number(1)));
    else if (words[0] == u"insert")
        outcome = document.insertArea(at);
    else if (words[0] == u"delete")
        outcome = document.deleteArea(at);
    else if (words[0] == u"move")
        outcome = document.moveArea(at, number(3));
    else if (words[0] == u"paste")
        outcome = document.pasteBlock(at, QString::fromLatin1(text));
    else
        outcome = document.loadFrom(other);

    QCOMPARE(int(outcome.result), result);
    QCOMPARE(outcome.message, QString(message).replace("{file}", QDir::toNativeSeparators(other)));
    QVERIFY(!outcome.saveFailed());
    QCOMPARE(readFile(path), after);
    if (result != int(SectionOutcome::Result::Changed)) {
        QVERIFY(!document.canUndo()); // no step of the history
        return;
    }
    QCOMPARE(outcome.openOn, (SectionCell{openArea, openColumn}));

    const SectionOutcome undone = document.undo();
    QVERIFY(undone.changed() && !undone.saveFailed());
    QCOMPARE(readFile(path), start);
    const SectionOutcome redone = document.redo();
    QVERIFY(redone.changed() && !redone.saveFailed());
    QCOMPARE(redone.openOn, outcome.openOn);
    QCOMPARE(readFile(path), after);
    QVERIFY(!document.redo().changed());
}

// A copy saved under another name holds the working file's bytes; loaded
// back after other changes, it gives them back.
void TestSectionDocument::copySavedAndLoadedBack()
{
    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    const QByteArray quoted = crlfLines(QList<QByteArray>{"\"Titolo\"", "Comune, lotto 3"} + QList<QByteArray>(9)
                                        << " 1 " << "SABBIA" << "\"0,5\"" << "" << "" << "" << "A.01");
    writeFile(path, quoted);
    SectionDocument document(dir.path());
    QVERIFY(document.start().starts);
    const QString copy = dir.filePath(QStringLiteral("sezione tipo à.txt"));
    QCOMPARE(document.saveCopy(copy), std::nullopt);
    QCOMPARE(readFile(copy), quoted);

    QVERIFY(document.takeCount(3).changed());
    QVERIFY(document.confirmValue({2, 0}, QStringLiteral("GHIAIA"), true).changed());
    QVERIFY(document.loadFrom(copy).changed());
    QCOMPARE(readFile(path), quoted);

    // Nor over the section's own files: the file itself, by another path, its lock, a backup.
    const QString own = QStringLiteral("Questo file appartiene alla sezione in uso: scegliere un altro nome.");
    const QString folderName = QFileInfo(dir.path()).fileName();
    for (const QString &name : {QStringLiteral("ComputoPersonalizzato.txt"),
                                QStringLiteral("../%1/./ComputoPersonalizzato.txt").arg(folderName),
                                QStringLiteral("ComputoPersonalizzato.txt.lock"), QStringLiteral("ComputoPersonalizzato.txt.bak2"),
#ifdef Q_OS_WIN
                                // Windows' names ignore letter case and end dots.
                                QStringLiteral("computopersonalizzato.TXT"), QStringLiteral("ComputoPersonalizzato.txt."),
#endif
                               })
        QCOMPARE(document.saveCopy(dir.filePath(name)).value_or(QString()), own);
    QCOMPARE(readFile(path), quoted);
    // A file of another name beside them is the user's; so is one in other
    // letters where the folder heeds letter case.
    QCOMPARE(document.saveCopy(dir.filePath(QStringLiteral("ComputoPersonalizzato.txt.2"))), std::nullopt);
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    QCOMPARE(document.saveCopy(dir.filePath(QStringLiteral("computopersonalizzato.txt.bak9"))), std::nullopt);
#endif
}

QTEST_GUILESS_MAIN(TestSectionDocument)
#include "tst_sectiondocument.moc"
