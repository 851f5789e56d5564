#include "window/formfixture.h"

#include "window/drawing/dimensionbox.h"
#include "window/drawing/drawingwindow.h"
#include "window/drawing/labellayout.h"
#include "window/italianqttexts.h"
#include "window/drawing/sectionpicture.h"
#include "window/drawing/sectionreport.h"

#include <QClipboard>
#include <algorithm>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>

// The drawing window with the worked example: its table of quantities, its
// copies, the PDF for the report and the Italian file dialog, and the
// dimensions typed with a comma.

namespace {

// L 0.80, P 1.50, D 0.40: the quantities are worked out by hand in
// tst_sectiondrawing.
SectionTable workedExample()
{
    SectionTable table;
    table.Naree = 3;
    const QStringList areas[] = {{"SABBIA", "0.30", "0.10", "0.2", "0.5", "E.01.001"},
                                 {"RINTERRO", "*0.50", "0", "0.2", "0.5", "E.01.002"},
                                 {"PAVIMENTAZIONE", "0.40", "0.15", "0", "0", "E.01.003"}};
    for (int a = 0; a < 3; ++a)
        for (int c = 0; c < 6; ++c)
            table.Aree[a + 1][c + 1] = areas[a][c];
    return table;
}

const QString kProblems =
    QStringLiteral("Area 1: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,20 del tubo.\n"
                   "Area 2: il coefficiente di detrazione è 0.5, ma nel disegno l'area contiene 0,80 del tubo.");

struct ShownWindow
{
    SectionTable table = workedExample();
    DrawingWindow window{table, nullptr};

    ShownWindow()
    {
        window.refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template<typename T>
    T *child(const QString &accessibleName = {}) const
    {
        for (T *found : window.findChildren<T *>())
            if (accessibleName.isEmpty() || found->accessibleName() == accessibleName)
                return found;
        return nullptr;
    }
    QPushButton *button(const QString &text) const
    {
        for (QPushButton *found : window.findChildren<QPushButton *>())
            if (found->text() == text)
                return found;
        return nullptr;
    }
};

// The text pdftotext reads from a PDF, its blanks and line ends made single
// blanks; nothing when the tool is missing.
std::optional<QString> pdfText(const QString &path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return std::nullopt;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

} // namespace

class TestDrawingWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void quantitiesAndTheirCopy();
    void ctrlCCopiesTheDrawing_data();
    void ctrlCCopiesTheDrawing();
    void dimensionsTakeACommaOrAPoint_data();
    void dimensionsTakeACommaOrAPoint();
    void pdfForTheReport();
    void exportAsksInItalian();
    void labelsBeside_data();
    void labelsBeside();
};

void TestDrawingWindow::quantitiesAndTheirCopy()
{
    ShownWindow w;
    const QTableView *view = w.child<QTableView>(QStringLiteral("Quantità per metro di scavo"));
    QVERIFY(view);
    QCOMPARE(view->model()->rowCount(), 4);
    QCOMPARE(view->model()->index(3, 9).data().toString(), QStringLiteral("2,240"));
    QCOMPARE(w.window.problemsText(), kProblems);
    const QList<QLabel *> labels = w.window.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
        return label->text() == QStringLiteral("L, P e D dipendono dalle sezioni tipo standard e qui servono solo "
                                               "come esempio per il disegno: non sono salvati nel file.");
    }));

    w.button(QStringLiteral("Copia quantità"))->click();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.startsWith(QStringLiteral("Area\tDescrizione\tVoce\tBase (m)\tSommità (m)\tAltezza (m)\tVolume "
                                             "(m³/m)\tTubo nell'area\tDetrazione (m³/m)\tNetto (m³/m)\r\n1\tSABBIA\t")));
    QVERIFY(copied.endsWith(QStringLiteral("\r\nTotale\t\t\t\t\t\t2,366\t\t0,126\t2,240\r\n")));
    QCOMPARE(w.window.statusText(), QStringLiteral("Quantità copiate negli appunti."));

    // A section drawn whole with the pipe where its coefficients say.
    w.table.Aree[1][2] = QStringLiteral("1.5");
    w.table.Aree[1][5] = QStringLiteral("1");
    w.table.Naree = 1;
    w.window.refresh();
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(w.window.problemsText(), QStringLiteral("Nessun problema rilevato."));
}

