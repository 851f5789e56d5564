#include "section/sectionsession.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>

// The section session without a window: what its start and its saves tell
// the user, and what they leave on disk.

namespace {

const QByteArray kUsable = crlfLines(QList<QByteArray>{"Computo"} + QList<QByteArray>(10)
                                     << " 1 " << "SABBIA" << "" << "" << "" << "" << "");

// Takes every backup name, so that no copy of the section file can be kept.
void takeEveryBackupName(const QString &path)
{
    for (int n = 1; n < 1000; ++n)
        writeFile(path + ".bak" + (n == 1 ? QString() : QString::number(n)), "earlier");
}

} // namespace

class TestSectionSession : public QObject
{
    Q_OBJECT

private slots:
    void startTells_data();
    void startTells();
    void saveTells_data();
    void saveTells();
};

void TestSectionSession::startTells_data()
{
    QTest::addColumn<QByteArray>("file");    // null: none
    QTest::addColumn<QString>("beside");     // "lock": another computer holds the section; "window": another
                                             // window here does; "backups": none free
    QTest::addColumn<bool>("starts");
    QTest::addColumn<int>("level");          // of SessionNotice::Level; -1: nothing told
    QTest::addColumn<QString>("text");       // {lock}: the lock file's path; {pid}, {computer}: its holder
    QTest::addColumn<SectionTable>("table"); // the table the session starts with

    SectionTable oneEmpty;
    oneEmpty.Naree = 1;
    SectionTable headed = oneEmpty;
    headed.Intestazione[1] = QStringLiteral("Computo");
    SectionTable usable = headed;
    usable.Aree[1][1] = QStringLiteral("SABBIA");
    const int information = int(SessionNotice::Level::Information);
    const int warning = int(SessionNotice::Level::Warning);
    const QByteArray tooMany = crlfLines(QList<QByteArray>{"Computo"} + QList<QByteArray>(10) << " 150 " << "SABBIA");
    const QString unusable = QStringLiteral("Il file ComputoPersonalizzato.txt non può essere usato: %1\n\n");
    const QString kept = QStringLiteral("Il file originale è stato conservato come ComputoPersonalizzato.txt.bak.\nIl "
                                        "programma parte con ");

    QTest::newRow("a usable file: its section, nothing told") << kUsable << "" << true << -1 << "" << usable;
    SectionTable written = usable; // every form the save writes reads back whole: nothing is dropped
    written.Intestazione[2] = QStringLiteral("Comune, lotto 3");
    written.Aree[1][2] = QStringLiteral("0,5");
    written.Aree[1][3] = QStringLiteral("riga\r\nspezzata");
    QTest::newRow("a file the program wrote, quoted values included: nothing told")
        << encodeSectionFile(written).bytes << "" << true << -1 << "" << written;
    QTest::newRow("header lines whole, commas included; an editor's trimmed last lines read as empty")
        << crlfLines({"Computo", "Comune, lotto 3", "", "", "", "", "", "", "", "", "", " 1 ", "SABBIA", "0.3"}).chopped(2)
        << "" << true << -1 << "" << [&] {
               SectionTable t = headed;
               t.Intestazione[2] = QStringLiteral("Comune, lotto 3");
               t.Aree[1][1] = QStringLiteral("SABBIA");
               t.Aree[1][2] = QStringLiteral("0.3");
               return t;
           }();
    // Text that the first save would drop: the file is copied first, and the user told where once.
    const QString dropped = QStringLiteral("Il file ComputoPersonalizzato.txt contiene testo che non fa parte della "
                                           "sezione e che il salvataggio toglierebbe, dalla riga %1: «%2».\n\nIl file "
                                           "originale è stato conservato come ComputoPersonalizzato.txt.bak.");
    const auto withArea = [](const QList<QByteArray> &area) {
        return crlfLines(QList<QByteArray>{"Computo"} + QList<QByteArray>(10) << " 1 " << area);
    };
    QTest::newRow("lossy: text after a closing quote")
        << withArea({"SABBIA", "\"0,5\" circa", "", "", "", ""}) << "" << true << warning
        << dropped.arg(14).arg("circa") << [&] { SectionTable t = usable; t.Aree[1][2] = "0,5"; return t; }();
    QTest::newRow("lossy: a last value's extra items")
        << withArea({"SABBIA", "", "", "", "", "A.01, A.02"}) << "" << true << warning
        << dropped.arg(18).arg("A.02") << [&] { SectionTable t = usable; t.Aree[1][6] = "A.01"; return t; }();
    QTest::newRow("lossy: an area past the count")
        << withArea({"SABBIA", "", "", "", "", "", "GHIAIA", "0.2"}) << "" << true << warning
        << dropped.arg(19).arg("GHIAIA") << usable;
    QTest::newRow("lossy: a note after the last area, blank lines and commas before it")
        << withArea({"SABBIA", "", "", "", "", "", "", " ,", "  nota finale"}) << "" << true << warning
        << dropped.arg(21).arg("nota finale") << usable;
    QTest::newRow("no file: one empty area, told so")
        << QByteArray() << "" << true << information << "File: ComputoPersonalizzato.txt NON trovato!" << oneEmpty;
    QTest::newRow("150 areas: copied, the header lines kept, told so")
        << tooMany << "" << true << warning
        << unusable.arg("il file indica 150 aree, ma una sezione ne ha al massimo 100.") + kept
               + "le righe di intestazione lette dal file e una sola area vuota."
        << headed;
    QTest::newRow("ends within the header: copied, one empty area, told so")
        << crlfLines({"Computo", "", ""}) << "" << true << warning
        << unusable.arg("il file termina prima di tutte le righe che il suo numero di aree richiede.") + kept
               + "una sezione di una sola area vuota."
        << oneEmpty;
    QTest::newRow("150 areas and no backup name free: not started")
        << tooMany << "backups" << false << int(SessionNotice::Level::Critical)
        << unusable.arg("il file indica 150 aree, ma una sezione ne ha al massimo 100.")
               + "Non è stato possibile conservarne una copia, quindi il programma si chiude senza modificarlo."
        << SectionTable();
    QTest::newRow("held on another computer: not started, the file not read")
        << kUsable << "lock" << false << warning
        << "La sezione ComputoPersonalizzato.txt è già aperta in un altro Profilara (processo 4242 sul computer "
           "altro-pc).\n\nQuesto programma si chiude senza leggere né modificare il file.\nSe sul computer altro-pc "
           "nessun Profilara è aperto su questa sezione, il blocco è rimasto da un programma interrotto: eliminare "
           "il file {lock} e avviare di nuovo Profilara."
        << SectionTable();
    QTest::newRow("held by another window on this computer: not started, the file not read")
        << kUsable << "window" << false << warning
        << "La sezione ComputoPersonalizzato.txt è già aperta in un altro Profilara (processo {pid} sul computer "
           "{computer}).\n\nQuesto programma si chiude senza leggere né modificare il file. Continuare nella finestra "
           "già aperta.\nSe non c'è nessun'altra finestra di Profilara aperta su questa sezione, il blocco è rimasto "
           "da un programma interrotto: eliminare il file {lock} e avviare di nuovo Profilara."
        << SectionTable();
}

