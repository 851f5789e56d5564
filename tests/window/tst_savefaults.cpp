#include "formfixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>

// Saves that fail because the file's place on disk is taken away: the user is
// told, nothing is left behind in the folder, the program goes on, and the
// next save after the fault clears writes the file. And saves after another
// program changed the file: its version is kept before it is replaced.

namespace {

// The folder as a list of its entries (a file with a hash of its bytes), so
// that a failed save can be shown to have created, changed or removed nothing.
QStringList folderState(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return {QStringLiteral("<no folder>")};
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString entry = QDir(folder).relativeFilePath(info.filePath());
        if (info.isDir()) {
            entry += QStringLiteral("/");
        } else {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                entry += QStringLiteral(" ")
                         + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
        }
        entries << entry;
    }
    entries.sort();
    return entries;
}

void confirm(StartedForm &f, int row, int column, const QString &value)
{
    f.clickCell(row, column);
    f.type(value); // replaces the selected old value
    QTest::keyClick(&f.editor(), Qt::Key_Return);
}

} // namespace

class TestSaveFaults : public WindowTest
{
    Q_OBJECT

private slots:
    void init() { QTest::qWait(0); }

    void faultIsReportedAndNextSaveSucceeds_data();
    void faultIsReportedAndNextSaveSucceeds();
    void otherProgramsVersionIsKept_data();
    void otherProgramsVersionIsKept();
};

void TestSaveFaults::faultIsReportedAndNextSaveSucceeds_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("countEntry"); // the failed save is a count entry, else a confirmation

    QTest::newRow("directory at the file's path, confirmation") << QStringLiteral("directory") << false;
    QTest::newRow("directory at the file's path, count entry") << QStringLiteral("directory") << true;
    QTest::newRow("folder removed, confirmation") << QStringLiteral("no folder") << false;
    QTest::newRow("folder removed, count entry") << QStringLiteral("no folder") << true;
}

void TestSaveFaults::faultIsReportedAndNextSaveSucceeds()
{
    QFETCH(QString, fault);
    QFETCH(bool, countEntry);

    StartedForm f(namedSectionFile(" 3 ", 3));
    QVERIFY(f.started);
    const QString folder = f.dir.path();
    if (fault == QLatin1String("directory")) {
        QVERIFY(QFile::remove(f.path()));
        QVERIFY(QDir().mkdir(f.path()));
    } else {
        QVERIFY(QDir(folder).removeRecursively());
    }
    const QStringList before = folderState(folder);

    if (countEntry)
        f.enterCount(QStringLiteral("5"));
    else
        confirm(f, 2, 3, QStringLiteral("PRIMO à"));

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY2(f.messages.back().text.contains(QStringLiteral("non è stato salvato")),
             qPrintable(f.messages.back().text));
    QCOMPARE(folderState(folder), before);
    QVERIFY(f.form->isVisible());

    if (fault == QLatin1String("directory"))
        QVERIFY(QDir().rmdir(f.path()));
    else
        QVERIFY(QDir().mkpath(folder));

    if (countEntry)
        f.enterCount(QStringLiteral("5"));
    else
        confirm(f, 1, 0, QStringLiteral("SECONDO"));
    QCOMPARE(f.messages.size(), size_t(1));
    const QByteArray confirmed = namedSectionFile(" 3 ", 3).replace("a1c1", "SECONDO").replace("a2c4", "PRIMO \xe0");
    QCOMPARE(f.fileBytes(), countEntry ? namedSectionFile(" 5 ", 3, 2) : confirmed);
}

void TestSaveFaults::otherProgramsVersionIsKept_data()
{
    QTest::addColumn<QString>("change"); // what another program does to the file after the start
    QTest::addColumn<bool>("countEntry"); // the next save is a count entry, else a confirmation
    QTest::addColumn<QString>("keptAs");  // where its version is kept; empty: nowhere, no message

    QTest::newRow("rewritten, confirmation") << "rewritten" << false << ".bak";
    QTest::newRow("rewritten, count entry") << "rewritten" << true << ".bak";
    QTest::newRow("rewritten, an earlier backup stays") << "rewritten after a backup" << false << ".bak2";
    QTest::newRow("same size, other bytes, older time") << "same size" << false << ".bak";
    QTest::newRow("the same bytes written again") << "same bytes" << false << "";
    QTest::newRow("deleted") << "deleted" << false << "";
}

void TestSaveFaults::otherProgramsVersionIsKept()
{
    QFETCH(QString, change);
    QFETCH(bool, countEntry);
    QFETCH(QString, keptAs);

    StartedForm f(namedSectionFile(" 3 ", 3));
    QByteArray theirs = f.fileBytes();
    if (change == QLatin1String("same size"))
        theirs.replace("a2c3", "b2c3");
    else if (change.startsWith(QLatin1String("rewritten")))
        theirs += "ALTRO PROGRAMMA\r\n";
    if (change == QLatin1String("rewritten after a backup"))
        StartedForm::writeBytes(f.path() + ".bak", "earlier backup");
    if (change == QLatin1String("deleted"))
        QVERIFY(QFile::remove(f.path()));
    else // dated back: the check must not count on the time growing
        StartedForm::writeBytes(f.path(), theirs, true);

    if (countEntry)
        f.enterCount(QStringLiteral("2"));
    else
        confirm(f, 1, 0, QStringLiteral("SABBIA"));

    QCOMPARE(f.fileBytes(),
             countEntry ? namedSectionFile(" 2 ", 2) : namedSectionFile(" 3 ", 3).replace("a1c1", "SABBIA"));
    QCOMPARE(f.messages.size(), size_t(keptAs.isEmpty() ? 0 : 1));
    if (keptAs.isEmpty()) {
        QCOMPARE(f.fileBytes(".bak"), QByteArray("<missing>"));
        return;
    }
    QCOMPARE(f.messages.front().text,
             QStringLiteral("Un altro programma aveva modificato il file ComputoPersonalizzato.txt.\nLa sua "
                            "versione è conservata nel file %1.\nIl file contiene ora la sezione di questa finestra.")
                 .arg(QDir::toNativeSeparators(f.path() + keptAs)));
    QCOMPARE(f.fileBytes(keptAs), theirs);

    // Told once: the next save replaces only this program's own file.
    confirm(f, 2, 0, QStringLiteral("REINTERRO"));
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(QDir(f.dir.path()).entryList({QStringLiteral("*.bak*")}).size(), keptAs == QLatin1String(".bak") ? 1 : 2);
}

QTEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
