#include "window/captionframe.h"
#include "window/examplepicture.h"
#include "window/fontsubstitutions.h"
#include "window/form1.h"
#include "window/grid/flexgridcontrol.h"
#include "window/keytextbox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include "window/linesbox.h"
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

// The window as it stands before the start-up sequence: where every control
// sits, what it says, what is shown, and how the focus moves.

namespace {

int px(int twips) { return int(std::lround(twips / 15.0)); }

// A window point in twips as a point of the example picture, whose top-left
// pixel lies at (150, 630) twips.
QPointF picturePoint(double x, double y) { return QPointF((x - 150) / 15, (y - 630) / 15); }

QList<std::pair<QString, QWidget *>> controls(const Form1Ui &ui)
{
    return {{"Command1", ui.Command1}, {"Text2", ui.Text2},   {"Text1", ui.Text1},   {"Frame1", ui.Frame1},
            {"Combo1", ui.Combo1},     {"Text5", ui.Text5},   {"TXTedit", ui.TXTedit}, {"Combo2", ui.Combo2},
            {"FlexGrid", ui.FlexGrid}, {"Label8", ui.Label8}, {"Label7", ui.Label7}, {"Label6", ui.Label6},
            {"Label5", ui.Label5},     {"Label2", ui.Label2}, {"Label4", ui.Label4}, {"Label3", ui.Label3},
            {"Label1", ui.Label1},     {"Image1", ui.Image1}};
}

QWidget *control(const Form1Ui &ui, const QString &name)
{
    for (const auto &[controlName, widget] : controls(ui)) {
        if (controlName == name)
            return widget;
    }
    qFatal("no control %s", qPrintable(name));
}

QString controlName(const Form1Ui &ui, const QWidget *widget)
{
    for (const auto &[name, candidate] : controls(ui)) {
        if (candidate == widget)
            return name;
    }
    return widget ? QString::fromLatin1(widget->metaObject()->className()) : QStringLiteral("<none>");
}

QString shownText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(widget))
        return box->toPlainText();
    if (auto *frame = qobject_cast<const CaptionFrame *>(widget))
        return frame->caption();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    return QString();
}

struct Message
{
    QMessageBox::Icon icon;
    QString text;
};

} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

public:
    static void initMain() { setFontSubstitutions(); } // as main() does at start

private slots:
    void initTestCase();
    void controlsSitWhereLaidOut_data();
    void controlsSitWhereLaidOut();
    void labelsUseTheirFontAndColour_data();
    void labelsUseTheirFontAndColour();
    void boxesKeepTheirColoursOnAnyDesktop_data();
    void boxesKeepTheirColoursOnAnyDesktop();
    void windowIsFixedWithoutMinimizeOrMaximize();
    void pictureFillsItsSunkenBox();
    void highlightLinesStartHidden_data();
    void highlightLinesStartHidden();
    void maskPenAndsTheLineColourIntoThePicture_data();
    void maskPenAndsTheLineColourIntoThePicture();
    void showingALineChangesOnlyThePixelsUnderIt_data();
    void showingALineChangesOnlyThePixelsUnderIt();
    void tabWalksTheVisibleControls_data();
    void tabWalksTheVisibleControls();

private:
    QTemporaryDir m_dir;
    QList<Message> m_messages;
    std::unique_ptr<Form1> m_form; // never shown: the window before its start-up sequence
};

void TestForm1Layout::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_form = std::make_unique<Form1>(m_dir.path());
    m_form->setMessageBox([this](QMessageBox::Icon icon, const QString &, const QString &text) {
        m_messages.append({icon, text});
    });
}

