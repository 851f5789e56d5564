#include "window/formfixture.h"

#include "takeoff/takeoffsupport.h"
#include "section/sectionclipboard.h"
#include "window/drawing/depthtab.h"
#include "window/drawing/dimensionbox.h"
#include "window/drawing/drawingwindow.h"
#include "window/drawing/itemstab.h"
#include "window/drawing/labellayout.h"
#include "window/drawing/placement.h"
#include "window/drawing/reportlayout.h"
#include "window/drawing/sectionpicture.h"
#include "window/drawing/sectionreport.h"
#include "window/drawing/sectiontab.h"
#include "window/drawing/stretchestab.h"
#include "window/italianqttexts.h"
#include "window/sectionfiledialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QPainter>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <cmath>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

// The drawing window with the worked example: its table of quantities, its
// copies, the PDF for the report and the Italian file dialog, the exports
// that never write over the section's files, the dimensions typed with a
// comma, the tabs of the depths and of the stretches, and where the window
// and the labels of its drawing are placed.

namespace {

// Areas as "description|H|X|tan alfa|coefficient|price code".
SectionTable sectionOf(const QStringList &areas)
{
    SectionTable table;
    table.Naree = qint16(areas.size());
    for (int a = 0; a < areas.size(); ++a) {
        const QStringList values = areas[a].split(u'|');
        for (int c = 0; c < values.size(); ++c)
            table.Aree[a + 1][c + 1] = values[c];
    }
    return table;
}

// L 0.80, P 1.50, D 0.40: the quantities are worked out by hand in
// tst_sectiondrawing.
SectionTable workedExample()
{
    return sectionOf({"SABBIA|0.30|0.10|0.2|0.5|E.01.001", "RINTERRO|*0.50|0|0.2|0.5|E.01.002",
                      "PAVIMENTAZIONE|0.40|0.15|0|0|E.01.003"});
}

const QString kProblems = QStringLiteral(
    "Area 1: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,20.\n"
    "Area 2: il coefficiente di detrazione «0.5» non corrisponde alla parte di tubo nell'area, 0,80.\n"
    "Con D = 0,40 m e uno scavo profondo 1,70 m, UNI EN 1610 chiede un fondo largo almeno 1,10 m (D + 0,70 m): il "
    "fondo è largo 1,00 m.");

// The worked example's two stretches, as a spreadsheet copies them with
// their header row.
const QString kStretchesBlock = QStringLiteral("Tratto\tLunghezza\tDa\tA\r\nP1-P2\t40\t1,20\t1,80\r\nP2-P3\t35,50\t1,"
                                               "80\t2,60\r\n");

struct ShownWindow
{
    QTemporaryDir folder;
    SectionTable table = workedExample();
    DrawingWindow window{table, folder.path(), nullptr};

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
    // Types into a box of the window as a user does, and leaves it.
    void type(const QString &box, const QString &text) const
    {
        auto *field = child<QLineEdit>(box);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    void chooseExportTo(const QString &path)
    {
        window.setPathChooser(
            [path](QWidget *, SectionFileChoice, const QString &) { return std::optional<QString>(path); });
    }
};

// The rows of a table view as lines of "|"-separated cells.
QStringList shownRows(const QTableView *view)
{
    QStringList rows;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

// The text pdftotext reads from pages of a PDF, its blanks and line ends
// made single blanks; nothing when the tool is missing.
std::optional<QString> pdfText(const QString &path, int page = 0)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return std::nullopt;
    QStringList arguments{QStringLiteral("-layout"), path, QStringLiteral("-")};
    if (page > 0)
        arguments = QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)}
                    + arguments;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments);
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

ReportContent reportContent(const QString &job = {})
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return {{}, job, QDate(2025, 3, 7), font, {1.00, 1.50, 2.00, 2.50}, {}, {}, {}, {}};
}

} // namespace

class TestDrawingWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void quantitiesAndTheirCopy();
    void partialSectionHasNoTotal();
    void everyRowInSight();
    void fitsALaptopScreen();
    void ctrlCCopiesTheDrawing_data();
    void ctrlCCopiesTheDrawing();
    void dimensionsTakeACommaOrAPoint_data();
    void dimensionsTakeACommaOrAPoint();
    void depthsOfTheWorkedExample();
    void stretchesOfTheWorkedExample();
    void exportsRefuseTheSectionsFiles_data();
    void exportsRefuseTheSectionsFiles();
    void nothingExportedWhileUnsaved();
    void pdfForTheReport();
    void pdfPagesOfALongSection();
    void pdfOfANewUsersJob();
    void importsOfTheOfficesData();
    void itemsOfTheJob();
    void aSectionFileChangedBetweenExports();
    void reportPages_data();
    void reportPages();
    void exportAsksInItalian();
    void exportFileNames_data();
    void exportFileNames();
    void exportsOfferTheLastFolder();
    void diameterLabelClear_data();
    void diameterLabelClear();
    void labelsBeside_data();
    void labelsBeside();
    void placedBesideTheMainWindow_data();
    void placedBesideTheMainWindow();
};

void TestDrawingWindow::quantitiesAndTheirCopy()
{
    ShownWindow w;
    const QTableView *view = w.child<QTableView>(QStringLiteral("Quantità per metro di scavo"));
    QVERIFY(view);
    QCOMPARE(shownRows(view).last(), QStringLiteral("Totale||||||2,366||0,126|2,240"));
    QCOMPARE(w.window.problemsText(), kProblems);
    QCOMPARE(w.window.summaryText(), QStringLiteral("La sezione vale per P maggiore di 0,50 m.\nIl fondo del tubo è 0,20 "
                                                    "m sopra il fondo dello scavo a ogni profondità."));
    const QList<QLabel *> labels = w.window.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
        return label->text() == QStringLiteral("Somma dei coefficienti di detrazione: 1,00");
    }));

    // Six decimals, and the regional settings' separator.
    const QLocale regional;
    for (const auto &[locale, total] :
         {std::pair(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("Totale\t\t\t\t\t\t2,366000\t\t0,125664\t2,240336\r\n")),
          std::pair(QLocale(QLocale::English, QLocale::UnitedStates),
                    QStringLiteral("Totale\t\t\t\t\t\t2.366000\t\t0.125664\t2.240336\r\n"))}) {
        QLocale::setDefault(locale);
        w.button(QStringLiteral("Copia quantità"))->click();
        QVERIFY2(QGuiApplication::clipboard()->text().endsWith(total), qPrintable(QGuiApplication::clipboard()->text()));
    }
    QLocale::setDefault(regional);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("Area\tDescrizione\tVoce\tBase (m)\tSommità (m)\tAltezza (m)\tVolume (m³/m)\tTubo nell'area\t"
                       "Detrazione (m³/m)\tNetto (m³/m)\r\n1\tSABBIA\tE.01.001\t1.000000\t1.120000\t")));
    QCOMPARE(w.window.statusText(), QStringLiteral("Quantità copiate negli appunti."));

    // A section drawn whole with the pipe where its coefficients say and a bottom wide enough.
    w.table = sectionOf({"A|1.5|0.15|0|1"});
    w.window.refresh();
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(w.window.problemsText(), QStringLiteral("Nessun problema rilevato."));
}

