#include "window/formfixture.h"

#include "window/drawing/dimensionbox.h"
#include "window/drawing/drawingwindow.h"
#include "window/drawing/stretchestab.h"
#include "window/sectionfiledialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTableView>

// The job kept in a file of its own, through the real windows: saved,
// the program closed and started again, opened; the question at close
// while the job has changes no file holds; a stretch whose section file
// is missing.

namespace {

// The worked example: three areas, the second following P.
QByteArray workedExampleFile()
{
    return crlfLines(QList<QByteArray>(11) << " 3 " << "SABBIA" << "0.30" << "0.10" << "0.2" << "0.5" << "E.01.001"
                                           << "RINTERRO" << "*0.50" << "0" << "0.2" << "0.5" << "E.01.002"
                                           << "PAVIMENTAZIONE" << "0.40" << "0.15" << "0" << "0" << "E.01.003");
}

// Opens the drawing window as the user does, Ctrl+D in the main window.
DrawingWindow *openDrawing(StartedForm &f)
{
    f.ui().Text5->setFocus();
    QTest::keyClick(f.ui().Text5, Qt::Key_D, Qt::ControlModifier);
    auto *drawing = f.form->findChild<DrawingWindow *>();
    if (drawing) {
        drawing->activateWindow();
        if (!QTest::qWaitFor([drawing] { return QApplication::activeWindow() == drawing; }))
            return nullptr;
    }
    return drawing;
}

template<typename T>
T *childNamed(const QWidget *window, const QString &name)
{
    for (T *found : window->findChildren<T *>())
        if (found->accessibleName() == name)
            return found;
    return nullptr;
}

// Types into a box of the window as a user does, and leaves it.
void type(QWidget *box, const QString &text)
{
    box->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(box))
        spin->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// Presses Ctrl and a key in the drawing window, made the active one first.
void pressCtrl(DrawingWindow *drawing, Qt::Key key)
{
    drawing->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), drawing);
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
}

// The file dialogs answer with `path`, and record what they were asked.
void chooseTo(DrawingWindow *drawing, const QString &path, QStringList *asked = nullptr)
{
    drawing->setPathChooser([path, asked](QWidget *, SectionFileChoice choice, const QString &offered) {
        if (asked)
            *asked << QStringLiteral("%1 %2").arg(int(choice)).arg(QFileInfo(offered).fileName());
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    });
}

} // namespace

class TestJobWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void savedClosedAndOpenedAgain();
    void questionAtClose_data();
    void questionAtClose();
    void openAsksFirstAndKeepsWhatIsRefused();
};

void TestJobWindow::savedClosedAndOpenedAgain()
{
    const QTemporaryDir jobs;
    QVERIFY(QDir(jobs.path()).mkdir(QStringLiteral("sezioni")));
    writeFile(jobs.filePath(QStringLiteral("sezioni/verde.txt")), workedExampleFile());
    const QString job = jobs.filePath(QStringLiteral("via Roma.profilara"));
    {
        StartedForm f(workedExampleFile());
        DrawingWindow *drawing = openDrawing(f);
        QVERIFY(drawing);
        QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione"));
        childNamed<QLineEdit>(drawing, QStringLiteral("Lavoro"))->setText(QStringLiteral("via Roma – Città alta"));
        type(childNamed<DimensionBox>(drawing, QStringLiteral("Diametro tubazione D (m)")), QStringLiteral("0,326"));
        type(childNamed<QLineEdit>(drawing, QStringLiteral("DN")), QStringLiteral("300"));
        StretchesTab &tab = drawing->stretchesTab();
        tab.paste(QStringLiteral("P1-P2\t40\t1,20\t1,80\r\nP3-P4\t30,00\t1.50\t2\t0,50\t500\t%1\r\n"
                                 "P5-P6\t10\t1,5\t1,5\t\t\tmanca.txt\r\n")
                      .arg(QDir::toNativeSeparators(jobs.filePath(QStringLiteral("sezioni/verde.txt")))));
        QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione *"));
        // A stretch whose section file is missing is named, and left out.
        QVERIFY(tab.problemsText().endsWith(
            QStringLiteral("Tratto P5-P6: la sezione «manca.txt» non si legge: il file non esiste.")));

        QStringList asked;
        chooseTo(drawing, job, &asked);
        pressCtrl(drawing, Qt::Key_S);
        QCOMPARE(asked, QStringList{QStringLiteral("%1 via Roma – Città alta.profilara").arg(int(SectionFileChoice::SaveJob))});
        QCOMPARE(drawing->statusText(), QStringLiteral("Lavoro salvato in %1.").arg(QDir::toNativeSeparators(job)));
        QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione – via Roma.profilara"));
        // The section under the job's folder is kept relative to it.
        QCOMPARE(tab.stretches().at(1).section, QStringLiteral("sezioni/verde.txt"));
        const QByteArray saved = readFile(job);
        QVERIFY(saved.contains("\"sezioni/verde.txt\""));
        QVERIFY(saved.contains("\"formato\": \"profilara-lavoro\""));

        // Saved unchanged: the same bytes; closed with nothing to ask.
        pressCtrl(drawing, Qt::Key_S);
        QCOMPARE(readFile(job), saved);
        QVERIFY(f.form->close());
        QVERIFY(f.questions.empty());
    }
    // The program started again: the job opened, all of it back.
    StartedForm f(workedExampleFile());
    DrawingWindow *drawing = openDrawing(f);
    QVERIFY(drawing);
    chooseTo(drawing, job);
    pressCtrl(drawing, Qt::Key_O);
    QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione – via Roma.profilara"));
    QCOMPARE(childNamed<QLineEdit>(drawing, QStringLiteral("Lavoro"))->text(), QStringLiteral("via Roma – Città alta"));
    QCOMPARE(childNamed<DimensionBox>(drawing, QStringLiteral("Diametro tubazione D (m)"))->text(), QStringLiteral("0,326"));
    QCOMPARE(childNamed<DimensionBox>(drawing, QStringLiteral("Larghezza di fondo L (m)"))->text(), QStringLiteral("0,80"));
    QCOMPARE(childNamed<QLineEdit>(drawing, QStringLiteral("DN"))->text(), QStringLiteral("300"));
    const std::vector<Stretch> stretches = drawing->stretchesTab().stretches();
    QCOMPARE(stretches.size(), size_t(3));
    QCOMPARE(stretches[1].length, QStringLiteral("30,00"));
    QCOMPARE(stretches[1].start, QStringLiteral("1.50"));
    QCOMPARE(stretches[1].nominal, QStringLiteral("500"));
    // Its section read from beside the job: the stretch is counted.
    QVERIFY(!drawing->stretchesTab().problemsText().contains(QStringLiteral("Tratto P3-P4: la sezione")));
    QCOMPARE(drawing->stretchesTab().takeoff().stretches[1].counted, true);
}