void TestSectionSession::startTells()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, beside);
    QFETCH(bool, starts);
    QFETCH(int, level);
    QFETCH(QString, text);
    QFETCH(SectionTable, table);

    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    if (!file.isNull())
        writeFile(path, file);
    if (beside == QLatin1String("lock"))
        writeFile(path + ".lock", "4242\nprofilara\naltro-pc\n");
    else if (beside == QLatin1String("backups"))
        takeEveryBackupName(path);
    SectionSession other(dir.path());
    if (beside == QLatin1String("window")) {
        QVERIFY(other.start().starts);
        // The holder as Qt's lock file names it: process id, program, computer.
        const QList<QByteArray> holder = readFile(path + ".lock").split('\n');
        QVERIFY(holder.size() >= 3);
        QCOMPARE(holder.at(0).toLongLong(), QCoreApplication::applicationPid());
        text.replace("{pid}", QString::fromLatin1(holder.at(0))).replace("{computer}", QString::fromUtf8(holder.at(2)));
    }

    SectionSession session(dir.path());
    const SessionStart start = session.start();
    QCOMPARE(start.starts, starts);
    QCOMPARE(start.notices.size(), size_t(level < 0 ? 0 : 1));
    const SessionNotice told = start.notices.empty() ? SessionNotice() : start.notices.front();
    QCOMPARE(level < 0 ? -1 : int(told.level), level);
    QCOMPARE(told.text, text.replace("{lock}", QDir::toNativeSeparators(path + ".lock")));
    QCOMPARE(session.table(), table);
    QCOMPARE(readFile(path), file.isNull() ? QByteArray("<unreadable>") : file); // the start writes nothing
    if (starts && level == int(SessionNotice::Level::Warning))
        QCOMPARE(readFile(path + ".bak"), file);
}

void TestSectionSession::saveTells_data()
{
    QTest::addColumn<bool>("rewritten");    // by another program, after the start
    QTest::addColumn<bool>("backupsTaken"); // no backup name is free
    QTest::addColumn<QString>("keptCopy");  // {file}: the section file's path
    QTest::addColumn<QString>("notSaved");

    QTest::newRow("nothing changed: saved, nothing told") << false << false << "" << "";
    QTest::newRow("rewritten by another program: copied, told where, saved")
        << true << false
        << "Un altro programma aveva modificato il file ComputoPersonalizzato.txt.\nLa sua versione è conservata nel "
           "file {file}.bak.\nIl file contiene ora la sezione di questa finestra."
        << "";
    QTest::newRow("rewritten, no backup name free: not saved, told why")
        << true << true << ""
        << "Il file ComputoPersonalizzato.txt non è stato salvato.\nUn altro programma ha modificato il file "
           "ComputoPersonalizzato.txt e non è stato possibile conservarne una copia. Il file su disco non è stato "
           "modificato.";
}

void TestSectionSession::saveTells()
{
    QFETCH(bool, rewritten);
    QFETCH(bool, backupsTaken);
    QFETCH(QString, keptCopy);
    QFETCH(QString, notSaved);

    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    writeFile(path, kUsable);
    SectionSession session(dir.path());
    QVERIFY(session.start().starts);
    session.table().Aree[1][1] = QStringLiteral("GHIAIA");
    const QByteArray theirs = kUsable + "ALTRO PROGRAMMA\r\n";
    if (rewritten)
        writeFile(path, theirs);
    if (backupsTaken)
        takeEveryBackupName(path);

    const SessionSave save = session.ScriveFileSezione();
    QCOMPARE(save.keptCopy.value_or(QString()), keptCopy.replace("{file}", QDir::toNativeSeparators(path)));
    QCOMPARE(save.notSaved.value_or(QString()), notSaved);
    QCOMPARE(readFile(path), !notSaved.isEmpty() ? theirs
                                                 : crlfLines(QList<QByteArray>{"Computo"} + QList<QByteArray>(10)
                                                             << " 1 " << "GHIAIA" << "" << "" << "" << "" << ""));
    if (!keptCopy.isEmpty())
        QCOMPARE(readFile(path + ".bak"), theirs);
    QVERIFY(!session.ScriveFileSezione().keptCopy); // a version is kept and told about once
}

QTEST_GUILESS_MAIN(TestSectionSession)
#include "tst_sectionsession.moc"