// P too small for the area that follows it: the areas below listed, no
// total, no pipe; the copy says it as the window does.
void TestDrawingWindow::partialSectionHasNoTotal()
{
    ShownWindow w;
    w.child<DimensionBox>(QStringLiteral("Profondità P del fondo tubo (m)"))->setValue(0.40);
    const QTableView *view = w.child<QTableView>(QStringLiteral("Quantità per metro di scavo"));
    QCOMPARE(shownRows(view), QStringList{"1|SABBIA|E.01.001|1,000|1,120|0,300|0,318||0,063|0,255"});
    QCOMPARE(w.window.problemsText(),
             QStringLiteral("Quantità parziali: le aree da 2 a 3 non sono disegnate.\nArea 2: con P = 0,40 m l'altezza "
                            "risulta nulla o negativa: la sezione vale per P maggiore di 0,50 m."));
    QVERIFY(w.window.picture().accessibleDescription().startsWith(QStringLiteral("Area 1, SABBIA: altezza 0,30 m")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    w.button(QStringLiteral("Copia quantità"))->click();
    QLocale::setDefault(QLocale::c());
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(
        QStringLiteral("\r\n1\tSABBIA\tE.01.001\t1,000000\t1,120000\t0,300000\t0,318000\t\t0,062832\t0,255168\r\nQuantità "
                       "parziali: le aree da 2 a 3 non sono disegnate.\r\n")));
}

// Up to ten areas and "Totale" the table shows every row, with no scroll
// bar; beyond that it scrolls. A long description wraps in its cell.
void TestDrawingWindow::everyRowInSight()
{
    ShownWindow w;
    w.child<DimensionBox>(QStringLiteral("Profondità P del fondo tubo (m)"))->setValue(0.50);
    const QTableView *view = w.child<QTableView>(QStringLiteral("Quantità per metro di scavo"));
    for (const int areas : {3, 10, 11}) {
        QStringList rows;
        for (int a = 1; a <= areas; ++a)
            rows << (a == 2 ? QStringLiteral("Rinterro con materiale di risulta dallo scavo, compattato a strati di "
                                             "trenta centimetri|0.2|0|0|0")
                            : QStringLiteral("A%1|0.2|0|0|0").arg(a));
        w.table = sectionOf(rows);
        w.window.refresh();
        QCoreApplication::processEvents();
        const int total = view->model()->rowCount() - 1;
        const int bottom = view->rowViewportPosition(total) + view->rowHeight(total);
        QCOMPARE(bottom <= view->viewport()->height(), areas <= 10);
        QCOMPARE(view->verticalScrollBar()->isVisible(), areas > 10);
        QVERIFY(view->rowHeight(1) > view->rowHeight(0)); // the long description on more lines
    }
}

// Ten areas of long descriptions on a laptop's screen of 768 pixels (the
// offscreen platform's second screen): the window's buttons stay on it and
// the table scrolls; after a narrower window the descriptions wrap again
// and are never cut.
void TestDrawingWindow::fitsALaptopScreen()
{
    QScreen *laptop = nullptr;
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->size().height() == 768)
            laptop = screen;
    if (!laptop)
        QSKIP("no screen of 768 pixels (offscreen:configfile=screen.json)");
    QStringList rows;
    for (int a = 1; a <= 10; ++a)
        rows << QStringLiteral("Rinterro con materiale di risulta dallo scavo compattato a strati di trenta centimetri, "
                               "strato %1|0.1|0|0|0").arg(a);
    const QTemporaryDir folder;
    const SectionTable table = sectionOf(rows);
    DrawingWindow window(table, folder.path(), nullptr);
    window.setScreen(laptop);
    window.refresh();
    window.showBeside(window); // no main window: where the screen has room
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(window.minimumSizeHint().height() <= 768 - 40,
             qPrintable(QString::number(window.minimumSizeHint().height())));
    const QTableView *view = window.sectionTab().quantitiesView();
    QVERIFY(view->verticalScrollBar()->isVisible());

    for (const int width : {700, 1300}) {
        window.resize(width, window.height());
        QCoreApplication::processEvents();
        const int description = view->columnWidth(1) - 14;
        const QString text = view->model()->index(0, 1).data().toString();
        const int lines = view->fontMetrics().boundingRect(QRect(0, 0, description, 1 << 20), Qt::TextWordWrap, text)
                              .height();
        QVERIFY2(view->rowHeight(0) >= lines && view->rowHeight(0) < lines + view->fontMetrics().height(),
                 qPrintable(QStringLiteral("%1: row %2, text %3").arg(width).arg(view->rowHeight(0)).arg(lines)));
    }
}

// Ctrl+C copies the drawing wherever the focus is, as "Copia disegno" does,
// but for a box with selected text, which copies that text.
void TestDrawingWindow::ctrlCCopiesTheDrawing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("text"); // what a text copy puts on the clipboard; empty: the drawing

    QTest::newRow("in the L box, nothing selected") << "L" << false << "";
    QTest::newRow("in the L box, its text selected") << "L" << true << "0,80";
    QTest::newRow("in the table") << "table" << false << "";
    QTest::newRow("in the problems, nothing selected") << "problems" << false << "";
    QTest::newRow("in the problems, all selected") << "problems" << true << kProblems;
    QTest::newRow("on a button") << "button" << false << "";
    QTest::newRow("in Lavoro, nothing selected") << "job" << false << "";
    QTest::newRow("in Lavoro, its text selected") << "job" << true << "Fognatura";
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
    } else if (focus == u"job") {
        auto *job = w.child<QLineEdit>(QStringLiteral("Lavoro"));
        job->setText(QStringLiteral("Fognatura"));
        job->setFocus();
        selected ? job->selectAll() : job->deselect();
        target = job;
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
}

// L, P and D as typed in their boxes, shown with a comma as the drawing
// gives them.
void TestDrawingWindow::dimensionsTakeACommaOrAPoint_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("area1"); // the drawing's words for area 1
    QTest::addColumn<QString>("status");

    const QString area1 = QStringLiteral("Area 1, SABBIA: altezza 0,30 m, larghezza al piede 1,00 m, in sommità 1,12 m.");
    QTest::newRow("L 0,90 with a comma") << "Larghezza di fondo L (m)" << "0,90" << "0,90"
                                         << "Area 1, SABBIA: altezza 0,30 m, larghezza al piede 1,10 m, in sommità 1,22 m."
                                         << "";
    QTest::newRow("L 0.90 with a point") << "Larghezza di fondo L (m)" << "0.90" << "0,90"
                                         << "Area 1, SABBIA: altezza 0,30 m, larghezza al piede 1,10 m, in sommità 1,22 m."
                                         << "";
    QTest::newRow("P 2,5") << "Profondità P del fondo tubo (m)" << "2,5" << "2,50" << area1 << "";
    QTest::newRow("D 0,326 of a DN 300 ductile iron pipe: to the millimetre, kept")
        << "Diametro tubazione D (m)" << "0,326" << "0,326" << area1 << "";
    QTest::newRow("a fourth decimal: refused, and said")
        << "Diametro tubazione D (m)" << "0,3265" << "0,326" << area1
        << "«0,3265» non è stato accettato in «Diametro tubazione D (m)»: le dimensioni si scrivono al millimetro, con "
           "al massimo tre decimali.";
}

void TestDrawingWindow::dimensionsTakeACommaOrAPoint()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, area1);
    QFETCH(QString, status);

    ShownWindow w;
    auto *field = w.child<DimensionBox>(box);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(field->text(), shown);
    QVERIFY(w.window.picture().accessibleDescription().startsWith(area1));
    QCOMPARE(w.window.statusText(), status);
}

