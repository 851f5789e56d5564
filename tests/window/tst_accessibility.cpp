#include "formfixture.h"

#include "window/drawing/drawingwindow.h"
#include "window/examplepicture.h"
#include "window/italianqttexts.h"

#include <QAccessible>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

// What assistive technology reads of the window: the names of the controls,
// the described picture, the editor box telling which cell it edits, the
// boxes' texts and what has the focus. And what the boxes' own menus say.

namespace {

// A box's text as Orca reads it: to the end of the last run of text
// attributes that starts before the character count.
QString readAsOrcaDoes(QWidget *box)
{
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(box)->textInterface();
    int start = 0, end = 0;
    for (int offset = 0; offset < text->characterCount(); offset = qMax(end, offset + 1))
        text->attributes(offset, &start, &end);
    return text->text(0, end);
}

// The accessible objects alive: Qt numbers them from 2^31 up.
int liveAccessibleObjects()
{
    int live = 0;
    for (quint64 id = quint64(1) << 31; id < (quint64(1) << 31) + 1000000; ++id)
        live += QAccessible::accessibleInterface(QAccessible::Id(id)) ? 1 : 0;
    return live;
}

// The connections to an object's destroyed(): Qt's cache of accessible
// objects makes one for every accessible object it makes of it.
int destroyedReceivers(const QObject *object)
{
    struct Receivers : QObject
    {
        using QObject::receivers;
    };
    return (object->*(&Receivers::receivers))(SIGNAL(destroyed(QObject *)));
}

// The entries of the menu that the box opens for the Menu key, with the
// keys the menu shows for the window's commands.
QStringList menuEntries(QWidget *box)
{
    QStringList entries;
    const auto read = [&entries] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions()) {
                const QString keys = action->shortcut().toString(QKeySequence::NativeText);
                if (!action->isSeparator())
                    entries << action->text().section(u'\t', 0, 0) + (keys.isEmpty() ? QString() : u' ' + keys);
            }
            menu->close();
        }
    };
    QTimer whileOpen; // a menu that runs its own loop is read from within it
    whileOpen.setSingleShot(true);
    QObject::connect(&whileOpen, &QTimer::timeout, read);
    whileOpen.start(0);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &event);
    read(); // one that only pops up, once the event is done
    return entries;
}

} // namespace

class TestAccessibility : public WindowTest
{
    Q_OBJECT

private slots:
    void controlsHaveItalianNames_data();
    void controlsHaveItalianNames();
    void editorSaysWhereItIs_data();
    void editorSaysWhereItIs();
    void countBoxSelectsWithTheFocus_data();
    void countBoxSelectsWithTheFocus();
    void textReadToItsLastCharacter_data();
    void textReadToItsLastCharacter();
    void currentCellFocusedOnlyWithTheGrid_data();
    void currentCellFocusedOnlyWithTheGrid();
    void boxMenusSpeakItalian_data();
    void boxMenusSpeakItalian();
    void editingThroughItIsTyping_data();
    void editingThroughItIsTyping();
    void openingsDoNotAddUp();
    void escapeTellsTheGridsCellLast();
};

void TestAccessibility::controlsHaveItalianNames_data()
{
    QTest::addColumn<int>("control"); // in the tab order, the picture last
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("label");         // the name of the label related to it, if any
    QTest::addColumn<QStringList>("described"); // what its description tells

    const int text = QAccessible::EditableText;
    QTest::newRow("count box") << 0 << "Numero aree della sezione" << text << "" << QStringList();
    QTest::newRow("grid") << 1 << "Aree della sezione" << int(QAccessible::Table) << "" << QStringList();
    QTest::newRow("notes") << 2 << "Note" << text << "Note" << QStringList();
    QTest::newRow("preview") << 3 << "Contenuto del file definitivo" << text << "Contenuto del file definitivo"
                             << QStringList();
    QTest::newRow("Esci") << 4 << "Esci" << int(QAccessible::Button) << "" << QStringList();
    QTest::newRow("picture") << 5 << "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE" << int(QAccessible::Graphic) << ""
                             << QStringList{"tre aree sovrapposte", "per metà nell'AREA 1 e per metà nell'AREA 2",
                                            "H1, H2 e H3", "profondità P", "larghezza L", "di X per lato",
                                            "tan alfa 1, tan alfa 2 e tan alfa 3"};
}

