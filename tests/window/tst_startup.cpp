#include "formfixture.h"

#include "window/examplepicture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>

namespace {

// The window as the start-up sequence must leave it.
void verifyReady(const StartedForm &f)
{
    const Form1Ui &ui = f.ui();
    QVERIFY(ui.TXTedit->isHidden());
    QVERIFY(ui.Combo1->isHidden() && ui.Combo2->isHidden());
    QVERIFY(ui.Label3->isHidden() && ui.Label4->isHidden());
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!ui.Image1->line(n).visible);
    QCOMPARE(QApplication::focusWidget(), ui.Text5);
    QCOMPARE(ui.Text5->text(), QString::number(f.form->table().Naree));
}

} // namespace

class TestStartup : public WindowTest
{
    Q_OBJECT

private slots:
    void startsFromTheFile_data();
    void startsFromTheFile();
    void missingFileIsReportedAndCreated();
    void unusableFileIsKeptAsBackup();
    void lockOnTheFolder_data();
    void lockOnTheFolder();
};

void TestStartup::startsFromTheFile_data()
{
    QTest::addColumn<int>("areas");
    QTest::addColumn<int>("gridRows");
    QTest::addColumn<QByteArray>("savedCount"); // the count line the start writes; empty: the file is not rewritten

    QTest::newRow("no areas: saved, then the one-row recovery") << 0 << 2 << QByteArray(" 0 ");
    QTest::newRow("one area") << 1 << 2 << QByteArray(" 1 ");
    QTest::newRow("three areas") << 3 << 4 << QByteArray(" 3 ");
    QTest::newRow("one hundred areas") << 100 << 101 << QByteArray(" 100 ");
    QTest::newRow("negative count: recovery before any save") << -4 << 2 << QByteArray();
}

void TestStartup::startsFromTheFile()
{
    QFETCH(int, areas);
    QFETCH(int, gridRows);
    QFETCH(QByteArray, savedCount);

    // The count line without its blanks, as another program may write it:
    // a start that saves writes it back in the file's own form.
    const QByteArray bytes = namedSectionFile(QByteArray::number(areas), qMax(areas, 0));
    StartedForm f(bytes);
    QVERIFY(f.started);

    verifyReady(f);
    QVERIFY(f.messages.empty());
    QCOMPARE(f.form->table(), namedSection(areas));
    QCOMPARE(f.grid().Rows(), gridRows);
    QCOMPARE(f.fileBytes(), savedCount.isEmpty() ? bytes : namedSectionFile(savedCount, qMax(areas, 0)));
    QCOMPARE(f.preview(), namedSectionPreview(qMax(areas, 0)));
    if (areas >= 1) {
        QCOMPARE(f.grid().Row(), areas);
        QCOMPARE(f.grid().Col(), 5);
        QCOMPARE(f.grid().Text(), QStringLiteral("a%1c6").arg(areas));
    }
}

void TestStartup::missingFileIsReportedAndCreated()
{
    StartedForm f([](const QString &) {}); // no file
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.messages.front().icon, QMessageBox::Information);
    QCOMPARE(f.messages.front().title, QStringLiteral("Attenzione"));
    QCOMPARE(f.messages.front().text, QStringLiteral("File: ComputoPersonalizzato.txt NON trovato!"));
    verifyReady(f);
    QCOMPARE(f.ui().Text5->text(), QStringLiteral("1"));
    QCOMPARE(f.grid().Rows(), 2);
    QCOMPARE(f.fileBytes(), crlfLines(QList<QByteArray>(11) << " 1 " << "" << "" << "" << "" << "" << ""));
}

void TestStartup::unusableFileIsKeptAsBackup()
{
    const QList<QByteArray> header{"Computo", "", "", "", "", "", "", "", "", "", "lotto 2"};
    const QByteArray broken = crlfLines(header + QList<QByteArray>{" 150 ", "valori"});
    StartedForm f([&broken](const QString &path) {
        StartedForm::writeBytes(path + ".bak", "earlier backup");
        StartedForm::writeBytes(path, broken);
    });
    QVERIFY(f.started);

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY(f.messages.front().text.contains(QStringLiteral("150")));
    QVERIFY(f.messages.front().text.contains(QStringLiteral("ComputoPersonalizzato.txt.bak2")));
    QCOMPARE(f.fileBytes(".bak2"), broken);
    QCOMPARE(f.fileBytes(".bak"), QByteArray("earlier backup"));
    // The header lines stay; the areas start from one empty one.
    QCOMPARE(f.fileBytes(), crlfLines(header + QList<QByteArray>{" 1 ", "", "", "", "", "", ""}));
    verifyReady(f);
}