// The worked example depth by depth, as the window shows it and copies it;
// the boxes follow P until a depth is typed; too many depths are told.
void TestDrawingWindow::depthsOfTheWorkedExample()
{
    ShownWindow w;
    QCOMPARE(w.child<QLineEdit>(QStringLiteral("P da"))->text(), QStringLiteral("1,50"));
    QCOMPARE(w.child<QLineEdit>(QStringLiteral("a"))->text(), QStringLiteral("4,50"));
    w.child<DimensionBox>(QStringLiteral("Profondità P del fondo tubo (m)"))->setValue(1.00);
    QCOMPARE(w.child<QLineEdit>(QStringLiteral("a"))->text(), QStringLiteral("4,00"));
    w.type(QStringLiteral("a"), QStringLiteral("2.5"));
    const QTableView *view = w.child<QTableView>(QStringLiteral("Quantità per profondità"));
    QCOMPARE(shownRows(view), QStringList({"1,00|0,255|0,547|0,648|1,450|1,20|0,60|1,10",
                                           "1,50|0,255|1,257|0,728|2,240|1,70|1,10|1,10",
                                           "2,00|0,255|2,067|0,808|3,130|2,20|1,60|1,10",
                                           "2,50|0,255|2,977|0,888|4,120|2,70|2,10|1,10"}));
    // The bottom, 1,00 m, narrower than 1,10 at every depth: marked, and told to a screen reader.
    QCOMPARE(view->model()->index(0, 7).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("1,10, il fondo, largo 1,00 m, è più stretto"));

    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    w.button(QStringLiteral("Copia profondità"))->click();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(cellBlock(QGuiApplication::clipboard()->text()).at(1).join(u'|'),
             QStringLiteral("1,000000|0,255168|0,547168|0,648000|1,450336|1,200000|0,600000|1,100000"));

    // Near the least depth the pipe's deduction is more than area 2 holds:
    // marked, and said under the table.
    w.type(QStringLiteral("P da"), QStringLiteral("0,52"));
    w.type(QStringLiteral("a"), QStringLiteral("0,52"));
    QCOMPARE(shownRows(view), QStringList{"0,52|0,255|-0,040|0,571|0,786|0,72|0,12|1,10"});
    QCOMPARE(view->model()->index(0, 2).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("-0,040, l'area contiene 0,06 del tubo, ma il suo coefficiente di detrazione è «0.5»; volume "
                            "netto negativo: la detrazione del tubo supera il volume dell'area"));
    QCOMPARE(w.window.depthTab().message(), QStringLiteral("Alcuni volumi netti risultano negativi: la detrazione del "
                                                           "tubo supera il volume dell'area."));

    w.type(QStringLiteral("a"), QStringLiteral("2,50"));
    w.type(QStringLiteral("passo"), QStringLiteral("0,001"));
    QCOMPARE(w.window.depthTab().message(), QStringLiteral("Da 0,52 m a 2,50 m con passo 0,001 m le profondità "
                                                           "sarebbero 1981: al massimo 200. Aumentare il passo."));
    QCOMPARE(view->model()->rowCount(), 0);
}

// The worked example's stretches pasted with their header row; their
// totals per price code; a stretch out of the valid depths left out.
void TestDrawingWindow::stretchesOfTheWorkedExample()
{
    ShownWindow w;
    StretchesTab &tab = w.window.stretchesTab();
    tab.stretchesView()->setCurrentIndex(tab.stretchesView()->model()->index(0, 0));
    QGuiApplication::clipboard()->setText(kStretchesBlock);
    tab.stretchesView()->setFocus();
    QTest::keyClick(tab.stretchesView(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.window.statusText(), QStringLiteral("La prima riga, un'intestazione, non è stata incollata."));
    QCOMPARE(shownRows(tab.stretchesView()),
             QStringList({"P1-P2|40|1,20|1,80||||10,207|50,527|29,120|89,853|",
                          "P2-P3|35,50|1,80|2,60||||9,058|86,259|29,820|125,138|", "|||||||||||",
                          "Totale|75,50||||||19,265|136,786|58,940|214,991|"}));
    QCOMPARE(shownRows(tab.totalsView()), QStringList({"E.01.001|SABBIA|m³|19,265", "E.01.002|RINTERRO|m³|136,786",
                                                       "E.01.003|PAVIMENTAZIONE|m³|58,940"}));

    // Typed into the empty row below: out of the valid depths.
    QAbstractItemModel *model = tab.stretchesView()->model();
    const QStringList typed{"P3-P4", "20", "0,40", "1,20"};
    for (int column = 0; column < 4; ++column)
        model->setData(model->index(2, column), typed[column]);
    QVERIFY(tab.problemsText().endsWith(
        QStringLiteral("\nTratto P3-P4: con P = 0,40 m la sezione non vale (vale per P maggiore di 0,50 m).")));
    QCOMPARE(shownRows(tab.totalsView()).first(), QStringLiteral("E.01.001|SABBIA|m³|19,265"));
    QCOMPARE(tab.excludedText(), QStringLiteral("Lunghezza esclusa dai totali: 20,00 m (1 tratto)."));

    // Exported for the estimating software without it, as the window says:
    // the worked example's file, byte for byte.
    w.type(QStringLiteral("Lavoro"), QStringLiteral("Fognatura via Roma"));
    const QString path = w.folder.filePath(QStringLiteral("computo.xpwe"));
    w.chooseExportTo(path);
    w.button(QStringLiteral("Esporta XPWE..."))->click();
    QCOMPARE(w.window.statusText(), QStringLiteral("XPWE salvato in %1. Il file è stato scritto senza il tratto P3-P4, "
                                                   "escluso dai totali.")
                                        .arg(QDir::toNativeSeparators(path)));
    QCOMPARE(readFile(path), readFile(QStringLiteral(PROFILARA_TAKEOFF_DATA "/worked-example.xpwe")));

    // Copied for a spreadsheet, the stretch left out with its numbers as
    // numbers and marked, the total row and the length left out.
    w.button(QStringLiteral("Copia tratti"))->click();
    const QString copy = QGuiApplication::clipboard()->text();
    const QList<QStringList> copied = cellBlock(copy);
    QCOMPARE(copied.size(), 11); // header, three stretches, total, length left out, a row between, header, three codes
    QCOMPARE(copied.at(3).join(u'|'), QStringLiteral("P3-P4|20.000000|0.400000|1.200000||||||||escluso dai totali"));
    QCOMPARE(copied.at(4).join(u'|'),
             QStringLiteral("Totale|75.500000||||||19.265195|136.785862|58.940000|214.991057|"));
    QCOMPARE(copied.at(5).join(u'|'), QStringLiteral("Lunghezza esclusa dai totali: 20,00 m (1 tratto)."));

    // Pasted back, the copy gives the stretches alone.
    tab.stretchesView()->selectAll();
    QTest::keyClick(tab.stretchesView(), Qt::Key_Delete);
    QCOMPARE(tab.stretches().size(), size_t(0));
    tab.stretchesView()->setCurrentIndex(model->index(0, 0));
    QCOMPARE(tab.paste(copy), QStringLiteral("Incollati i tratti della tabella copiata con «Copia tratti»: le "
                                             "quantità, la riga «Totale» e ciò che la segue non sono stati incollati."));
    QCOMPARE(shownRows(tab.stretchesView()).mid(0, 3),
             QStringList({"P1-P2|40,000000|1,200000|1,800000||||10,207|50,527|29,120|89,853|",
                          "P2-P3|35,500000|1,800000|2,600000||||9,058|86,259|29,820|125,138|",
                          "P3-P4|20,000000|0,400000|1,200000||||||||escluso dai totali"}));

    // A block wider than the columns from the current one is refused whole.
    tab.stretchesView()->setCurrentIndex(model->index(0, 2));
    QCOMPARE(tab.paste(QStringLiteral("T1\t52\t1.50\t1.80\t0,4\t400\r\n")),
             QStringLiteral("Il blocco incollato ha 6 colonne, ma dalla colonna «P inizio (m)» in poi ce ne sono solo 5: "
                            "incollarlo in una colonna più a sinistra."));
    QCOMPARE(tab.stretches().front().start, QStringLiteral("1.200000"));
}

// Neither export writes over the section file, however its name is
// spelt, its lock or a backup copy; nothing is written.
void TestDrawingWindow::exportsRefuseTheSectionsFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    // name is a symbolic link to the first, which links to the next...; the last is not there.
    QTest::addColumn<QStringList>("linksTo");
    // The section file shows under its name in capitals too (a hard link), as
    // in a folder whose file system ignores letter case.
    QTest::addColumn<bool>("ignoringCase");

    QTest::newRow("the section file, by a path through its folder's parent")
        << "../%1/ComputoPersonalizzato.txt" << true << QStringList() << false;
    QTest::newRow("its lock") << "ComputoPersonalizzato.txt.lock" << false << QStringList() << false;
    QTest::newRow("a backup") << "ComputoPersonalizzato.txt.bak" << true << QStringList() << false;
    QTest::newRow("a later backup, not there yet") << "ComputoPersonalizzato.txt.bak3" << false << QStringList() << false;
#ifndef Q_OS_WIN
    QTest::newRow("a link elsewhere to a backup not there yet")
        << "altrove/sezione.pdf" << false << QStringList{"../ComputoPersonalizzato.txt.bak9"} << false;
    QTest::newRow("a link to a link to a backup not there yet")
        << "altrove/sezione.pdf" << false << QStringList{"copia.pdf", "../ComputoPersonalizzato.txt.bak9"} << false;
    QTest::newRow("the section file in capitals, the same file") << "COMPUTOPERSONALIZZATO.TXT" << true << QStringList()
                                                                 << true;
    QTest::newRow("a backup not there yet, in other letters, where case is ignored")
        << "computopersonalizzato.TXT.Bak9" << false << QStringList() << true;
    QTest::newRow("the section file in small letters, where case is ignored")
        << "computopersonalizzato.txt" << false << QStringList() << true;
#endif
}

