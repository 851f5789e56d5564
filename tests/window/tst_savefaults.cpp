#include "formfixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <grp.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>

namespace {
std::atomic<bool> refuseSectionFileClose{false};
}

// While refuseSectionFileClose is set, the close of the section file open
// for writing fails as a network share's does when it could not store the
// bytes: the file is closed, the call says EIO. Defined here, it takes the
// place of the C library's close for the whole process, Qt included.
extern "C" int close(int fd)
{
    static const auto realClose = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "close"));
    bool refuse = false;
    if (refuseSectionFileClose) {
        char link[64];
        char target[4096];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t length = readlink(link, target, sizeof target - 1);
        const int flags = fcntl(fd, F_GETFL);
        if (length > 0 && flags >= 0 && (flags & O_ACCMODE) != O_RDONLY) {
            target[length] = '\0';
            const char *name = std::strrchr(target, '/');
            refuse = name && std::strcmp(name, "/ComputoPersonalizzato.txt") == 0;
        }
    }
    const int result = realClose(fd);
    if (!refuse)
        return result;
    errno = EIO;
    return -1;
}
#endif

// Saves that fail because the file's place on disk is taken away or may not
// be written: the user is told why, nothing is left behind in the folder,
// the program goes on, and the next save after the fault clears writes the
// file; a folder where files may be changed but not created is written in
// place. Closing after a failed save saves or asks. And saves after another
// program changed the file: its version is kept before it is replaced.
// Permissions refuse nothing to root, so run as root the test becomes the
// user nobody first.

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
    void closingAfterAFailedSave_data();
    void closingAfterAFailedSave();
#ifdef Q_OS_UNIX
    void writeInPlaceCutShort_data();
    void writeInPlaceCutShort();
#endif
    void otherProgramsVersionIsKept_data();
    void otherProgramsVersionIsKept();
};

void TestSaveFaults::faultIsReportedAndNextSaveSucceeds_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("countEntry"); // the failed save is a count entry, else a confirmation
    QTest::addColumn<QString>("cause");   // what the message says of it ({folder}); empty: saved in place

    const QString directory = QStringLiteral("Il percorso del file è occupato da una cartella con lo stesso nome.");
    const QString noFolder = QStringLiteral("La cartella {folder} non esiste.");
    QTest::newRow("directory at the file's path, confirmation") << "directory" << false << directory;
    QTest::newRow("directory at the file's path, count entry") << "directory" << true << directory;
    QTest::newRow("folder removed, confirmation") << "no folder" << false << noFolder;
    QTest::newRow("folder removed, count entry") << "no folder" << true << noFolder;
#ifdef Q_OS_UNIX
    QTest::newRow("read-only file: not made writable, the system's words")
        << "read-only" << false
        << "Il file è di sola lettura (il sistema risponde: «Permission denied»).";
    QTest::newRow("folder where no file can be created: written in place") << "create-only" << false << "";
    QTest::newRow("folder where no file can be created, count entry: written in place")
        << "create-only" << true << "";
#endif
}

void TestSaveFaults::faultIsReportedAndNextSaveSucceeds()
{
    QFETCH(QString, fault);
    QFETCH(bool, countEntry);
    QFETCH(QString, cause);

    StartedForm f(namedSectionFile(" 3 ", 3));
    QVERIFY(f.started);
    const QString folder = f.dir.path();
    if (fault == QLatin1String("directory")) {
        QVERIFY(QFile::remove(f.path()));
        QVERIFY(QDir().mkdir(f.path()));
    } else if (fault == QLatin1String("no folder")) {
        QVERIFY(QDir(folder).removeRecursively());
    } else if (fault == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(f.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    QStringList before = folderState(folder);

    if (countEntry)
        f.enterCount(QStringLiteral("5"));
    else
        confirm(f, 2, 3, QStringLiteral("PRIMO à"));
    const QByteArray first = namedSectionFile(" 3 ", 3).replace("a2c4", "PRIMO \xe0");
    if (cause.isEmpty()) {
        QCOMPARE(f.messages.size(), size_t(0));
        QCOMPARE(f.fileBytes(), countEntry ? namedSectionFile(" 5 ", 3, 2) : first);
        before.replaceInStrings(QRegularExpression("^(ComputoPersonalizzato.txt) .*"), "\\1");
        QStringList after = folderState(folder);
        QCOMPARE(after.replaceInStrings(QRegularExpression("^(ComputoPersonalizzato.txt) .*"), "\\1"), before);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        return;
    }

    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.messages.back().text,
             "Il file ComputoPersonalizzato.txt non è stato salvato.\n"
                 + QString(cause).replace("{folder}", QDir::toNativeSeparators(folder))
                 + " Il file su disco non è stato modificato."
                 + (countEntry ? "\n\nLa modifica resta nella tabella e sarà salvata alla prossima conferma."
                               : "\n\nIl valore resta nella tabella e sarà salvato alla prossima conferma."));
    QCOMPARE(folderState(folder), before);
    QVERIFY(f.form->isVisible());
    if (countEntry) { // the count the table holds, every area in the grid, the file's in the preview
        QCOMPARE(f.ui().Text5->text(), QStringLiteral("5"));
        QCOMPARE(f.grid().Rows(), 6);
        QCOMPARE(f.preview(), namedSectionPreview(3));
    }

    if (fault == QLatin1String("directory"))
        QVERIFY(QDir().rmdir(f.path()));
    else if (fault == QLatin1String("no folder"))
        QVERIFY(QDir().mkpath(folder));
    else
        QVERIFY(QFile::setPermissions(f.path(), QFile::ReadOwner | QFile::WriteOwner));

    // Once the fault is gone the next confirmation saves the change with
    // it; after a count, in area 3, which the grid reaches.
    if (countEntry)
        confirm(f, 3, 2, QStringLiteral("SECONDO"));
    else
        confirm(f, 1, 0, QStringLiteral("SECONDO"));
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.fileBytes(), countEntry ? namedSectionFile(" 5 ", 3, 2).replace("a3c3", "SECONDO")
                                       : QByteArray(first).replace("a1c1", "SECONDO"));
}