void TestStartup::lockOnTheFolder_data()
{
    QTest::addColumn<QString>("holder"); // "window", "killed", "no folder", else the text of a lock file
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("texts"); // the messages shown, with {lock} and {folder}

    const QString opened = "La sezione ComputoPersonalizzato.txt è già aperta in un altro Profilara (processo %1 sul "
                           "computer %2).\n\nQuesto programma si chiude senza leggere né modificare il file.";
    const QString clear = "\nSe %1, il blocco è rimasto da un programma interrotto: eliminare il file {lock} e "
                          "avviare di nuovo Profilara.";
    QTest::newRow("another window on this computer: turned away")
        << "window" << false
        << QStringList{opened.arg(QString::number(QCoreApplication::applicationPid()), QSysInfo::machineHostName())
                       + " Continuare nella finestra già aperta."
                       + clear.arg("non c'è nessun'altra finestra di Profilara aperta su questa sezione")};
#ifdef Q_OS_UNIX
    QTest::newRow("a Profilara killed on this computer: started") << "killed" << true << QStringList();
#endif
    QTest::newRow("a Profilara on another computer: turned away, told how to clear it")
        << "4242\nprofilara\naltro-pc\n" << false
        << QStringList{opened.arg("4242", "altro-pc")
                       + clear.arg("sul computer altro-pc nessun Profilara è aperto su questa sezione")};
    QTest::newRow("a lock that names no program: turned away, told how to clear it")
        << "" << false
        << QStringList{"La sezione ComputoPersonalizzato.txt risulta già aperta: la blocca il file {lock}, che però "
                       "non indica quale programma l'ha aperta.\n\nQuesto programma si chiude senza leggere né "
                       "modificare il file." + clear.arg("nessun altro Profilara è aperto su questa sezione")};
    QTest::newRow("no lock can be made (no folder): told once why, started, its save reports the failure")
        << "no folder" << true
        << QStringList{"Non è stato possibile creare il file di blocco {lock}: il percorso è troppo lungo oppure il "
                       "disco non lo permette; il sistema risponde: «No such file or directory».\n\nProfilara "
                       "funziona lo stesso, ma non può accorgersi se un altro Profilara apre la stessa sezione: non "
                       "aprirla due volte.",
                       "File: ComputoPersonalizzato.txt NON trovato!",
                       "Il file ComputoPersonalizzato.txt non è stato salvato.\nLa cartella {folder} non esiste. Il "
                       "file su disco non è stato modificato."};
}

void TestStartup::lockOnTheFolder()
{
    QFETCH(QString, holder);
    QFETCH(bool, starts);
    QFETCH(QStringList, texts);

    const QByteArray bytes = namedSectionFile(" 3 ", 3);
    std::unique_ptr<Form1> window;
    StartedForm f([&](const QString &path) {
        if (holder == QLatin1String("no folder")) {
            QVERIFY(QDir(QFileInfo(path).path()).removeRecursively());
            return;
        }
        StartedForm::writeBytes(path, bytes);
        if (holder == QLatin1String("window")) {
            window = std::make_unique<Form1>(QFileInfo(path).path());
            QVERIFY(window->Form_Load());
        }
#ifdef Q_OS_UNIX
        else if (holder == QLatin1String("killed")) { // a copy of the program, in its folder
            const QString program = QFileInfo(path).path() + "/profilara";
            QVERIFY(QFile::copy(PROFILARA_EXECUTABLE, program));
            QProcess child; // on this test's platform
            child.start(program, {});
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path + ".lock").size() > 0, 30000);
            child.kill(); // SIGKILL: it cannot release the lock
            QVERIFY(child.waitForFinished());
        }
#endif
        else // an hour old: its age must not make it stale
            StartedForm::writeBytes(path + ".lock", holder.toUtf8(), true);
    });
    if (QTest::currentTestFailed())
        return;
    const QString lockPath = f.path() + ".lock";

    QCOMPARE(f.started, starts);
    QCOMPARE(f.messages.size(), size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        texts[i].replace("{lock}", QDir::toNativeSeparators(lockPath));
        QCOMPARE(f.messages[i].text, texts[i].replace("{folder}", QDir::toNativeSeparators(f.dir.path())));
    }
    if (!starts) {
        QCOMPARE(f.fileBytes(), bytes); // neither written nor rewritten by the start-up
    } else if (holder == QLatin1String("killed")) {
        QCOMPARE(f.form->table(), namedSection(3));
        QVERIFY(!QLockFile(lockPath).tryLock()); // the lock is this program's now
    }
    if (window) { // closing the window frees the section
        window->close();
        QVERIFY(!QFile::exists(lockPath));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