// Ctrl+C copies the drawing wherever the focus is, as "Copia disegno" does,
// but for a box with selected text, which copies that text.
void TestDrawingWindow::ctrlCCopiesTheDrawing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("text"); // what a text copy puts on the clipboard; empty: the drawing

    QTest::newRow("in the L box, nothing selected") << "L" << false << "";
    QTest::newRow("in the L box, its text selected") << "L" << true << "0.80";
    QTest::newRow("in the table") << "table" << false << "";
    QTest::newRow("in the problems, nothing selected") << "problems" << false << "";
    QTest::newRow("in the problems, all selected") << "problems" << true << kProblems;
    QTest::newRow("on a button") << "button" << false << "";
}

void TestDrawingWindow::ctrlCCopiesTheDrawing()
{
    QFETCH(QString, focus);
    QFETCH(bool, selected);
    QFETCH(QString, text);

    ShownWindow w;
    QWidget *target = nullptr;
    if (focus == u"L") {
        auto *box = w.child<DimensionBox>(QStringLiteral("Larghezza di fondo L (m)"));
        box->setFocus();
        selected ? box->selectAll() : box->findChild<QLineEdit *>()->deselect();
        target = box;
    } else if (focus == u"table") {
        target = w.child<QTableView>();
    } else if (focus == u"problems") {
        auto *problems = w.child<QPlainTextEdit>(QStringLiteral("Problemi del disegno"));
        problems->setFocus();
        if (selected)
            problems->selectAll();
        target = problems;
    } else {
        target = w.button(QStringLiteral("Esporta PDF..."));
    }
    target->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);

    if (!text.isEmpty()) {
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QVERIFY(w.window.statusText().isEmpty());
        return;
    }
    const QImage image = QGuiApplication::clipboard()->image();
    const QSize shown = w.window.picture().size();
    QVERIFY2(image.width() >= 1600 && image.width() >= 2 * shown.width() && image.height() >= 2 * shown.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height())));
    QCOMPARE(w.window.statusText(), QStringLiteral("Disegno copiato negli appunti (%1 × %2 pixel).")
                                        .arg(image.width())
                                        .arg(image.height()));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QVERIFY(image.convertToFormat(QImage::Format_Mono).pixelIndex(image.width() / 2, image.height() / 2) >= 0);
}

// L, P and D as typed in their boxes, shown as the drawing gives them.
void TestDrawingWindow::dimensionsTakeACommaOrAPoint_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("area1"); // the drawing's words for area 1

    QTest::newRow("L 0,90 with a comma") << "Larghezza di fondo L (m)" << "0,90" << "0.90"
                                         << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1.1 m, in sommità 1.22 m.";
    QTest::newRow("L 0.90 with a point") << "Larghezza di fondo L (m)" << "0.90" << "0.90"
                                         << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1.1 m, in sommità 1.22 m.";
    QTest::newRow("P 2,5") << "Profondità P del fondo tubo (m)" << "2,5" << "2.50"
                           << "Area 1, SABBIA: altezza 0.3 m, larghezza al piede 1 m, in sommità 1.12 m.";
}

void TestDrawingWindow::dimensionsTakeACommaOrAPoint()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, area1);

    ShownWindow w;
    auto *field = w.child<DimensionBox>(box);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(field->text(), shown);
    QVERIFY(w.window.picture().accessibleDescription().startsWith(area1));
}