void TestSaveFaults::closingAfterAFailedSave_data()
{
    QTest::addColumn<QString>("change"); // the change whose save fails: a confirmation, a count or an inserted area
    QTest::addColumn<int>("answer");     // the button chosen: 0 Riprova, 1 Esci senza salvare, 2 Annulla
    QTest::addColumn<bool>("closeBox");  // closed by its close box, else by "Esci"

    QTest::newRow("Riprova once the fault is gone: saved, closed") << "confirmation" << 0 << false;
    QTest::newRow("a count, Riprova: saved, closed") << "count" << 0 << true;
    QTest::newRow("an inserted area, Riprova: saved, closed") << "insert" << 0 << false;
    QTest::newRow("Esci senza salvare: the file as it was, closed") << "confirmation" << 1 << true;
    QTest::newRow("Annulla: stays open with the value") << "confirmation" << 2 << false;
}

void TestSaveFaults::closingAfterAFailedSave()
{
    QFETCH(QString, change);
    QFETCH(int, answer);
    QFETCH(bool, closeBox);

    const QByteArray original = namedSectionFile(" 3 ", 3);
    StartedForm f(original);
    QVERIFY(QFile::remove(f.path())); // a folder in the file's place: every save fails
    QVERIFY(QDir().mkdir(f.path()));
    QByteArray changed = QByteArray(original).replace("a2c4", "SABBIA");
    if (change == QLatin1String("count")) {
        f.enterCount(QStringLiteral("2"));
        changed = namedSectionFile(" 2 ", 2);
    } else if (change == QLatin1String("insert")) {
        f.clickCell(2, 3);
        QTest::keyClick(&f.editor(), Qt::Key_Plus, Qt::ControlModifier);
        changed = QByteArray(original).replace(" 3 \r\n", " 4 \r\n").replace("a2c1", QByteArray("\r\n").repeated(6) + "a2c1");
    } else {
        confirm(f, 2, 3, QStringLiteral("SABBIA"));
    }
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.preview(), namedSectionPreview(3)); // what the file still holds

    // The save tried on closing fails too; then the user chooses.
    f.answer = [&](const QStringList &buttons) {
        [&] { QCOMPARE(buttons, (QStringList{"Riprova", "Esci senza salvare", "Annulla"})); }();
        QDir().rmdir(f.path());
        StartedForm::writeBytes(f.path(), original);
        return answer;
    };
    if (closeBox)
        f.form->close();
    else
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);

    QCOMPARE(f.questions.size(), size_t(1));
    QCOMPARE(f.questions.front().text,
             "Il file ComputoPersonalizzato.txt non è stato salvato.\nIl percorso del file è occupato da una cartella "
             "con lo stesso nome. Il file su disco non è stato modificato.\n\nLe ultime modifiche confermate non "
             "sono nel file " + QDir::toNativeSeparators(f.path()) + ". Uscendo senza salvare andranno perse.");
    QCOMPARE(f.form->isVisible(), answer == 2);
    QCOMPARE(f.fileBytes(), answer == 0 ? changed : original);
    if (answer == 2) { // still open: the next close saves without asking
        QVERIFY(f.form->close());
        QCOMPARE(f.fileBytes(), changed);
        QCOMPARE(f.questions.size(), size_t(1));
    }
}