void TestDrawingWindow::exportsRefuseTheSectionsFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(QStringList, linksTo);
    QFETCH(bool, ignoringCase);

    ShownWindow w;
    const QString path =
        w.folder.filePath(name.contains(u'%') ? name.arg(QFileInfo(w.folder.path()).fileName()) : name);
#ifndef Q_OS_WIN
    if (ignoringCase) {
        writeFile(w.folder.filePath(QStringLiteral("ComputoPersonalizzato.txt")), "section");
        QCOMPARE(::link(QFile::encodeName(w.folder.filePath(QStringLiteral("ComputoPersonalizzato.txt"))).constData(),
                        QFile::encodeName(w.folder.filePath(QStringLiteral("COMPUTOPERSONALIZZATO.TXT"))).constData()),
                 0);
    }
#else
    Q_UNUSED(ignoringCase);
#endif
    if (exists)
        writeFile(path, "keep");
    QString absent = path;
    for (const QString &to : linksTo) {
        QVERIFY(QDir().mkpath(QFileInfo(absent).path()));
        QVERIFY(QFile::link(to, absent));
        absent = QFileInfo(absent).dir().filePath(to);
    }
    w.chooseExportTo(path);
    w.window.stretchesTab().paste(kStretchesBlock);
    for (const QString &button : {QStringLiteral("Esporta PDF..."), QStringLiteral("Esporta XPWE...")}) {
        w.button(button)->click();
        QCOMPARE(w.window.statusText(), QStringLiteral("Questo file appartiene alla sezione in uso: scegliere un altro nome."));
        QCOMPARE(readFile(path), exists ? QByteArray("keep") : QByteArray("<unreadable>"));
        QVERIFY(linksTo.isEmpty() || !QFileInfo::exists(absent));
    }
}

// While the last save has failed the window says so, and writes no export.
void TestDrawingWindow::nothingExportedWhileUnsaved()
{
    ShownWindow w;
    const QString path = w.folder.filePath(QStringLiteral("sezione.pdf"));
    w.chooseExportTo(path);
    w.window.setSaved(false);
    w.window.refresh();
    QCOMPARE(w.window.sectionTab().unsavedText(),
             QStringLiteral("La sezione non è salvata nel file: il disegno mostra i valori digitati."));
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(w.window.statusText(), QStringLiteral("Il PDF non è stato scritto: la sezione non è salvata nel file. "
                                                   "Risolvere prima il salvataggio."));
    QVERIFY(!QFileInfo::exists(path));
    w.button(QStringLiteral("Esporta XPWE..."))->click(); // no stretch either: the save is told first
    QCOMPARE(w.window.statusText(), QStringLiteral("Il file XPWE non è stato scritto: la sezione non è salvata nel file. "
                                                   "Risolvere prima il salvataggio."));

    w.window.setSaved(true);
    w.window.refresh();
    QVERIFY(w.window.sectionTab().unsavedText().isEmpty());
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(w.window.statusText(), QStringLiteral("PDF salvato in %1.").arg(QDir::toNativeSeparators(path)));
    QVERIFY(readFile(path).startsWith("%PDF-"));
}

// The PDF: A4, its text selectable, the worked example's values and numbers.
void TestDrawingWindow::pdfForTheReport()
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sezione.pdf"));
    const SectionTable table = workedExample();
    QCOMPARE(writeSectionReport(path, table, reportContent(QStringLiteral("Fognatura via Roma"))), std::nullopt);
    const QByteArray bytes = readFile(path);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]")); // A4 in points

    const QString missing = folder.filePath(QStringLiteral("nessuna/sezione.pdf"));
    const std::optional<QString> refused = writeSectionReport(missing, table, reportContent());
    QVERIFY(refused && refused->startsWith(QStringLiteral("Il PDF non è stato salvato in %1 (il sistema risponde: «")
                                               .arg(QDir::toNativeSeparators(missing))));

    const std::optional<QString> text = pdfText(path);
    if (!text)
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read");
    for (const QString &expected :
         {QStringLiteral("Sezione tipo personalizzata Lavoro: Fognatura via Roma 7 marzo 2025 Aree della sezione"),
          QStringLiteral("1 SABBIA 0.30 0.10 0.2 0.5 E.01.001"), QStringLiteral("2 RINTERRO *0.50 0 0.2 0.5 E.01.002"),
          QStringLiteral("H2 = 1,00"), QStringLiteral("P = 1,50"), QStringLiteral("D = 0,40"), QStringLiteral("Scala 1:20"),
          QStringLiteral("Dimensioni di calcolo (dalle sezioni tipo standard, non salvate nel file): L = 0,80 m, P = "
                         "1,50 m, D = 0,40 m."),
          QStringLiteral("La sezione vale per P maggiore di 0,50 m."), QStringLiteral("Quantità per metro di scavo"),
          QStringLiteral("1 SABBIA E.01.001 1,000 1,120 0,300 0,318 0,20 0,063 0,255"),
          QStringLiteral("2 RINTERRO E.01.002 1,120 1,520 1,000 1,320 0,80 0,063 1,257"),
          QStringLiteral("Totale 2,366 0,126 2,240"),
          QStringLiteral("Problemi del disegno ") + QString(kProblems).replace(u'\n', u' '),
          QStringLiteral("Quantità per profondità"), QStringLiteral("1,00 0,255 0,547 0,648 1,450 1,20 0,60 1,10"),
          QStringLiteral("2,50 0,255 2,977 0,888 4,120 2,70 2,10 1,10"), QStringLiteral("Pagina 2 di 2")})
        QVERIFY2(text->contains(expected), qPrintable(expected + QStringLiteral("\nnot in:\n") + *text));
}