// Closing the program while the job has changes no file holds; a window
// only looked at asks nothing.
void TestJobWindow::questionAtClose_data()
{
    QTest::addColumn<int>("answer");     // 0 Salva, 1 Non salvare, 2 Annulla; -1: nothing asked
    QTest::addColumn<QString>("chosen"); // what the save dialog gives; empty: cancelled
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");

    QTest::newRow("the window only looked at: nothing asked, it ends") << -1 << "lavoro.profilara" << true << false;
    QTest::newRow("Annulla: the program stays open") << 2 << "lavoro.profilara" << false << false;
    QTest::newRow("Non salvare: it ends, nothing written") << 1 << "lavoro.profilara" << true << false;
    QTest::newRow("Salva, never saved: its name asked, written, then it ends")
        << 0 << "lavoro.profilara" << true << true;
    QTest::newRow("Salva, the name's dialog cancelled: it stays open") << 0 << "" << false << false;
    QTest::newRow("Salva, the write fails (no such folder): it stays open")
        << 0 << "manca/lavoro.profilara" << false << false;
}

void TestJobWindow::questionAtClose()
{
    QFETCH(int, answer);
    QFETCH(QString, chosen);
    QFETCH(bool, closed);
    QFETCH(bool, written);

    const QTemporaryDir jobs;
    const QString job = chosen.isEmpty() ? QString() : jobs.filePath(chosen);
    StartedForm f(workedExampleFile());
    DrawingWindow *drawing = openDrawing(f);
    QVERIFY(drawing);
    if (answer >= 0)
        type(childNamed<QLineEdit>(drawing, QStringLiteral("Lavoro")), QStringLiteral("Acquedotto"));
    else
        drawing->stretchesTab().stretchesView()->setFocus();
    chooseTo(drawing, job);
    f.answer = [answer](const QStringList &buttons) {
        return buttons == QStringList{"Salva", "Non salvare", "Annulla"} ? answer : int(buttons.size()) - 1;
    };
    QCOMPARE(f.form->close(), closed);
    QCOMPARE(f.questions.size(), size_t(answer >= 0 ? 1 : 0));
    if (answer >= 0)
        QCOMPARE(f.questions.front().text,
                 QStringLiteral("Il lavoro ha modifiche non salvate. Salvarle prima di uscire?"));
    QCOMPARE(f.form->isVisible(), !closed);
    QCOMPARE(!job.isEmpty() && QFileInfo::exists(job), written);
    if (chosen.startsWith(u"manca/"))
        QVERIFY(drawing->statusText().startsWith(QStringLiteral("Il lavoro non è stato salvato in ")));
}

// "Apri lavoro..." asks before it replaces changes no file holds; a file
// that is not a job is refused with the reason, the window keeping its job.
void TestJobWindow::openAsksFirstAndKeepsWhatIsRefused()
{
    const QTemporaryDir jobs;
    const QString notAJob = jobs.filePath(QStringLiteral("note.profilara"));
    writeFile(notAJob, "non un lavoro");
    StartedForm f(workedExampleFile());
    DrawingWindow *drawing = openDrawing(f);
    QVERIFY(drawing);
    auto *name = childNamed<QLineEdit>(drawing, QStringLiteral("Lavoro"));
    name->setText(QStringLiteral("Acquedotto"));
    QStringList asked;
    chooseTo(drawing, notAJob, &asked);
    int answer = 2;
    f.answer = [&answer](const QStringList &) { return answer; };

    pressCtrl(drawing, Qt::Key_O); // Annulla: no dialog
    QCOMPARE(f.questions.size(), size_t(1));
    QCOMPARE(f.questions.back().text,
             QStringLiteral("Il lavoro ha modifiche non salvate. Salvarle prima di aprirne un altro?"));
    QVERIFY(asked.isEmpty());

    answer = 1; // Non salvare: the dialog, then the refusal
    pressCtrl(drawing, Qt::Key_O);
    QCOMPARE(asked.size(), qsizetype(1));
    QCOMPARE(drawing->statusText(), QStringLiteral("Il file non è un lavoro di Profilara: il testo non è JSON valido "
                                                   "(riga 1, colonna 2)."));
    QCOMPARE(name->text(), QStringLiteral("Acquedotto"));
    QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione *"));
}

QTEST_MAIN(TestJobWindow)
#include "tst_jobwindow.moc"