#ifdef Q_OS_UNIX
// A write in place that stops part-way leaves a cut file of the program's
// own: closing writes it whole once the fault is gone, also when an undo
// (cut as well) has brought the table back to what the file held before,
// and it is not kept as another program's. While the fault lasts, "Esci
// senza salvare" puts back what the file held. A close that fails is a cut.
void TestSaveFaults::writeInPlaceCutShort_data()
{
    QTest::addColumn<QString>("fault");   // "size": a file-size limit; "close": the close refused
    QTest::addColumn<int>("limit");       // the limit: at 100 bytes the file as it was cannot be written either
    QTest::addColumn<bool>("undone");     // the change was undone, and that write cut too
    QTest::addColumn<bool>("lasts");      // the fault lasts until the program is closed
    QTest::addColumn<QString>("cause");   // the system's words

    const QString tooLarge = QStringLiteral("File too large");
    QTest::newRow("the confirmation cut; closing saves once the fault is gone") << "size" << 100 << false << false
                                                                                 << tooLarge;
    QTest::newRow("its undo cut too") << "size" << 100 << true << false << tooLarge;
    QTest::newRow("the fault lasts: Esci senza salvare puts the file back") << "size" << 200 << false << true
                                                                             << tooLarge;
#ifdef Q_OS_LINUX
    QTest::newRow("the close refused: a cut write too") << "close" << 0 << false << false
                                                         << QStringLiteral("Input/output error");
#endif
}

void TestSaveFaults::writeInPlaceCutShort()
{
    QFETCH(QString, fault);
    QFETCH(int, limit);
    QFETCH(bool, undone);
    QFETCH(bool, lasts);
    QFETCH(QString, cause);
    const QByteArray original = namedSectionFile(" 3 ", 3);
    const QString value = QStringLiteral("SABBIA ").repeated(15);
    StartedForm f(original);
    QVERIFY(QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto writable = qScopeGuard(
        [&] { QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    f.answer = [](const QStringList &) { return 1; }; // Esci senza salvare
    {
        std::optional<FileSizeLimit> sizeLimit;
        if (fault == QLatin1String("size")) {
            sizeLimit.emplace(limit);
            QVERIFY(sizeLimit->active());
        }
#ifdef Q_OS_LINUX
        refuseSectionFileClose = fault == QLatin1String("close");
        const auto closes = qScopeGuard([] { refuseSectionFileClose = false; });
#endif
        confirm(f, 2, 3, value);
        if (undone) { // the box first takes back its own typing, which stayed
            QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
        }
        if (lasts)
            QVERIFY(f.form->close());
    }
    const QString cut = "La scrittura del file si è interrotta (il sistema risponde: «" + cause
                        + "»). La cartella non permette di creare file, quindi il file è stato scritto direttamente e "
                          "ora può essere incompleto: va salvato di nuovo.";
    QCOMPARE(f.messages.size(), size_t(undone ? 2 : 1));
    QCOMPARE(f.messages.front().text, "Il file ComputoPersonalizzato.txt non è stato salvato.\n" + cut
                                          + "\n\nIl valore resta nella tabella e sarà salvato alla prossima conferma.");
    if (lasts) {
        QCOMPARE(f.questions.size(), size_t(1));
        QCOMPARE(f.questions.front().text,
                 "Il file ComputoPersonalizzato.txt non è stato salvato.\n" + cut
                     + "\n\nLe ultime modifiche confermate non sono nel file " + QDir::toNativeSeparators(f.path())
                     + ". Uscendo senza salvare andranno perse, e il file sarà riportato com'era prima del "
                       "salvataggio interrotto.");
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.fileBytes(), original);
        return;
    }
    QCOMPARE(f.fileBytes().size(), limit ? limit : original.size() + value.size() - 4);

    QVERIFY(f.form->close());
    QCOMPARE(f.questions.size(), size_t(0));
    QCOMPARE(f.messages.size(), size_t(undone ? 2 : 1));
    QCOMPARE(f.fileBytes(), undone ? original : QByteArray(original).replace("a2c4", value.toLatin1()));
    QCOMPARE(f.fileBytes(".bak"), QByteArray("<missing>"));
}
#endif

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

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
        std::perror("tst_savefaults: cannot become the user nobody");
        return 1;
    }
#endif
    TestSaveFaults::initMain();
    QApplication app(argc, argv);
    TestSaveFaults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savefaults.moc"