// Five areas with long descriptions and three stretches run over three
// pages: every page numbered, no row split between them, the header of a
// table that goes on repeated, each description whole; a heading starts a
// page with its table, and the totals per code go on with two rows or more.
void TestDrawingWindow::pdfPagesOfALongSection()
{
    const QString longer = QStringLiteral("Rinterro con materiale di risulta dallo scavo, vagliato e compattato a strati "
                                          "di trenta centimetri fino alla quota del piano stradale");
    QStringList areas;
    for (int a = 1; a <= 5; ++a)
        areas << QStringLiteral("%1 n. %2|0.%3|0|0.1|0|E.%2").arg(longer).arg(a).arg(a + 1);
    areas[1].replace(QStringLiteral("|0.3|"), QStringLiteral("|*0.4|"));
    const SectionTable table = sectionOf(areas);
    ReportContent content = reportContent(QStringLiteral("Fognatura via Roma"));
    for (int s = 1; s <= 3; ++s)
        content.stretches.push_back(stretchOf(QStringLiteral("P%1-P%2|30|1,5|2").arg(s).arg(s + 1)));

    ReportLayout layout(content.font, reportPageSize());
    QCOMPARE(layOutReport(layout, table, content), std::nullopt);
    const QStringList pages = layout.pageTexts();
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages[1].startsWith(QStringLiteral("Quantità per metro di scavo\nArea\tDescrizione\tVoce\t")));
    // The totals per code start a page with their heading, whole; the
    // stretches' problems follow them.
    QVERIFY(pages[2].startsWith(QStringLiteral("Quantità dei tratti per voce\nVoce\tDescrizione\tUnità\tQuantità\nE.1\t%1 "
                                               "n. 1\tm³\t14,760\nE.2\t")
                                    .arg(longer)));
    QVERIFY(pages[2].contains(QStringLiteral("E.5\t%1 n. 5\tm³\t72,900\nProblemi dei tratti\nTratto P1-P2: ").arg(longer)));
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY(pages[page].endsWith(QStringLiteral("Pagina %1 di 3").arg(page + 1)));
        for (int a = 1; a <= 5; ++a) // a description is one cell of one row, whole
            QVERIFY(!pages[page].contains(QStringLiteral("%1 n. %2").arg(longer).arg(a))
                    || pages[page].contains(QStringLiteral("\t%1 n. %2\t").arg(longer).arg(a)));
    }
    // Every row of each table on one page; a table going on repeats its header.
    const QString all = pages.join(u'\n');
    for (int a = 1; a <= 5; ++a)
        QCOMPARE(all.count(QStringLiteral("%1 n. %2\t").arg(longer).arg(a)), 3); // areas, quantities, totals
    for (const QString &page : pages) {
        const qsizetype firstQuantity = page.indexOf(QStringLiteral("\tE.1\t1,"));
        if (page.contains(QStringLiteral("\tE.5\t1,")) && firstQuantity < 0)
            QVERIFY(page.contains(QStringLiteral("Area\tDescrizione\tVoce")));
    }

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lunga.pdf"));
    QCOMPARE(writeSectionReport(path, table, content), std::nullopt);
    const std::optional<QString> first = pdfText(path, 1);
    if (!first)
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read");
    const QString second = *pdfText(path, 2);
    QVERIFY(first->contains(QStringLiteral("Lavoro: Fognatura via Roma")));
    QVERIFY(first->endsWith(QStringLiteral("Pagina 1 di 3")));
    QVERIFY(second.endsWith(QStringLiteral("Pagina 2 di 3")));
    for (const QString &word : longer.split(u' '))
        QVERIFY(first->contains(word));
}

// Blocks of a report on small pages, and the text of each page. A block is
// "P:text" (a paragraph), "H:text" (a heading, kept with what follows) or
// "T:header;row;row..." (a table, its cells split by "|"); a "\n" starts a
// new line of its text. The page holds `lines` lines of paragraphs and
// `rows` rows of one line of a table.
void TestDrawingWindow::reportPages_data()
{
    QTest::addColumn<QStringList>("blocks");
    QTest::addColumn<double>("lines");
    QTest::addColumn<double>("rows");
    QTest::addColumn<QStringList>("pages"); // each without its "Pagina N di M"

    const QStringList six{"P:a", "P:b", "P:c", "P:d", "P:e", "P:f"};
    QTest::newRow("a long table: its header on each page, never a row alone at an end")
        << QStringList{"T:H;1;2;3;4;5;6;7;8;9"} << 0.0 << 5.5 << QStringList{"H\n1\n2\n3\n4", "H\n5\n6\n7", "H\n8\n9"};
    QTest::newRow("five rows at a page's end: three and two, not four and one")
        << QStringList{"P:a", "P:b", "T:H;1;2;3;4;5"} << 2.0 << 5.5 << QStringList{"a\nb\nH\n1\n2\n3", "H\n4\n5"};
    QTest::newRow("room for the header and one row: the table on the next page")
        << six + QStringList{"T:H;1;2;3;4"} << 6.0 << 2.5 << QStringList{"a\nb\nc\nd\ne\nf", "H\n1\n2\n3\n4"};
    QTest::newRow("a heading goes on with its table's header and first two rows")
        << six + QStringList{"H:Titolo", "T:H;1;2;3;4"} << 7.0 << 2.5
        << QStringList{"a\nb\nc\nd\ne\nf", "Titolo\nH\n1\n2\n3\n4"};
    QTest::newRow("a heading goes on with a table of three rows, whole")
        << QStringList{"P:a", "P:b", "H:Titolo", "T:H;1;2;3"} << 3.0 << 3.5
        << QStringList{"a\nb", "Titolo\nH\n1\n2\n3"};
    QTest::newRow("a heading goes on with its paragraph")
        << QStringList{"P:a", "P:b", "H:Titolo", "P:c"} << 3.5 << 0.0 << QStringList{"a\nb", "Titolo\nc"};
    QTest::newRow("a cell of four lines at a page's end: its row whole on the next page")
        << QStringList{"T:H|X;1|a;2|b;3|c;4|lungo\ntesto\nsu\nquattro;5|d;6|e"} << 3.5 << 4.0
        << QStringList{"H\tX\n1\ta\n2\tb\n3\tc", "H\tX\n4\tlungo testo su quattro\n5\td\n6\te"};
    QTest::newRow("a row taller than a page: in parts, each under the header")
        << QStringList{"T:H;1;a\nb\nc\nd\ne\nf\ng\nh\ni\nj"} << 5.5 << 3.0
        << QStringList{"H\n1\na b c d e f", "H\ng h i j"};
}

void TestDrawingWindow::reportPages()
{
    QFETCH(QStringList, blocks);
    QFETCH(double, lines);
    QFETCH(double, rows);
    QFETCH(QStringList, pages);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    // A line as Qt lays it out; a table's is padded by 3 pixels above and
    // below; the footer takes the font's height and 8 pixels.
    QTextLayout oneLine(QStringLiteral("a"), font);
    oneLine.beginLayout();
    QTextLine first = oneLine.createLine();
    first.setLineWidth(100);
    const double line = first.height();
    oneLine.endLayout();
    ReportLayout layout(font, QSizeF(400, QFontMetricsF(font).height() + 8 + lines * line + rows * (line + 6)));
    for (const QString &block : blocks) {
        const QString text = block.mid(2);
        if (block.startsWith(u'T')) {
            QList<QStringList> cells;
            for (const QString &row : text.split(u';'))
                cells << row.split(u'|');
            const qsizetype columns = cells.front().size();
            layout.addTable({cells, QList<double>(columns, 1.0 / double(columns)), {}, {}});
        } else {
            layout.addParagraph(text, {block.startsWith(u'H'), 1, false, 0, block.startsWith(u'H')});
        }
    }
    for (qsizetype p = 0; p < pages.size(); ++p)
        pages[p] += QStringLiteral("\nPagina %1 di %2").arg(p + 1).arg(pages.size());
    QCOMPARE(layout.pageTexts(), pages);
}