void TestAccessibility::controlsHaveItalianNames()
{
    QFETCH(int, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, label);
    QFETCH(QStringList, described);

    StartedForm f(namedSectionFile(" 3 ", 3));
    const Form1Ui &ui = f.ui();
    QWidget *const controls[] = {ui.Text5, ui.FlexGrid->focusProxy(), ui.Text1, ui.Text2, ui.Command1, ui.Image1};
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(controls[control]);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(int(iface->role()), role);
    const auto labels = iface->relations(QAccessible::Label);
    QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name), label);
    for (const QString &phrase : described)
        QVERIFY2(iface->text(QAccessible::Description).contains(phrase), qPrintable(phrase));
}

void TestAccessibility::editorSaysWhereItIs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key"); // 0: only the click
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("hint"); // the column whose hint describes it

    // Enter changes only the column, Up only the area.
    QTest::newRow("click on area 2, widening") << 2 << 2 << 0 << "Area 2, Allargamento della sezione X" << 2;
    QTest::newRow("Enter to the next column") << 3 << 4 << int(Qt::Key_Return) << "Area 3, Voce di elenco prezzi" << 5;
    QTest::newRow("Up from area 1 to the last area")
        << 1 << 3 << int(Qt::Key_Up) << "Area 3, Inclinazione delle pareti tan alfa" << 3;
    QTest::newRow("Down, the hint unchanged") << 1 << 1 << int(Qt::Key_Down) << "Area 2, Altezza area H" << 1;
}

void TestAccessibility::editorSaysWhereItIs()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(int, hint);

    StartedForm f(namedSectionFile(" 3 ", 3));
    f.clickCell(row, column);
    if (key)
        QTest::keyClick(&f.editor(), Qt::Key(key));

    QAccessibleInterface *editor = QAccessible::queryAccessibleInterface(&f.editor());
    QVERIFY(editor);
    QCOMPARE(editor->text(QAccessible::Name), name);
    QCOMPARE(editor->text(QAccessible::Description), kHints[hint]);
}

void TestAccessibility::countBoxSelectsWithTheFocus_data()
{
    QTest::addColumn<int>("way"); // 0 the start, 1 back to the window, 2 a click, 3 Escape in the editor box and
                                  // Tab on the grid, else a key in the editor box
    QTest::addColumn<QString>("selected");

    QTest::newRow("the window's start") << 0 << "3";
    QTest::newRow("back to the window, as from a message box") << 1 << "200";
    QTest::newRow("Escape, then Tab from the grid") << 3 << "3";
    QTest::newRow("Tab from the editor box") << int(Qt::Key_Tab) << "3";
    QTest::newRow("a click, which places the cursor") << 2 << "";
}

void TestAccessibility::countBoxSelectsWithTheFocus()
{
    QFETCH(int, way);
    QFETCH(QString, selected);

    StartedForm f(namedSectionFile(" 3 ", 3));
    KeyTextBox &count = *f.ui().Text5;
    if (way == 1) {
        QTest::keyClicks(&count, "200"); // replaces the count
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    } else if (way != 0) {
        f.clickCell(1, 0);
        if (way == 2) {
            QTest::mouseClick(&count, Qt::LeftButton);
        } else if (way == 3) { // Escape leaves the focus on the grid
            QTest::keyClick(&f.editor(), Qt::Key_Escape);
            QTest::keyClick(f.grid().focusProxy(), Qt::Key_Tab);
        } else {
            QTest::keyClick(&f.editor(), Qt::Key(way));
        }
    }
    QVERIFY(count.hasFocus());
    QCOMPARE(count.selectedText(), selected);
}