void TestForm1Layout::controlsSitWhereLaidOut_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips"); // a zero size: the control takes its text's size
    QTest::addColumn<QSize>("aboutSize");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("visible");

    const QString window = QStringLiteral("window");
    const QString frame = QStringLiteral("Frame1");
    const QString blueNote =
        QStringLiteral("La larghezza L di fondo scavo è determinata in base alle sezioni tipo standard");
    const QString blueTop =
        QStringLiteral("Inserire le AREE iniziando dal fondo della sezione e procedendo verso la sommità");
    const QString blueRule =
        QStringLiteral("Solamente un'area può avere l'altezza H dipendente dalla profondità P. ");
    const QString enterHint = QStringLiteral("premere INVIO per confermare l'immissione");

    QTest::newRow("Command1") << window << QRect(8400, 8640, 1935, 375) << QSize() << "Esci" << "" << true;
    QTest::newRow("Text2") << window << QRect(7440, 3240, 2895, 2655) << QSize() << "" << "" << true;
    QTest::newRow("Text1") << window << QRect(7440, 840, 2895, 2055) << QSize() << "" << "" << true;
    QTest::newRow("Frame1") << window << QRect(120, 6120, 10215, 2415) << QSize()
                            << "Numero aree della sezione:    " << "" << true;
    QTest::newRow("Combo1") << frame << QRect(7320, 120, 1815, 315) << QSize() << "Combo1" << "" << false;
    QTest::newRow("Text5") << frame << QRect(2160, 0, 735, 285) << QSize() << "" << "" << true;
    QTest::newRow("TXTedit") << frame << QRect(9240, 120, 855, 285) << QSize() << "" << enterHint << false;
    QTest::newRow("Combo2") << frame << QRect(6240, 3600, 1815, 315) << QSize() << "Combo2" << "" << false;
    QTest::newRow("FlexGrid") << frame << QRect(240, 360, 9825, 1815) << QSize() << "" << "" << true;
    QTest::newRow("Label8") << window << QRect(120, 8640, 0, 0) << QSize() << blueNote << "" << true;
    QTest::newRow("Label7") << window << QRect(7440, 3000, 2895, 255) << QSize()
                            << "Contenuto del file definitivo" << "" << true;
    QTest::newRow("Label6") << window << QRect(7440, 600, 2895, 255) << QSize() << "Note" << "" << true;
    QTest::newRow("Label5") << window << QRect(120, 50, 0, 0) << QSize() << blueTop << "" << true;
    QTest::newRow("Label2") << window << QRect(120, 315, 0, 0) << QSize() << blueRule << "" << true;
    QTest::newRow("Label4") << window << QRect(3105, 4200, 0, 0) << QSize(px(510), px(285)) << "50%" << ""
                            << false;
    QTest::newRow("Label3") << window << QRect(3105, 3720, 0, 0) << QSize(px(510), px(285)) << "50%" << ""
                            << false;
    QTest::newRow("Label1") << window << QRect(1320, 645, 0, 0) << QSize(px(4455), px(225))
                            << "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE" << "" << true;
    QTest::newRow("Image1") << window << QRect(120, 600, 7245, 5370) << QSize() << "" << "" << true;
}

void TestForm1Layout::controlsSitWhereLaidOut()
{
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QSize, aboutSize);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(bool, visible);

    const Form1Ui &ui = m_form->ui();
    QWidget *widget = control(ui, QString::fromLatin1(QTest::currentDataTag()));
    QWidget *expectedParent = container == QLatin1String("Frame1") ? static_cast<QWidget *>(ui.Frame1)
                                                                    : static_cast<QWidget *>(m_form.get());
    QCOMPARE(widget->parentWidget(), expectedParent);

    QCOMPARE(widget->pos(), QPoint(px(twips.x()), px(twips.y())));
    if (twips.width() > 0) {
        QCOMPARE(widget->size(), QSize(px(twips.width()), px(twips.height())));
    } else {
        const QSize hint = widget->sizeHint();
        QVERIFY2(qAbs(widget->width() - hint.width()) <= 2 && qAbs(widget->height() - hint.height()) <= 2,
                 qPrintable(QStringLiteral("size %1x%2, text needs %3x%4")
                                .arg(widget->width()).arg(widget->height()).arg(hint.width()).arg(hint.height())));
    }
    if (aboutSize.isValid()) {
        QVERIFY2(qAbs(widget->width() - aboutSize.width()) <= 3 && qAbs(widget->height() - aboutSize.height()) <= 3,
                 qPrintable(QStringLiteral("size %1x%2").arg(widget->width()).arg(widget->height())));
    }

    QCOMPARE(shownText(widget), text);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(!widget->isHidden(), visible);
    QCOMPARE(widget->isVisibleTo(m_form.get()), visible);
    // Whatever is shown lies wholly inside its container, its text unclipped.
    if (visible)
        QVERIFY(expectedParent->rect().contains(widget->geometry()));
}

void TestForm1Layout::labelsUseTheirFontAndColour_data()
{
    QTest::addColumn<int>("pixels"); // the points' pixels at 96 dpi, at any logical DPI
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("Label8") << 13 << true << QColor(0, 0, 255); // 9.75 pt
    QTest::newRow("Label5") << 13 << true << QColor(0, 0, 255);
    QTest::newRow("Label2") << 13 << true << QColor(0, 0, 255);
    QTest::newRow("Label4") << 16 << true << QColor(255, 0, 0); // 12 pt
    QTest::newRow("Label3") << 16 << true << QColor(255, 0, 0);
    QTest::newRow("Label1") << 12 << false << QColor(128, 128, 128); // 9 pt
}

void TestForm1Layout::labelsUseTheirFontAndColour()
{
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);

    const QWidget *label = control(m_form->ui(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label->font().pixelSize(), pixels);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
}