// "Esporta PDF..." asks with Qt's dialog in Italian; a path given writes the
// PDF and says so, a cancel does nothing.
// A new user's job: a water main's section of six areas, the depths from
// 0,90 to 3,90 every 0,30, seven stretches, one left out. On every page of
// its PDF a depth's row is whole ("non valida" beside its P), no page ends
// with a table's header or a heading, and every page is numbered.
void TestDrawingWindow::pdfOfANewUsersJob()
{
    const SectionTable table =
        sectionOf({"LETTO DI POSA|0.10|0|0|0|E.01.001", "RINFIANCO|0.33|0|0|1|E.01.002", "RICOPRIMENTO|0.20|0|0|0|E.01.003",
                   "RINTERRO|*0.93|0|0|0|E.01.004", "SOTTOFONDO STRADALE|0.30|0|0|0|E.01.005",
                   "PAVIMENTAZIONE|0.10|0.10|0|0|E.01.006"});
    ReportContent content = reportContent(QStringLiteral("Acquedotto via Roma, DN 300 in ghisa sferoidale"));
    content.dimensions = {0.90, 1.50, 0.326, 300};
    content.depths.clear();
    for (int d = 0; d <= 10; ++d)
        content.depths.push_back(0.90 + 0.30 * d);
    for (const char *line : {"T1|48,20|1,20|1,45", "T2|52,00|1,45|1,80", "T3|38,70|1,80|2,35", "T4|45,00|2,35|2,10",
                                "T5|55,00|0,80|1,10", "T6|41,00|2,10|1,60", "T7|50,00|1,60|1,30",
                                "T8|30,00|1,40|1,40|||verde.txt"})
        content.stretches.push_back(stretchOf(line));
    // The last stretch runs under a verge, with a section of its own; the
    // job's items measure the road and the pipe.
    const SectionTable verge =
        sectionOf({"LETTO DI POSA|0.10|0|0|0|E.01.001", "RINFIANCO|0.33|0|0|1|E.01.002", "RICOPRIMENTO|0.20|0|0|0|E.01.003",
                   "RINTERRO|*0.93|0|0|0|E.01.004", "TERRENO VEGETALE|0.40|0.10|0|0|E.01.007"});
    const TrenchSection vergeSection(verge);
    content.findSection = [&vergeSection](const QString &) -> std::variant<const TrenchSection *, QString> {
        return &vergeSection;
    };
    content.findTable = [&verge](const QString &) { return &verge; };
    content.items = {{"E.08.001", "Ripristino della pavimentazione", "Pavimentazione", "", "", "0,10"},
                     {"E.10.001", "Posa della tubazione", "Tubazione", "", "", ""}};

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lavoro.pdf"));
    QCOMPARE(writeSectionReport(path, table, content), std::nullopt);
    ReportLayout layout(content.font, reportPageSize());
    QCOMPARE(layOutReport(layout, table, content), std::nullopt);
    const int pages = layout.pageCount();
    QVERIFY(pages >= 3);
    if (!pdfText(path))
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read");
    const QStringList endings{QStringLiteral("Note"), QStringLiteral("Quantità (m³)"), QStringLiteral("(m)"),
                              QStringLiteral("Tratti"), QStringLiteral("Problemi dei tratti"),
                              QStringLiteral("Quantità per profondità"), QStringLiteral("Quantità dei tratti per voce")};
    QString whole;
    for (int page = 1; page <= pages; ++page) {
        const QString text = *pdfText(path, page);
        const QString footer = QStringLiteral(" Pagina %1 di %2").arg(page).arg(pages);
        QVERIFY2(text.endsWith(footer), qPrintable(text));
        const QString body = text.chopped(footer.size());
        for (const QString &ending : endings)
            QVERIFY2(!body.endsWith(ending), qPrintable(QStringLiteral("page %1 ends with «%2»").arg(page).arg(ending)));
        whole += body + u' ';
    }
    for (const QString &expected :
         {QStringLiteral("La sezione vale per P maggiore di 0,93 m."), QStringLiteral("0,90 non valida"),
          QStringLiteral("Totale 304,90"), QStringLiteral("Lunghezza esclusa dai totali: 55,00 m (1 tratto)."),
          QStringLiteral("Aree della sezione «verde.txt»"), QStringLiteral("Quantità per metro di scavo «verde.txt»"),
          QStringLiteral("E.10.001 Posa della tubazione m 304,900"),
          QStringLiteral("Tratto T5: con P = 0,80 m la sezione non vale (vale per P maggiore di 0,93 m).")})
        QVERIFY2(whole.contains(expected), qPrintable(expected + QStringLiteral("\nnot in:\n") + whole));
    QVERIFY(!whole.contains(QStringLiteral("Tratto T1:")));
    QCOMPARE(whole.count(QStringLiteral("0,90 non valida")), 2); // in both parts of the table, split by its columns
}

// The stretches from a table of manholes pasted from a spreadsheet, then
// from EPA's example model in place of them, then a table's file after
// them: the worked examples' numbers, the question, what each one says.
void TestDrawingWindow::importsOfTheOfficesData()
{
    ShownWindow w;
    QStringList informed;
    QStringList asked;
    int answer = 0;
    w.window.setInform([&informed](const QString &text) { informed << text; });
    w.window.setQuestion([&](const QString &, const QString &text, const QStringList &buttons) {
        asked << text + u' ' + buttons.join(u'/');
        return answer;
    });
    auto *wall = w.child<DimensionBox>(QStringLiteral("Spessore parete"));
    QCOMPARE(wall->text(), QStringLiteral("0,000"));
    wall->setFocus();
    wall->selectAll();
    QTest::keyClicks(wall, QStringLiteral("0,012"));
    QTest::keyClick(wall, Qt::Key_Tab);

    QGuiApplication::clipboard()->setText(QStringLiteral("Pozzetto\tProgressiva\tTerreno\tScorrimento\tIn uscita\r\n"
                                                         "M1\t0,00\t105,20\t103,60\r\nM2\t45,00\t105,05\t103,24\r\n"
                                                         "M3\t92,50\t104,70\t102,85\t102,80\r\nM4\t130,00\t104,90\t102,51\r\n"));
    w.button(QStringLiteral("Incolla pozzetti"))->click();
    StretchesTab &tab = w.window.stretchesTab();
    const auto typed = [](const Stretch &s) {
        return QStringList{s.name, s.length, s.start, s.end, s.diameter, s.nominal}.join(u'|');
    };
    QCOMPARE(typed(tab.stretches().at(0)), QStringLiteral("M1-M2|45,00|1,612|1,822||"));
    QCOMPARE(typed(tab.stretches().at(1)), QStringLiteral("M2-M3|47,50|1,822|1,862||"));
    QCOMPARE(typed(tab.stretches().at(2)), QStringLiteral("M3-M4|37,50|1,912|2,402||"));
    QCOMPARE(tab.stretches().size(), size_t(3));
    QCOMPARE(informed, QStringList{"Importati 3 tratti dagli appunti, con uno spessore della parete di 0,012 m."});
    QVERIFY(asked.isEmpty());
    QCOMPARE(tab.stretches().front().origin.from, QStringLiteral("M1"));
    QCOMPARE(tab.stretchesView()->model()->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("da M1 a M2"));

    const QString model = QStringLiteral(PROFILARA_SWMM_DATA "/example1-metric.inp");
    if (!QFileInfo::exists(model)) {
        if (qEnvironmentVariableIsSet("PROFILARA_REQUIRE_SHARED")) // CI has them, and must not skip
            QFAIL("EPA's example models are not beside the sources (../shared/swmm)");
        QSKIP("EPA's example models are not beside the sources (../shared/swmm)");
    }
    wall->setValue(0.05);
    w.chooseExportTo(model);
    w.button(QStringLiteral("Importa da SWMM..."))->click();
    QCOMPARE(asked, QStringList{"Sostituire i tratti presenti con quelli importati? Sostituisci/Aggiungi in fondo/Annulla"});
    const std::vector<Stretch> stretches = tab.stretches();
    QCOMPARE(stretches.size(), size_t(13));
    QCOMPARE(typed(stretches[0]), QStringLiteral("1|400,00|3,05|3,05|1,60|1500"));
    QCOMPARE(typed(stretches[3]), QStringLiteral("6|400,00|3,05|2,05|1,10|1000"));
    QCOMPARE(typed(stretches[4]), QStringLiteral("7|300,00|2,05|2,05|2,10|2000"));
    QCOMPARE(typed(stretches[6]), QStringLiteral("10|400,00|3,05||2,10|2000"));
    QVERIFY(informed.last().startsWith(QStringLiteral("Importati 13 tratti da «example1-metric.inp», con uno "
                                                      "spessore della parete di 0,050 m.\nDa completare:\n")));
    QVERIFY(informed.last().contains(QStringLiteral("Tratto 10: il nodo 18 non ha la quota del terreno: scrivere P fine.")));

    // A model whose conduits all name missing nodes gives no stretch:
    // nothing asked, nothing replaced.
    const QString empty = w.folder.filePath(QStringLiteral("vuoto.inp"));
    writeFile(empty, "[JUNCTIONS]\nJ1 10 2\n[CONDUITS]\nC1 X1 X2 30 0.013 0 0\n");
    w.chooseExportTo(empty);
    w.button(QStringLiteral("Importa da SWMM..."))->click();
    QCOMPARE(asked.size(), qsizetype(1));
    QCOMPARE(tab.stretches().size(), size_t(13));
    QVERIFY(informed.last().startsWith(QStringLiteral("Nessun tratto importato da «vuoto.inp».\nTratto C1: ")));

    // A table's file after them; one that cannot be read changes nothing.
    const QString table = w.folder.filePath(QStringLiteral("profilo.csv"));
    writeFile(table, "N1;0;100,50;99,00\r\nN2;20;100,40;98,80\r\n");
    w.chooseExportTo(table);
    answer = 1;
    w.button(QStringLiteral("Importa pozzetti..."))->click();
    QCOMPARE(tab.stretches().size(), size_t(14));
    QCOMPARE(typed(tab.stretches().back()), QStringLiteral("N1-N2|20,00|1,55|1,65||"));
    writeFile(table, "N1;0;100,50;99,00\r\nN2;venti;100,40;98,80\r\n");
    w.button(QStringLiteral("Importa pozzetti..."))->click();
    QCOMPARE(tab.stretches().size(), size_t(14));
    QCOMPARE(informed.last(), QStringLiteral("Nessun tratto importato da «profilo.csv». Riga 2: il valore «venti» di "
                                             "«Progressiva (m)» non è un numero."));
}