void TestAccessibility::textReadToItsLastCharacter_data()
{
    QTest::addColumn<int>("box"); // 0 the count box, 1 the editor box, 2 the notes, 3 the preview
    QTest::addColumn<QString>("text");

    QTest::newRow("count box") << 0 << "13";
    QTest::newRow("editor box") << 1 << "200";
    QTest::newRow("notes, the hint of the slope") << 2 << kHints[3];
    QTest::newRow("preview, its last value too") << 3 << namedSectionPreview(3);
}

void TestAccessibility::textReadToItsLastCharacter()
{
    QFETCH(int, box);
    QFETCH(QString, text);

    StartedForm f(namedSectionFile(" 3 ", 3));
    f.ui().Text5->setText("13");
    f.clickCell(1, 3);
    f.type("200");
    QWidget *const boxes[] = {f.ui().Text5, &f.editor(), f.ui().Text1, f.ui().Text2};
    QCOMPARE(readAsOrcaDoes(boxes[box]), text);
}

void TestAccessibility::currentCellFocusedOnlyWithTheGrid_data()
{
    QTest::addColumn<bool>("gridFocused"); // else the editor box is open on the cell

    QTest::newRow("editor box open on the cell") << false;
    QTest::newRow("the grid itself has the focus") << true;
}

void TestAccessibility::currentCellFocusedOnlyWithTheGrid()
{
    QFETCH(bool, gridFocused);

    StartedForm f(namedSectionFile(" 3 ", 3));
    f.clickCell(1, 2);
    QTest::keyClick(&f.editor(), Qt::Key_Down);
    if (gridFocused)
        f.grid().setFocus();
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(f.grid().focusProxy());
    QCOMPARE(table->state().focused, gridFocused);
    QCOMPARE(table->tableInterface()->cellAt(f.grid().Row() - 1, f.grid().Col())->state().focused, gridFocused);
}

void TestAccessibility::boxMenusSpeakItalian_data()
{
    QTest::addColumn<int>("box"); // 0 the count box, 1 the preview, 2 a dimension of the drawing, 3 the grid,
                                  // 4 the editor box
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("count box") << 0
                               << QStringList{"&Annulla", "&Ripeti", "&Taglia", "&Copia", "I&ncolla", "&Elimina",
                                              "&Seleziona tutto"};
    QTest::newRow("preview, read only") << 1 << QStringList{"&Copia", "&Seleziona tutto"};
    QTest::newRow("a dimension of the drawing")
        << 2 << QStringList{"&Annulla", "&Ripeti", "&Taglia", "&Copia", "I&ncolla", "&Elimina",
                            "&Seleziona tutto Ctrl+A", "A&umenta", "&Diminuisci"};
    const QStringList areas{"Inserisci area Ctrl++", "Elimina area Ctrl+-", "Sposta area su Alt+Freccia su",
                            "Sposta area giù Alt+Freccia giù", "Copia tabella Ctrl+Maiusc+C",
                            "Disegno della sezione... Ctrl+D", "Salva copia della sezione... Ctrl+Maiusc+S",
                            "Carica sezione da file... Ctrl+O"};
    QTest::newRow("the grid: the window's commands, with their keys")
        << 3 << QStringList{"Annulla Ctrl+Z", "Ripeti Ctrl+Y", "Incolla Ctrl+V"} + areas;
    QTest::newRow("the editor box: the same, and the box's own")
        << 4 << QStringList{"Annulla Ctrl+Z", "Ripeti Ctrl+Y", "Taglia Ctrl+X", "Copia Ctrl+C", "Incolla Ctrl+V",
                            "Seleziona tutto Ctrl+A"} + areas;
}

