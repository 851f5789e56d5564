#include "formfixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>

// Saves that fail because the file's place on disk is taken away: the user is
// told, nothing is left behind in the folder, the program goes on, and the
// next save after the fault clears writes the file.

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

class TestSaveFaults : public QObject
{
    Q_OBJECT

public:
    static void initMain() { setFontSubstitutions(); } // as main() does at start

private slots:
    void init() { QTest::qWait(0); }

    void faultIsReportedAndNextSaveSucceeds_data();
    void faultIsReportedAndNextSaveSucceeds();
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

    const SectionTable section = namedSection(3);
    StartedForm f(&section);
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

    SectionTable expected = section;
    if (countEntry) {
        f.enterCount(QStringLiteral("5"));
        expected.Naree = 5;
    } else {
        confirm(f, 1, 0, QStringLiteral("SECONDO"));
        expected.Aree[2][4] = QStringLiteral("PRIMO à");
        expected.Aree[1][1] = QStringLiteral("SECONDO");
    }
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.fileBytes(), encodeSectionFile(expected).bytes);
    QCOMPARE(f.form->table(), expected);
}

QTEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