void TestForm1Layout::boxesKeepTheirColoursOnAnyDesktop_data()
{
    QTest::addColumn<QPalette>("desktop");

    QTest::newRow("light desktop") << QApplication::palette();
    QPalette dark(QColor(45, 45, 45)); // white texts on dark grounds
    dark.setColor(QPalette::ToolTipBase, QColor(45, 45, 45));
    QTest::newRow("dark desktop") << dark;
}

void TestForm1Layout::boxesKeepTheirColoursOnAnyDesktop()
{
    QFETCH(QPalette, desktop);
    const QPalette saved = QApplication::palette();
    QApplication::setPalette(desktop);
    const auto restore = qScopeGuard([&saved] { QApplication::setPalette(saved); });

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Form1 form(dir.path());
    form.setMessageBox([](QMessageBox::Icon, const QString &, const QString &) {});
    QVERIFY(form.Form_Load());
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTRY_VERIFY(form.isReady());
    form.FlexGrid_Click(); // the editor over cell (1, 0), its hint in the notes box
    const Form1Ui &ui = form.ui();
    QVERIFY(!ui.TXTedit->isHidden());

    // Backgrounds as drawn, at a point clear of any text; texts in the
    // colour each box draws them with.
    const QImage shot = form.grab().toImage();
    const auto shownAt = [&](const QWidget *widget, QPoint point) {
        return shot.pixelColor(widget->mapTo(&form, point));
    };
    const QColor black(0, 0, 0);
    QCOMPARE(shownAt(ui.TXTedit, QPoint(ui.TXTedit->width() - 3, ui.TXTedit->height() / 2)), QColor(192, 255, 255));
    QCOMPARE(ui.TXTedit->palette().color(QPalette::Text), black);
    QCOMPARE(shownAt(ui.FlexGrid, ui.FlexGrid->cellRect(1, 1).bottomRight() - QPoint(3, 3)), QColor(255, 255, 225));
    for (const LinesBox *box : {ui.Text1, ui.Text2}) {
        const QWidget *page = box->viewport();
        QCOMPARE(shownAt(page, QPoint(page->width() - 3, page->height() - 3)), QColor(180, 180, 180));
        QCOMPARE(box->palette().color(QPalette::Text), black);
    }
}

void TestForm1Layout::windowIsFixedWithoutMinimizeOrMaximize()
{
    QCOMPARE(m_form->size(), QSize(700, 603));
    QCOMPARE(m_form->font().family(), QStringLiteral("Microsoft Sans Serif"));
    QCOMPARE(m_form->minimumSize(), QSize(700, 603));
    QCOMPARE(m_form->maximumSize(), QSize(700, 603));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Profilara"));
    QVERIFY(!m_form->windowIcon().isNull());

    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(m_form->isWindow());
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint)); // otherwise the desktop adds the buttons back
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void TestForm1Layout::pictureFillsItsSunkenBox()
{
    const ExamplePicture &box = *m_form->ui().Image1;
    QCOMPARE(box.composed().size(), QSize(479, 354));
    QCOMPARE(box.frameShadow(), QFrame::Sunken);
    QCOMPARE(box.frameWidth(), 2);
    QCOMPARE(box.contentsRect().size(), box.composed().size());
    // The highlight lines are placed for a picture whose top-left pixel is at (150, 630) twips.
    QCOMPARE(box.mapTo(m_form.get(), box.contentsRect().topLeft()), QPoint(px(150), px(630)));
}

void TestForm1Layout::highlightLinesStartHidden_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("width");

    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    QTest::newRow("Line1 red overhang") << 1 << QLineF(picturePoint(4920, 1680), picturePoint(5520, 1680)) << red << 10;
    QTest::newRow("Line2 red height") << 2 << QLineF(picturePoint(2400, 4080), picturePoint(2400, 1680)) << red << 10;
    QTest::newRow("Line3 blue top") << 3 << QLineF(picturePoint(1560, 1675), picturePoint(1560, 1035)) << blue << 10;
    QTest::newRow("Line4 blue pipe") << 4 << QLineF(picturePoint(1560, 4720), picturePoint(1560, 4080)) << blue << 10;
    QTest::newRow("Line5 red upright") << 5 << QLineF(picturePoint(4440, 4080), picturePoint(4440, 2640)) << red << 7;
    QTest::newRow("Line6 red slope") << 6 << QLineF(picturePoint(4440, 4080), picturePoint(4750, 2640)) << red << 7;
}

void TestForm1Layout::highlightLinesStartHidden()
{
    QFETCH(int, n);
    QFETCH(QLineF, line);
    QFETCH(QColor, colour);
    QFETCH(int, width);

    const HighlightLine &actual = m_form->ui().Image1->line(n);
    QCOMPARE(actual.line, line);
    QCOMPARE(actual.colour, colour);
    QCOMPARE(actual.width, width);
    QVERIFY(!actual.visible);
}