// The job's items pasted in "Voci" from a spreadsheet, with their header:
// each one's column in "Tratti", its total with its unit, the copy; an item
// whose values do not fit its measure named under its table.
void TestDrawingWindow::itemsOfTheJob()
{
    ShownWindow w;
    w.window.stretchesTab().paste(QStringLiteral("P1-P2\t40,00\t1,20\t1,80\r\n"));
    ItemsTab &items = w.window.itemsTab();
    items.view()->setCurrentIndex(items.view()->model()->index(0, 0));
    QCOMPARE(items.paste(QStringLiteral("Voce\tDescrizione\tMisura\tDa\tA\tMargine\r\n"
                                        "E.02.030.a\tScavo fino a 1,50 m\tscavo\t\t1.50\t\r\n"
                                        "E.02.030.b\tScavo da 1,50 a 3,00 m\tSCAVO\t1,50\t3,00\t\r\n"
                                        "E.05.010\tArmatura\tArmatura\t\t\t\r\n"
                                        "E.08.001\tPavimentazione\tPavimentazione\t\t\t0,10\r\n"
                                        "E.08.002\tTaglio\tTaglio\t\t\t\r\n"
                                        "E.10.001\tTubazione\tTubazione\t\t\t\r\n"
                                        "E.99\tRinterro\tRinterro\t\t\t\r\n")),
             QStringLiteral("La prima riga, un'intestazione, non è stata incollata."));
    QCOMPARE(shownRows(items.view()).at(0), QStringLiteral("E.02.030.a|Scavo fino a 1,50 m|scavo||1,50|"));
    QCOMPARE(items.problemsText(),
             QStringLiteral("Voce 7 (E.99): «Misura» deve essere Scavo, Armatura, Pavimentazione, Taglio o Tubazione."));
    QCOMPARE(shownRows(w.window.stretchesTab().totalsView()).mid(3),
             QStringList({"E.02.030.a|Scavo fino a 1,50 m|m³|85,991", "E.02.030.b|Scavo da 1,50 a 3,00 m|m³|8,889",
                          "E.05.010|Armatura|m²|116,667", "E.08.001|Pavimentazione|m²|80,800", "E.08.002|Taglio|m|80,000",
                          "E.10.001|Tubazione|m|40,000"}));
    QCOMPARE(shownRows(w.window.stretchesTab().stretchesView()).at(0).section(u'|', 10),
             QStringLiteral("89,853|85,991|8,889|116,667|80,800|80,000|40,000|"));

    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    w.button(QStringLiteral("Copia tratti"))->click();
    QLocale::setDefault(QLocale::c());
    const QList<QStringList> copied = cellBlock(QGuiApplication::clipboard()->text());
    QCOMPARE(copied.at(0).mid(10).join(u'|'), QStringLiteral("Netto (m³)|E.02.030.a (m³)|E.02.030.b (m³)|E.05.010 "
                                                             "(m²)|E.08.001 (m²)|E.08.002 (m)|E.10.001 (m)|Note"));
    QCOMPARE(copied.last().join(u'|'), QStringLiteral("E.10.001|Tubazione|m|40,000000"));
}

// A stretch's section file rewritten behind the window's back between two
// exports: each export measures the file as it is, and the table with it.
void TestDrawingWindow::aSectionFileChangedBetweenExports()
{
    ShownWindow w;
    const QString verde = w.folder.filePath(QStringLiteral("verde.txt"));
    const QByteArray first = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n 2 \r\nSABBIA\r\n0.20\r\n0\r\n0\r\n0\r\nE.01.001"
                             "\r\nRINTERRO\r\n*0.10\r\n0\r\n0\r\n0\r\nE.01.002\r\n";
    writeFile(verde, first);
    StretchesTab &tab = w.window.stretchesTab();
    tab.paste(QStringLiteral("P1-P2\t10\t1,50\t1,50\t\t\t%1\r\n").arg(verde));
    w.chooseExportTo(w.folder.filePath(QStringLiteral("lavoro.pdf")));
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QVERIFY(w.window.statusText().startsWith(QStringLiteral("PDF salvato in ")));
    QCOMPARE(tab.takeoff().stretches.front().counted, true);
    QCOMPARE(tab.takeoff().stretches.front().meanGross.size(), size_t(2));

    // Three areas now, of another size: the XPWE and the table measure them.
    writeFile(verde, QByteArray(first).replace(" 2 ", " 3 ") + "GHIAIA\r\n0.20\r\n0\r\n0\r\n0\r\nE.01.009\r\n");
    w.chooseExportTo(w.folder.filePath(QStringLiteral("lavoro.xpwe")));
    w.button(QStringLiteral("Esporta XPWE..."))->click();
    QVERIFY(w.window.statusText().startsWith(QStringLiteral("XPWE salvato in ")));
    QCOMPARE(tab.takeoff().stretches.front().meanGross.size(), size_t(3));
    QVERIFY(readFile(w.folder.filePath(QStringLiteral("lavoro.xpwe"))).contains("E.01.009"));
}

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
        seen << dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        dialog->reject();
    });
    w.type(QStringLiteral("Lavoro"), QStringLiteral("Fognatura via Roma"));
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(seen, QStringList({"Esporta PDF", "Cerca in:", "&Nome file:", "Tipo file:", "&Salva", "Annulla",
                                "Fognatura via Roma.pdf"}));
    QVERIFY(w.window.statusText().isEmpty());

    const QString path = w.folder.filePath(QStringLiteral("sezione.pdf"));
    w.chooseExportTo(path);
    w.button(QStringLiteral("Esporta PDF..."))->click();
    QCOMPARE(w.window.statusText(), QStringLiteral("PDF salvato in %1.").arg(QDir::toNativeSeparators(path)));
    QVERIFY(readFile(path).startsWith("%PDF-"));
}

// The name an export offers, from the job's name in "Lavoro".
void TestDrawingWindow::exportFileNames_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("name");

    QTest::newRow("no job: the PDF's own name") << "" << true << "Sezione tipo personalizzata.pdf";
    QTest::newRow("blanks only: the XPWE's own name") << "   " << false << "Computo scavi.xpwe";
    QTest::newRow("trimmed, accents and a comma kept") << "  Fognatura via Roma, lotto 2 – Cantù " << true
                                                       << "Fognatura via Roma, lotto 2 – Cantù.pdf";
    QTest::newRow("each character Windows refuses") << "a\\b/c:d*e?f\"g<h>i|j" << false << "a-b-c-d-e-f-g-h-i-j.xpwe";
    QTest::newRow("control characters") << QStringLiteral("Lotto\t3\u0001") << true << "Lotto-3-.pdf";
    QTest::newRow("a name Windows keeps for a device") << "nul" << true << "Sezione tipo personalizzata.pdf";
    QTest::newRow("a device's name with a suffix") << "Com1.lotto" << false << "Computo scavi.xpwe";
    QTest::newRow("a device's name inside a longer one") << "Console" << false << "Console.xpwe";
}

void TestDrawingWindow::exportFileNames()
{
    QFETCH(QString, job);
    QFETCH(bool, pdf);
    QFETCH(QString, name);
    QCOMPARE(exportFileName(job, pdf ? SectionFileChoice::ExportPdf : SectionFileChoice::ExportXpwe), name);
}