void TestAccessibility::boxMenusSpeakItalian()
{
    QFETCH(int, box);
    QFETCH(QStringList, entries);

    ItalianQtTexts texts;
    QCoreApplication::installTranslator(&texts);
    StartedForm f(namedSectionFile(" 1 ", 1));
    QWidget *target = box == 0 ? static_cast<QWidget *>(f.ui().Text5) : f.ui().Text2;
    if (box >= 3) {
        f.clickCell(1, 0);
        target = box == 3 ? static_cast<QWidget *>(f.ui().FlexGrid) : &f.editor();
    }
    if (box == 2) {
        f.clickCell(1, 0);
        QTest::keyClick(&f.editor(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(f.form->drawing());
        target = f.form->drawing()->findChild<QDoubleSpinBox *>();
    }
    QVERIFY(target);
    QCOMPARE(menuEntries(target), entries);
}

void TestAccessibility::editingThroughItIsTyping_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text"); // the editor box's afterwards, from "a2c2"

    QTest::newRow("text inserted") << "insert" << "a2 Xc2";
    QTest::newRow("text deleted") << "delete" << "a2";
    QTest::newRow("text deleted to the end") << "delete to the end" << "a";
    QTest::newRow("text replaced") << "replace" << "0,15";
    QTest::newRow("the value set") << "set" << "*1,07";
}

// Text changed through the editor box's accessible object is edited in the
// box as typed: Ctrl+Z takes it back, and the box counts it as typed, so
// that a command that would replace it does not act.
void TestAccessibility::editingThroughItIsTyping()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);

    StartedForm f(namedSectionFile(" 3 ", 3));
    f.clickCell(2, 1);
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(&f.editor());
    QAccessibleEditableTextInterface *editable = box->editableTextInterface();
    QVERIFY(editable);
    if (edit == QLatin1String("insert"))
        editable->insertText(2, QStringLiteral(" X"));
    else if (edit == QLatin1String("delete"))
        editable->deleteText(1, 3);
    else if (edit == QLatin1String("delete to the end"))
        editable->deleteText(1, -1);
    else if (edit == QLatin1String("replace"))
        editable->replaceText(0, 4, text);
    else
        box->setText(QAccessible::Value, text);

    QCOMPARE(f.editor().text(), text);
    QVERIFY(f.editor().isModified());
    QTest::keyClick(&f.editor(), Qt::Key_Plus, Qt::ControlModifier); // Inserisci area: not while typing
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 3));
    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.editor().text(), QStringLiteral("a2c2"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 3));
}

// While a screen reader listens every opening of the editor makes the box
// a new accessible object (KeyTextBox::announce). However many openings,
// the accessible objects alive and the connections Qt keeps for the box
// stay as many. Run on the accessibility bus (tests/e2e/under_atspi_bus.sh);
// skipped elsewhere.
void TestAccessibility::openingsDoNotAddUp()
{
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QSKIP("needs a screen reader's accessibility bus");
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
    StartedForm f(namedSectionFile(" 3 ", 3));
    f.clickCell(1, 1);
    const auto walk = [&f](int openings) {
        for (int n = 0; n < openings; ++n)
            QTest::keyClick(&f.editor(), n % 2 ? Qt::Key_Down : Qt::Key_Return);
    };
    walk(60); // every cell opened once
    const int objects = liveAccessibleObjects();
    const int connections = destroyedReceivers(&f.editor());
    walk(5000);
    QCOMPARE(liveAccessibleObjects(), objects);
    QCOMPARE(destroyedReceivers(&f.editor()), connections);
    QVERIFY(connections <= 1);
    const QString name = QAccessible::queryAccessibleInterface(&f.editor())->text(QAccessible::Name);
    QCOMPARE(name, QStringLiteral("Area %1, %2").arg(f.grid().Row()).arg(columnTitle(f.grid().Col())));
}

// Escape leaves the focus on the grid's cell, which a screen reader is told
// of last, after the table: it says where the focus is. Run on the
// accessibility bus, as above.
void TestAccessibility::escapeTellsTheGridsCellLast()
{
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QSKIP("needs a screen reader's accessibility bus");
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
    StartedForm f(namedSectionFile(" 3 ", 3));
    f.clickCell(2, 3);
    static QStringList focused;
    focused.clear();
    const QAccessible::UpdateHandler bridge = QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (event->type() == QAccessible::Focus && event->accessibleInterface())
            focused << event->accessibleInterface()->text(QAccessible::Name);
    });
    QTest::keyClick(&f.editor(), Qt::Key_Escape);
    QAccessible::installUpdateHandler(bridge);
    QVERIFY(!focused.isEmpty());
    QCOMPARE(focused.back(), QStringLiteral("a2c4"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