void TestForm1Layout::maskPenAndsTheLineColourIntoThePicture_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("onGrey");

    QTest::newRow("red") << QColor(255, 0, 0) << QColor(192, 0, 0);
    QTest::newRow("blue") << QColor(0, 0, 255) << QColor(0, 0, 192);
}

void TestForm1Layout::maskPenAndsTheLineColourIntoThePicture()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, onGrey);

    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(30, 20, Qt::black);
    image.setPixelColor(40, 20, QColor(192, 192, 192));

    drawMaskLine(image, HighlightLine{QLineF(10, 20, 50, 20), colour, 10, true});

    QCOMPARE(image.pixelColor(20, 20), colour); // white ground takes the colour
    QCOMPARE(image.pixelColor(20, 17), colour); // across the width too
    QCOMPARE(image.pixelColor(30, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(40, 20), onGrey);
    QCOMPARE(image.pixelColor(30, 35), QColor(Qt::white));
    QCOMPARE(image.pixelColor(58, 20), QColor(Qt::white));
}

void TestForm1Layout::showingALineChangesOnlyThePixelsUnderIt_data()
{
    QTest::addColumn<int>("n");
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("Line%d", n) << n;
}

void TestForm1Layout::showingALineChangesOnlyThePixelsUnderIt()
{
    QFETCH(int, n);
    ExamplePicture &box = *m_form->ui().Image1;
    const QImage before = box.composed();
    const HighlightLine line = box.line(n);

    box.setLineVisible(n, true);
    const QImage after = box.composed();
    box.setLineVisible(n, false);
    QCOMPARE(box.composed(), before);

    const QPointF along = line.line.unitVector().p2() - line.line.p1();
    const double reach = line.width / 2.0 + 1.5;
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            ++changed;
            // Distance from the pixel's centre to the segment.
            const QPointF p = QPointF(x + 0.5, y + 0.5) - line.line.p1();
            const double t = qBound(0.0, QPointF::dotProduct(p, along), line.line.length());
            const QPointF offset = p - along * t;
            QVERIFY2(std::hypot(offset.x(), offset.y()) <= reach,
                     qPrintable(QStringLiteral("pixel (%1, %2) changed").arg(x).arg(y)));
            QCOMPARE(after.pixel(x, y), before.pixel(x, y) & line.colour.rgb());
        }
    }
    QVERIFY(changed > int(line.line.length()));
}

void TestForm1Layout::tabWalksTheVisibleControls_data()
{
    QTest::addColumn<int>("from"); // 0 Text5, 1 the cell editor, 2 the grid, after Escape in the cell editor
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("focusSteps");

    QTest::newRow("Tab from Text5 round the window")
        << 0 << int(Qt::Key_Tab) << QStringList{"Text1", "Text2", "Command1", "Text5"};
    QTest::newRow("Shift+Tab from Text5 the other way")
        << 0 << int(Qt::Key_Backtab) << QStringList{"Command1", "Text2", "Text1", "Text5"};
    QTest::newRow("Tab from the cell editor to Text5")
        << 1 << int(Qt::Key_Tab) << QStringList{"Text5", "Text1", "Text2", "Command1", "Text5"};
    QTest::newRow("Tab from the grid to Text5, on round the window")
        << 2 << int(Qt::Key_Tab) << QStringList{"Text5", "Text1", "Text2", "Command1", "Text5"};
    QTest::newRow("Shift+Tab from the grid the other way")
        << 2 << int(Qt::Key_Backtab) << QStringList{"Command1", "Text2", "Text1", "Text5"};
}

void TestForm1Layout::tabWalksTheVisibleControls()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(QStringList, focusSteps);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Form1 form(dir.path());
    QList<Message> messages;
    form.setMessageBox([&messages](QMessageBox::Icon icon, const QString &, const QString &text) {
        messages.append({icon, text});
    });
    QVERIFY(form.Form_Load());
    QCOMPARE(messages.size(), 1); // no section file yet
    QCOMPARE(messages.first().icon, QMessageBox::Information);

    form.showCentred();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTRY_VERIFY(form.isReady());
    const Form1Ui &ui = form.ui();
    QCOMPARE(controlName(ui, QApplication::focusWidget()), QStringLiteral("Text5"));

    if (from != 0) {
        form.FlexGrid_Click();
        QVERIFY(!ui.TXTedit->isHidden());
        QCOMPARE(controlName(ui, QApplication::focusWidget()), QStringLiteral("TXTedit"));
    }
    if (from == 2) {
        QTest::keyClick(ui.TXTedit, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), ui.FlexGrid->focusProxy());
    }

    QStringList steps;
    for (qsizetype i = 0; i < focusSteps.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        steps << controlName(ui, QApplication::focusWidget());
    }
    QCOMPARE(steps, focusSteps);
    QVERIFY(ui.TXTedit->isHidden()); // the editor closes once it loses the focus
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