// Each export's dialog opens in the folder of the file last chosen for an
// export (first the user's documents), under the job's name when there is one.
void TestDrawingWindow::exportsOfferTheLastFolder()
{
    ShownWindow w;
    w.window.stretchesTab().paste(kStretchesBlock);
    QStringList offered;
    std::optional<QString> answer;
    w.window.setPathChooser([&](QWidget *, SectionFileChoice, const QString &path) {
        offered << path;
        return answer;
    });
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir chosen(w.folder.filePath(QStringLiteral("consegna")));
    QVERIFY(chosen.mkpath(QStringLiteral(".")));

    w.button(QStringLiteral("Esporta PDF..."))->click(); // cancelled
    w.type(QStringLiteral("Lavoro"), QStringLiteral(" Fognatura: via Roma "));
    answer = chosen.filePath(QStringLiteral("computo.xpwe"));
    w.button(QStringLiteral("Esporta XPWE..."))->click();
    QVERIFY(QFileInfo::exists(*answer));
    answer = std::nullopt;
    w.button(QStringLiteral("Esporta PDF..."))->click();
    w.button(QStringLiteral("Esporta XPWE..."))->click();
    QCOMPARE(offered, QStringList({documents.filePath(QStringLiteral("Sezione tipo personalizzata.pdf")),
                                   documents.filePath(QStringLiteral("Fognatura- via Roma.xpwe")),
                                   chosen.filePath(QStringLiteral("Fognatura- via Roma.pdf")),
                                   chosen.filePath(QStringLiteral("Fognatura- via Roma.xpwe"))}));
}

// "D = ..." inside the pipe when it fits, else outside the trench with a
// leader to the pipe: where it is written, the picture holds nothing else,
// no wall, area side, dimension or other text.
void TestDrawingWindow::diameterLabelClear_data()
{
    QTest::addColumn<QStringList>("areas");
    QTest::addColumn<double>("P");
    QTest::addColumn<double>("D");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("inside");

    const QStringList worked{"SABBIA|0.30|0.10|0.2|0.5|E.01.001", "RINTERRO|*0.50|0|0.2|0.5|E.01.002",
                             "PAVIMENTAZIONE|0.40|0.15|0|0|E.01.003"};
    QTest::newRow("the worked example: inside the pipe") << worked << 1.50 << 0.40 << "D = 0,40" << true;
    QTest::newRow("a small pipe across area 1's top") << worked << 1.50 << 0.10 << "D = 0,10" << false;
    QTest::newRow("a pipe centred on area 1's top") << worked << 1.50 << 0.20 << "D = 0,20" << false;
    QTest::newRow("a pipe through the trench bottom, beside the depth's texts")
        << QStringList{"SABBIA|0.30|0|0|0.5", "RINTERRO|*0.50|0|0|0.5"} << 4.00 << 0.32 << "D = 0,32" << false;
}

void TestDrawingWindow::diameterLabelClear()
{
    QFETCH(QStringList, areas);
    QFETCH(double, P);
    QFETCH(double, D);
    QFETCH(QString, caption);
    QFETCH(bool, inside);

    const ExampleDimensions dimensions{0.80, P, D};
    const SectionDrawing drawing = drawSection(sectionOf(areas), dimensions);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const QRectF room(0, 0, 560, 400);
    const std::optional<QRectF> label = SectionPicture::diameterText(font, drawing, dimensions, room);
    QVERIFY(label);
    QImage picture(room.size().toSize(), QImage::Format_RGB32);
    QImage alone(picture.size(), QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
        QPainter painter(&picture);
        SectionPicture::paint(painter, room, font, drawing, dimensions);
        QPainter lone(&alone);
        lone.setRenderHint(QPainter::Antialiasing);
        lone.setPen(QPen(Qt::black, 1));
        lone.setFont(font);
        lone.drawText(*label, Qt::AlignCenter, caption);
    }
    // The pixels wholly within the label; inside the pipe, its middle rows,
    // clear of the circle that rounds its corners.
    QRect within(QPoint(int(std::ceil(label->left())), int(std::ceil(label->top()))),
                 QPoint(int(std::floor(label->right())) - 1, int(std::floor(label->bottom())) - 1));
    if (inside)
        within.adjust(0, within.height() / 4, 0, -within.height() / 4);
    QCOMPARE(picture.copy(within), alone.copy(within));
    if (inside)
        return;
    // The leader starts beside it.
    const int x = int(std::ceil(label->right() + 2));
    const int y = qRound(label->center().y());
    QVERIFY(std::min({qGray(picture.pixel(x, y - 1)), qGray(picture.pixel(x, y)), qGray(picture.pixel(x, y + 1))}) < 128);
}

// Centres of labels between 0 and `high`, "-" for one left out.
void TestDrawingWindow::labelsBeside_data()
{
    QTest::addColumn<QList<double>>("wanted");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<double>("high");
    QTest::addColumn<QString>("centres");

    const QList<double> tens{10, 10, 10, 10, 10, 10};
    QTest::newRow("apart: each where it wants") << QList<double>{20, 50} << tens << 100.0 << "20 50";
    QTest::newRow("overlapping: moved apart about their middle") << QList<double>{50, 52} << tens << 100.0 << "46 56";
    QTest::newRow("in any order given") << QList<double>{52, 50} << tens << 100.0 << "56 46";
    QTest::newRow("at the edge: moved inside") << QList<double>{2, 4} << tens << 100.0 << "5 15";
    QTest::newRow("a block that grows into the label before it takes it along")
        << QList<double>{14, 30, 31, 32} << tens << 100.0 << "11.75 21.75 31.75 41.75";
    QTest::newRow("more than fit: three of six kept, first, middle and last")
        << QList<double>{15, 15, 15, 15, 15, 15} << tens << 30.0 << "5 - 15 - - 25";
    QTest::newRow("a wrapped label of three lines pushes the next one down")
        << QList<double>{20, 30} << QList<double>{30, 10} << 100.0 << "15 35";
}

void TestDrawingWindow::labelsBeside()
{
    QFETCH(QList<double>, wanted);
    QFETCH(QList<double>, heights);
    QFETCH(double, high);
    QFETCH(QString, centres);

    QStringList placed;
    for (const std::optional<double> &centre :
         spreadLabels({wanted.begin(), wanted.end()}, {heights.begin(), heights.begin() + wanted.size()}, 0, high))
        placed << (centre ? QString::number(*centre) : QStringLiteral("-"));
    QCOMPARE(placed.join(u' '), centres);
}

// The main window's frame and the drawing window's size on a screen of
// 1920 × 1080 (or 1280 × 1024): where the drawing window goes.
void TestDrawingWindow::placedBesideTheMainWindow_data()
{
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("at");

    const QRect wide(0, 0, 1920, 1040);
    QTest::newRow("room on the right: beside it, at its top") << QRect(100, 200, 700, 630) << QSize(900, 800) << wide
                                                              << QPoint(800, 200);
    QTest::newRow("on the right, moved up to stay on the screen")
        << QRect(100, 400, 700, 630) << QSize(900, 800) << wide << QPoint(800, 240);
    QTest::newRow("no room on the right, room below") << QRect(1000, 0, 700, 300) << QSize(900, 700) << wide
                                                       << QPoint(1000, 300);
    QTest::newRow("centred on a small screen: where it covers least, against the right edge")
        << QRect(290, 197, 700, 630) << QSize(880, 860) << QRect(0, 0, 1280, 1024) << QPoint(400, 164);
    QTest::newRow("the main window on the right: against the left edge")
        << QRect(580, 100, 700, 630) << QSize(880, 860) << QRect(0, 0, 1280, 1024) << QPoint(0, 100);
}

void TestDrawingWindow::placedBesideTheMainWindow()
{
    QFETCH(QRect, main);
    QFETCH(QSize, size);
    QFETCH(QRect, screen);
    QFETCH(QPoint, at);
    QCOMPARE(placeBeside(main, size, screen), at);
}

QTEST_MAIN(TestDrawingWindow)
#include "tst_drawingwindow.moc"