// The PDF: A4, its text selectable, the worked example's values and numbers.
void TestDrawingWindow::pdfForTheReport()
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sezione.pdf"));
    const SectionTable table = workedExample();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    QCOMPARE(writeSectionReport(path, table, {}, QDate(2025, 3, 7), font), std::nullopt);
    const QByteArray bytes = readFile(path);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]")); // A4 in points

    const QString missing = folder.filePath(QStringLiteral("nessuna/sezione.pdf"));
    const std::optional<QString> refused = writeSectionReport(missing, table, {}, QDate(2025, 3, 7), font);
    QVERIFY(refused && refused->startsWith(QStringLiteral("Il PDF non è stato salvato in %1 (il sistema risponde: «")
                                               .arg(missing)));

    const std::optional<QString> text = pdfText(path);
    if (!text)
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read");
    for (const QString &expected :
         {QStringLiteral("Sezione tipo personalizzata 7 marzo 2025 Aree della sezione"),
          QStringLiteral("1 SABBIA 0.30 0.10 0.2 0.5 E.01.001"), QStringLiteral("2 RINTERRO *0.50 0 0.2 0.5 E.01.002"),
          QStringLiteral("H2 = 1"), QStringLiteral("Scala 1:20"),
          QStringLiteral("Dimensioni d'esempio, non salvate nel file: L = 0.8 m, P = 1.5 m, D = 0.4 m"),
          QStringLiteral("Quantità per metro di scavo"),
          QStringLiteral("1 SABBIA E.01.001 1,000 1,120 0,300 0,318 0,20 0,063 0,255"),
          QStringLiteral("2 RINTERRO E.01.002 1,120 1,520 1,000 1,320 0,80 0,063 1,257"),
          QStringLiteral("Totale 2,366 0,126 2,240"),
          QStringLiteral("Problemi del disegno ") + QString(kProblems).replace(u'\n', u' ')})
        QVERIFY2(text->contains(expected), qPrintable(expected + QStringLiteral("\nnot in:\n") + *text));
}

// "Esporta PDF..." asks with Qt's dialog in Italian; a path given writes the
// PDF and says so, a cancel does nothing.
void TestDrawingWindow::exportAsksInItalian()
{
    ItalianQtTexts texts;
    QCoreApplication::installTranslator(&texts);
    ShownWindow w;
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen << dialog->windowTitle() << dialog->findChild<QLabel *>(QStringLiteral("lookInLabel"))->text()
             << dialog->findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text()
             << dialog->findChild<QLabel *>(QStringLiteral("fileTypeLabel"))->text();
        const auto *buttons = dialog->findChild<QDialogButtonBox *>();
        seen << buttons->button(QDialogButtonBox::Save)->text() << buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(seen, QStringList({"Esporta PDF", "Cerca in:", "&Nome file:", "Tipo file:", "&Salva", "Annulla"}));
    QVERIFY(w.window.statusText().isEmpty());

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sezione.pdf"));
    w.window.setPathChooser([&path](QWidget *) { return std::optional<QString>(path); });
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(w.window.statusText(), QStringLiteral("PDF salvato in %1.").arg(path));
    QVERIFY(readFile(path).startsWith("%PDF-"));
}

// Centres of labels 10 high between 0 and 100, "-" for one left out.
void TestDrawingWindow::labelsBeside_data()
{
    QTest::addColumn<QList<double>>("wanted");
    QTest::addColumn<double>("high");
    QTest::addColumn<QString>("centres");

    QTest::newRow("apart: each where it wants") << QList<double>{20, 50} << 100.0 << "20 50";
    QTest::newRow("overlapping: moved apart about their middle") << QList<double>{50, 52} << 100.0 << "46 56";
    QTest::newRow("in any order given") << QList<double>{52, 50} << 100.0 << "56 46";
    QTest::newRow("at the edge: moved inside") << QList<double>{2, 4} << 100.0 << "5 15";
    QTest::newRow("a block that grows into the label before it takes it along")
        << QList<double>{14, 30, 31, 32} << 100.0 << "11.75 21.75 31.75 41.75";
    QTest::newRow("more than fit: three of six kept, first, middle and last")
        << QList<double>{15, 15, 15, 15, 15, 15} << 30.0 << "5 - 15 - - 25";
}

void TestDrawingWindow::labelsBeside()
{
    QFETCH(QList<double>, wanted);
    QFETCH(double, high);
    QFETCH(QString, centres);

    QStringList placed;
    for (const std::optional<double> &centre : spreadLabels({wanted.begin(), wanted.end()}, 10, 0, high))
        placed << (centre ? metres(*centre) : QStringLiteral("-"));
    QCOMPARE(placed.join(u' '), centres);
}

QTEST_MAIN(TestDrawingWindow)
#include "tst_drawingwindow.moc"
