#include "../formfixture.h"

#include "gridprobe.h"
#include "window/drawing/drawingwindow.h"
#include "window/drawing/sectionpicture.h"
#include "window/drawing/sectiontab.h"
#include "window/examplepicture.h"
#include "window/sectionfiledialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {

struct Cell
{
    int row;
    int column;
};

Cell current(const StartedForm &f)
{
    return {f.grid().Row(), f.grid().Col()};
}

// The editor is open on (row, column): shown exactly over the cell where
// the grid draws it, with the cell's text, all selected.
void verifyOpenOn(const StartedForm &f, int row, int column)
{
    QCOMPARE(f.grid().Row(), row);
    QCOMPARE(f.grid().Col(), column);
    QVERIFY(!f.editor().isHidden());
    QCOMPARE(f.editor().text(), f.grid().Text());
    QCOMPARE(f.form->valoreVecchio(), f.grid().Text());
    QCOMPARE(f.editor().selectedText(), f.grid().Text());
    const QRect box = f.editor().geometry().translated(-f.grid().pos());
    QCOMPARE(box, f.grid().cellRect(row, column));
    // The grid shows that cell under both corners of the box, another just before it.
    const std::optional<GridCell> cell = GridCell{row, column};
    QCOMPARE(GridProbe(f.grid()).cellAt(box.topLeft()), cell);
    QCOMPARE(GridProbe(f.grid()).cellAt(box.bottomRight()), cell);
    QVERIFY(GridProbe(f.grid()).cellAt(box.topLeft() - QPoint(1, 1)) != cell);
}

QString fileValue(const StartedForm &f, int area, int column)
{
    const QList<QByteArray> lines = f.fileBytes().split('\n');
    return QString::fromLatin1(lines.value(12 + (area - 1) * 6 + (column - 1))).chopped(1);
}

} // namespace

class TestCellEditor : public WindowTest
{
    Q_OBJECT

private slots:
    void init() { QTest::qWait(0); }

    void enterWalksInReadingOrderAndWraps();
    void upAndDownWrapAndKeepTheColumn_data();
    void upAndDownWrapAndKeepTheColumn();
    void enterStoresAsTyped_data();
    void enterStoresAsTyped();
    void abandoningStoresNothing_data();
    void abandoningStoresNothing();
    void editorCoversCellPastVisibleRows();
    void guidanceFollowsTheColumn_data();
    void guidanceFollowsTheColumn();
    void refusesValuesThatWouldCorruptTheFile_data();
    void refusesValuesThatWouldCorruptTheFile();
    void foreignFileWalksThroughAndKeepsItsBytes();
    void refusalInARealMessageBoxKeepsTheEntry();
    void failedSaveKeepsValueAndFile();
    void closingDropsUnconfirmedEntry_data();
    void closingDropsUnconfirmedEntry();
    void undoAndRedoThroughKeys();
    void commandKeys_data();
    void commandKeys();
    void undoAndRedoInTheCountBox();
    void sectionCopySavedAndLoaded();
    void tableThroughTheClipboard();
    void pastedHeaderRowLeftOut_data();
    void pastedHeaderRowLeftOut();
    void drawingFollowsTheSection();
};

void TestCellEditor::enterWalksInReadingOrderAndWraps()
{
    StartedForm f(namedSectionFile(" 2 ", 2));
    f.clickCell(1, 0);
    verifyOpenOn(f, 1, 0);
    // Where the grid draws cell (1, 0) in the frame: the grid at (16, 24),
    // inside its 1-pixel border, below the 40-pixel header; the 147 by 20
    // pixels of the column and the row less their grid lines.
    QCOMPARE(f.editor().geometry(), QRect(17, 65, 146, 19));

    QStringList shown = namedSectionPreview(2).split(QLatin1Char('\n'));
    for (int step = 0; step < 12; ++step) {
        const Cell at = current(f);
        const QString value = QStringLiteral("v%1").arg(step);
        QTest::keyClicks(&f.editor(), value);
        QTest::keyClick(&f.editor(), Qt::Key_Return);

        QCOMPARE(f.form->table().Aree[at.row][at.column + 1], value);
        QCOMPARE(fileValue(f, at.row, at.column + 1), value);
        shown[step] = value; // the steps go through the cells in reading order
        QCOMPARE(f.preview(), shown.join(QLatin1Char('\n')));
        f.grid().setRow(at.row);
        f.grid().setCol(at.column);
        QCOMPARE(f.grid().Text(), value);

        const int next = step + 1;
        const int row = next < 12 ? 1 + next / 6 : 1;
        const int column = next % 6;
        f.grid().setRow(row); // restores the current cell moved by the checks above
        f.grid().setCol(column);
        verifyOpenOn(f, row, column);
    }
    QCOMPARE(f.fileBytes(), crlfLines(QList<QByteArray>(11) << " 2 " << "v0" << "v1" << "v2" << "v3" << "v4" << "v5"
                                                            << "v6" << "v7" << "v8" << "v9" << "v10" << "v11"));
}

void TestCellEditor::upAndDownWrapAndKeepTheColumn_data()
{
    QTest::addColumn<int>("areas");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expectedRow");

    QTest::newRow("down moves one row") << 3 << 1 << int(Qt::Key_Down) << 2;
    QTest::newRow("down on the last row wraps to row 1") << 3 << 3 << int(Qt::Key_Down) << 1;
    QTest::newRow("up moves one row") << 3 << 3 << int(Qt::Key_Up) << 2;
    QTest::newRow("up on row 1 wraps to the last row") << 3 << 1 << int(Qt::Key_Up) << 3;
    QTest::newRow("one area: down stays on row 1") << 1 << 1 << int(Qt::Key_Down) << 1;
    QTest::newRow("one area: up stays on row 1") << 1 << 1 << int(Qt::Key_Up) << 1;
}

void TestCellEditor::upAndDownWrapAndKeepTheColumn()
{
    QFETCH(int, areas);
    QFETCH(int, startRow);
    QFETCH(int, key);
    QFETCH(int, expectedRow);

    StartedForm f(namedSectionFile(QByteArray::number(areas), areas));
    const QByteArray before = f.fileBytes();
    f.clickCell(startRow, 3);
    QTest::keyClicks(&f.editor(), QStringLiteral("dropped"));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&f.editor(), &press);
    QVERIFY(press.isAccepted()); // the move consumes the key: nothing else acts on it

    verifyOpenOn(f, expectedRow, 3);
    QCOMPARE(f.editor().text(), QStringLiteral("a%1c4").arg(expectedRow));
    QCOMPARE(f.form->table(), namedSection(areas));
    QCOMPARE(f.fileBytes(), before);
}

void TestCellEditor::enterStoresAsTyped_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("emptied editor keeps the old value") << 1 << QString() << QStringLiteral("a1c2");
    QTest::newRow("blanks only are stored as typed") << 1 << QStringLiteral("   ") << QStringLiteral("   ");
    QTest::newRow("leading and trailing blanks kept") << 1 << QStringLiteral(" *1.5 ") << QStringLiteral(" *1.5 ");
    QTest::newRow("accented letters") << 0 << QStringLiteral("profondità") << QStringLiteral("profondità");
    // In the columns of numbers a number typed with a decimal comma is
    // written with a point, the blanks around it kept; other text as typed.
    for (int column = 1; column <= 4; ++column) {
        const QByteArray title = columnTitle(column).toUtf8();
        QTest::addRow("%s: 0,15", title.constData()) << column << QStringLiteral("0,15") << QStringLiteral("0.15");
        QTest::addRow("%s: *1,07", title.constData()) << column << QStringLiteral("*1,07") << QStringLiteral("*1.07");
        QTest::addRow("%s: -0,43", title.constData()) << column << QStringLiteral("-0,43") << QStringLiteral("-0.43");
        QTest::addRow("%s: 30 cm", title.constData()) << column << QStringLiteral("30 cm") << QStringLiteral("30 cm");
    }
    QTest::newRow("blanks around a decimal comma") << 2 << QStringLiteral(" 0,5 ") << QStringLiteral(" 0.5 ");
}

void TestCellEditor::enterStoresAsTyped()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    StartedForm f(namedSectionFile(" 1 ", 1));
    f.clickCell(1, column);
    QTest::keyClick(&f.editor(), Qt::Key_Backspace); // the whole text is selected: this empties it
    QVERIFY(f.editor().text().isEmpty());
    f.type(typed);
    QFile::remove(f.path()); // the confirmation must save even an unchanged value
    QTest::keyClick(&f.editor(), Qt::Key_Return);

    const QByteArray old = "a1c" + QByteArray::number(column + 1);
    QCOMPARE(f.form->table().Aree[1][column + 1], stored);
    f.grid().setCol(column);
    QCOMPARE(f.grid().Text(), stored);
    QCOMPARE(f.fileBytes(), namedSectionFile(" 1 ", 1).replace(old, stored.toLatin1()));
    QVERIFY(f.messages.empty());
    f.grid().setCol(column + 1);
    verifyOpenOn(f, 1, column + 1);
}

void TestCellEditor::abandoningStoresNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("then"); // typed on the grid afterwards ("F2", "Enter" or text and Enter); empty: none
    QTest::newRow("escape, then 0,15 and Enter on the grid") << QStringLiteral("escape") << QStringLiteral("0,15");
    QTest::newRow("escape, then F2 on the grid") << QStringLiteral("escape") << QStringLiteral("F2");
    QTest::newRow("grid scroll, then a word and Enter") << QStringLiteral("scroll") << QStringLiteral("REINTERRO");
    QTest::newRow("click on the picture, then Enter on the grid") << QStringLiteral("picture")
                                                                  << QStringLiteral("Enter");
    QTest::newRow("focus to the count box") << QStringLiteral("focus") << QString();
    QTest::newRow("key in the count box") << QStringLiteral("countkey") << QString();
}

// What was typed is dropped. A box that held the focus leaves it to the
// grid, on the cell it edited, where a key opens the editor again: Enter
// and F2 with the cell's text selected, a character with that character.
void TestCellEditor::abandoningStoresNothing()
{
    QFETCH(QString, how);
    QFETCH(QString, then);

    StartedForm f(namedSectionFile(" 8 ", 8));
    const QByteArray before = f.fileBytes();
    const QString previewBefore = f.preview();
    f.clickCell(2, 1);
    QTest::keyClicks(&f.editor(), QStringLiteral("mai confermato"));

    if (how == QLatin1String("escape"))
        QTest::keyClick(&f.editor(), Qt::Key_Escape);
    else if (how == QLatin1String("scroll"))
        GridProbe(f.grid()).setTopRow(2);
    else if (how == QLatin1String("picture"))
        QTest::mouseClick(f.ui().Image1, Qt::LeftButton, {}, QPoint(40, 200));
    else if (how == QLatin1String("focus"))
        f.ui().Text5->setFocus();
    else
        QTest::keyClick(f.ui().Text5, Qt::Key_7);

    QVERIFY(f.editor().isHidden());
    QCOMPARE(f.form->table(), namedSection(8));
    QCOMPARE(f.fileBytes(), before);
    QCOMPARE(f.preview(), previewBefore);
    // Hiding the box clears the guidance with it.
    QVERIFY(f.ui().Text1->toPlainText().isEmpty());
    QCOMPARE(current(f).row, 2);
    QCOMPARE(current(f).column, 1);
    if (then.isEmpty()) {
        f.grid().setRow(2);
        QCOMPARE(f.grid().Text(), QStringLiteral("a2c2"));
        return;
    }

    QWidget *grid = f.grid().focusProxy();
    QVERIFY(grid->hasFocus());
    if (then == QLatin1String("F2") || then == QLatin1String("Enter")) {
        QTest::keyClick(grid, then == QLatin1String("F2") ? Qt::Key_F2 : Qt::Key_Return);
        verifyOpenOn(f, 2, 1);
        QCOMPARE(f.editor().text(), QStringLiteral("a2c2"));
        QVERIFY(f.editor().hasFocus());
        QCOMPARE(f.fileBytes(), before);
        return;
    }
    for (QChar c : then) // the first character opens the editor, which takes the rest
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(f.editor().text(), then);
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(f.fileBytes(), QByteArray(before).replace("a2c2", QString(then).replace(u',', u'.').toLatin1()));
    QVERIFY(f.messages.empty());
}

// The grid scrolls to bring the cell into view; the focus stays in the box.
void TestCellEditor::editorCoversCellPastVisibleRows()
{
    StartedForm f(namedSectionFile(" 20 ", 20));
    f.clickCell(1, 5);
    QSignalSpy focusMoves(qApp, &QApplication::focusChanged);
    for (int row = 2; row <= 20; ++row) {
        focusMoves.clear();
        QTest::keyClick(&f.editor(), Qt::Key_Return); // from column 5 to column 0 of the next row
        verifyOpenOn(f, row, 0);
        QCOMPARE(focusMoves.size(), 0);
        QTest::keyClick(&f.editor(), Qt::Key_Escape);
        f.clickCell(row, 5);
    }
    focusMoves.clear();
    QTest::keyClick(&f.editor(), Qt::Key_Down); // wraps to row 1, far above the shown rows
    verifyOpenOn(f, 1, 5);
    QTest::keyClick(&f.editor(), Qt::Key_Up);
    verifyOpenOn(f, 20, 5);
    QCOMPARE(focusMoves.size(), 0);
}

void TestCellEditor::guidanceFollowsTheColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("linesShown");
    QTest::addColumn<bool>("halfLabels");

    QTest::newRow("Descrizione, from column 5") << 0 << QList<int>{} << false;
    QTest::newRow("Altezza area H") << 1 << QList<int>{2, 3, 4} << false;
    QTest::newRow("Allargamento della sezione X") << 2 << QList<int>{1} << false;
    QTest::newRow("Inclinazione delle pareti tan alfa") << 3 << QList<int>{5, 6} << false;
    QTest::newRow("Coefficiente di detrazione dell'area tubazione") << 4 << QList<int>{} << true;
    QTest::newRow("Voce di elenco prezzi") << 5 << QList<int>{} << false;
}

// Enter from the column before: the new column's guidance replaces the old
// one whole. Losing the focus clears it.
void TestCellEditor::guidanceFollowsTheColumn()
{
    QFETCH(int, column);
    QFETCH(QList<int>, linesShown);
    QFETCH(bool, halfLabels);

    StartedForm f(namedSectionFile(" 1 ", 1));
    const ExamplePicture &picture = *f.ui().Image1;
    f.clickCell(1, (column + 5) % 6);
    QTest::keyClick(&f.editor(), Qt::Key_Return);

    QCOMPARE(f.ui().Text1->toPlainText(), kHints[column]);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(picture.line(n).visible, linesShown.contains(n));
    QCOMPARE(!f.ui().Label3->isHidden(), halfLabels);
    QCOMPARE(!f.ui().Label4->isHidden(), halfLabels);

    f.ui().Command1->setFocus(); // the editor loses the focus
    QVERIFY(f.editor().isHidden());
    QVERIFY(f.ui().Text1->toPlainText().isEmpty());
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!picture.line(n).visible);
    QVERIFY(f.ui().Label3->isHidden() && f.ui().Label4->isHidden());
}

void TestCellEditor::refusesValuesThatWouldCorruptTheFile_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("explanationMentions");

    const QString comma = QStringLiteral("Il valore non può contenere la virgola: nel file la virgola separa i valori. "
                                         "I decimali si scrivono con il punto, per esempio 0.5");
    QTest::newRow("decimal comma in a description") << 0 << QStringLiteral("0,5") << comma;
    QTest::newRow("comma in a price code") << 5 << QStringLiteral("E.01,2") << comma;
    QTest::newRow("comma in a column of numbers, not in a number") << 4 << QStringLiteral("0,5 circa") << comma;
    QTest::newRow("double quote") << 4 << QStringLiteral("2\"") << QStringLiteral("virgolette");
    QTest::newRow("tab") << 4 << QStringLiteral("a\tb") << QStringLiteral("tabulazione");
    QTest::newRow("character outside Windows-1252") << 4 << QStringLiteral("Łódź") << QStringLiteral("Ł");
}

void TestCellEditor::refusesValuesThatWouldCorruptTheFile()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, explanationMentions);

    StartedForm f(namedSectionFile(" 1 ", 1));
    const QByteArray before = f.fileBytes();
    f.clickCell(1, column);
    f.editor().setText(typed); // a tab cannot be typed into a line edit; set it as a paste would
    QTest::keyClick(&f.editor(), Qt::Key_Return);

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY2(f.messages.back().text.contains(explanationMentions), qPrintable(f.messages.back().text));
    QVERIFY(!f.editor().isHidden());
    QCOMPARE(f.editor().text(), typed);
    QCOMPARE(current(f).row, 1);
    QCOMPARE(current(f).column, column);
    QCOMPARE(f.form->table(), namedSection(1));
    QCOMPARE(f.fileBytes(), before);
}

void TestCellEditor::foreignFileWalksThroughAndKeepsItsBytes()
{
    // Accented letters, the euro, the five unassigned bytes, and values from
    // another program that a user may not type: a quoted decimal comma, a
    // double quote, a tab, a quoted line break; and a value longer than a
    // line edit takes by default.
    const QByteArray bytes =
        crlfLines(QList<QByteArray>{"profondit\xe0 \x80 \x81\x8d\x8f\x90\x9d"} + QList<QByteArray>(10)
                  << " 1 " << "SABBIA" << "\"0,5\"" << "2\"" << "\t0.1" << "\"riga\r\nspezzata\""
                  << "A.01 " + QByteArray(40000, 'x'));
    StartedForm f(bytes);
    f.clickCell(1, 0);
    for (int column = 1; column <= 6; ++column)
        QTest::keyClick(&f.editor(), Qt::Key_Return);
    verifyOpenOn(f, 1, 0);

    f.clickCell(1, 1);
    QTest::keyClick(&f.editor(), Qt::Key_Backspace); // emptied: falls back to the value
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    verifyOpenOn(f, 1, 2);

    f.clickCell(1, 0);
    f.type(QStringLiteral("0,6")); // changed by the user: a comma in a description is refused
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(f.messages.size(), size_t(1)); // the only message of the whole walk
    QVERIFY(f.messages.back().text.contains(QStringLiteral("per esempio 0.5")));
    QCOMPARE(f.fileBytes(), bytes);
}

// A refusal in the program's own modal message box: once the user dismisses
// it, the editor box has the focus back and still holds the entry.
void TestCellEditor::refusalInARealMessageBoxKeepsTheEntry()
{
    const QByteArray before = namedSectionFile(" 1 ", 1);
    StartedForm f([&before](const QString &path) { StartedForm::writeBytes(path, before); },
                  StartedForm::MessageBoxes::Shown);
    f.clickCell(1, 5);
    QTest::keyClicks(&f.editor(), QStringLiteral("0,5"));

    QString shown;
    QTimer dismiss; // runs inside the message box's own event loop
    connect(&dismiss, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    });
    dismiss.start(10);
    QTest::keyClick(&f.editor(), Qt::Key_Return); // returns once the box is dismissed
    dismiss.stop();

    QVERIFY2(shown.contains(QStringLiteral("per esempio 0.5")), qPrintable(shown));
    f.form->activateWindow(); // as a window manager does after the box
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&f.editor()));
    QCOMPARE(f.editor().text(), QStringLiteral("0,5"));
    QCOMPARE(f.fileBytes(), before);
}

void TestCellEditor::failedSaveKeepsValueAndFile()
{
#ifdef Q_OS_UNIX
    StartedForm f(namedSectionFile(" 100 ", 100));
    const QByteArray before = f.fileBytes();
    QVERIFY(before.size() > 3000);
    f.clickCell(1, 0);
    QTest::keyClicks(&f.editor(), QStringLiteral("SABBIA"));

    {
        const FileSizeLimit limit(2000);
        QVERIFY(limit.active());
        QTest::keyClick(&f.editor(), Qt::Key_Return);
    }

    QCOMPARE(f.messages.size(), size_t(1));
    QVERIFY(f.messages.back().text.contains(QStringLiteral("non è stato salvato")));
    QCOMPARE(f.fileBytes(), before);
    QCOMPARE(f.form->table().Aree[1][1], QStringLiteral("SABBIA"));
    QCOMPARE(f.grid().Text(), QStringLiteral("SABBIA"));

    // The next confirmation saves it.
    f.clickCell(1, 1);
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(fileValue(f, 1, 1), QStringLiteral("SABBIA"));
#else
    QSKIP("file-size limits are a POSIX facility");
#endif
}

void TestCellEditor::closingDropsUnconfirmedEntry_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Esci") << false;
    QTest::newRow("close box") << true;
}

void TestCellEditor::closingDropsUnconfirmedEntry()
{
    QFETCH(bool, closeBox);

    StartedForm f(namedSectionFile(" 2 ", 2));
    f.clickCell(2, 2);
    QTest::keyClicks(&f.editor(), QStringLiteral("confermato"));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    const QByteArray confirmed = f.fileBytes();
    QTest::keyClicks(&f.editor(), QStringLiteral("mai confermato"));

    if (closeBox)
        f.form->close();
    else
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
    QVERIFY(f.form->isHidden());
    QCOMPARE(f.fileBytes(), confirmed);
    QCOMPARE(fileValue(f, 2, 3), QStringLiteral("confermato"));
}

// Ctrl+Z undoes the box's own typing first, then the last change of the
// section; Ctrl+Y does it again; the file follows byte for byte.
void TestCellEditor::undoAndRedoThroughKeys()
{
    const QByteArray original = namedSectionFile(" 2 ", 2);
    const QByteArray edited = QByteArray(original).replace("a1c1", "SABBIA");
    StartedForm f(original);
    f.clickCell(1, 0);
    f.type(QStringLiteral("SABBIA"));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(f.fileBytes(), edited);

    f.type(QStringLiteral("x")); // on (1, 1)
    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.editor().text(), QStringLiteral("a1c2")); // only the typing went
    QCOMPARE(f.fileBytes(), edited);

    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), original);
    verifyOpenOn(f, 1, 0);
    QCOMPARE(f.editor().text(), QStringLiteral("a1c1"));
    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier); // nothing more to undo
    QCOMPARE(f.fileBytes(), original);

    QTest::keyClick(&f.editor(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), edited);
    verifyOpenOn(f, 1, 0);
    QCOMPARE(f.preview(), namedSectionPreview(2).replace("a1c1", "SABBIA"));

    // The same keys on the grid, and the drawing.
    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; QByteArray file; } onGrid[] = {
        {Qt::Key_Z, Qt::ControlModifier, original},
        {Qt::Key_Y, Qt::ControlModifier, edited},
        {Qt::Key_Z, Qt::ControlModifier, original},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, edited}};
    for (const auto &[key, modifiers, file] : onGrid) {
        f.ui().FlexGrid->setFocus();
        QTest::keyClick(f.ui().FlexGrid, key, modifiers);
        QCOMPARE(f.fileBytes(), file);
    }
    f.ui().FlexGrid->setFocus();
    QTest::keyClick(f.ui().FlexGrid, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(f.form->drawing() && f.form->drawing()->isVisible());
    QVERIFY(f.messages.empty());
}

void TestCellEditor::commandKeys_data()
{
    QTest::addColumn<QString>("where");   // where the focus is: "editor", "typing" (in the editor, 2.5 typed),
                                          // "grid" or "count box"
    QTest::addColumn<int>("row");         // the current row, in column 2
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QByteArray>("file"); // the areas afterwards, by their original numbers ("0": a new empty one)
    QTest::addColumn<int>("openRow");     // where the editor is then, in the same column

    const int ctrl = Qt::ControlModifier;
    const int keypad = Qt::KeypadModifier;
    const int alt = Qt::AltModifier;
    QTest::newRow("Ctrl++ in the editor inserts an empty area at the current row")
        << "editor" << 2 << int(Qt::Key_Plus) << ctrl << QByteArray("1023") << 2;
    QTest::newRow("Ctrl and the keypad's + on the grid") << "grid" << 1 << int(Qt::Key_Plus) << (ctrl | keypad)
                                                        << QByteArray("0123") << 1;
    QTest::newRow("Ctrl+- in the count box deletes the current area")
        << "count box" << 2 << int(Qt::Key_Minus) << ctrl << QByteArray("13") << 2;
    QTest::newRow("Ctrl and the keypad's - on the last area") << "editor" << 3 << int(Qt::Key_Minus) << (ctrl | keypad)
                                                              << QByteArray("12") << 2;
    QTest::newRow("Alt+Up on the grid swaps with the area before, the editor follows")
        << "grid" << 3 << int(Qt::Key_Up) << alt << QByteArray("132") << 2;
    QTest::newRow("Alt+Down at the last area: nothing, no wrap") << "editor" << 3 << int(Qt::Key_Down) << alt
                                                                 << QByteArray("123") << 3;
    // While typing, the commands that would drop it do nothing.
    QTest::newRow("Alt+Down while typing") << "typing" << 2 << int(Qt::Key_Down) << alt << QByteArray("123") << 2;
    QTest::newRow("Ctrl++ while typing") << "typing" << 2 << int(Qt::Key_Plus) << ctrl << QByteArray("123") << 2;
    QTest::newRow("Ctrl+Y while typing, with a change to redo") << "typing" << 2 << int(Qt::Key_Y) << ctrl
                                                                << QByteArray("123") << 2;
    QTest::newRow("Ctrl+V of a block while typing") << "typing" << 2 << int(Qt::Key_V) << ctrl << QByteArray("123")
                                                    << 2;
}

void TestCellEditor::commandKeys()
{
    QFETCH(QString, where);
    QFETCH(int, row);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QByteArray, file);
    QFETCH(int, openRow);

    StartedForm f(namedSectionFile(" 3 ", 3));
    // A change undone, to be redone; a block on the clipboard.
    f.clickCell(1, 0);
    f.type(QStringLiteral("SABBIA"));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ty\n"));
    f.clickCell(row, 2);
    QWidget *target = &f.editor();
    if (where == QLatin1String("typing")) {
        f.type(QStringLiteral("2.5"));
    } else if (where != QLatin1String("editor")) {
        QTest::keyClick(&f.editor(), Qt::Key_Escape);
        target = where == QLatin1String("grid") ? static_cast<QWidget *>(f.ui().FlexGrid) : f.ui().Text5;
        target->setFocus();
    }
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QList<QByteArray> lines = QList<QByteArray>(11) << " " + QByteArray::number(file.size()) + " ";
    for (const char area : file)
        for (int c = 1; c <= 6; ++c)
            lines << (area == '0' ? QByteArray() : "a" + QByteArray(1, area) + "c" + QByteArray::number(c));
    QCOMPARE(f.fileBytes(), crlfLines(lines));
    QCOMPARE(f.ui().Text5->text(), QString::number(file.size()));
    if (where == QLatin1String("typing")) {
        QCOMPARE(f.grid().Row(), openRow);
        QCOMPARE(f.editor().text(), QStringLiteral("2.5"));
        QVERIFY(f.editor().hasFocus());
        return;
    }
    verifyOpenOn(f, openRow, 2);

    // The keypad's decimal key types a point, whatever the layout gives it.
    QTest::sendKeyEvent(QTest::Click, &f.editor(), Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier);
    QCOMPARE(f.editor().text(), QStringLiteral("."));
}

// In the count box Ctrl+Z takes back the box's own typing since the count
// was taken, then the section's last change; Ctrl+Y does them again.
void TestCellEditor::undoAndRedoInTheCountBox()
{
    StartedForm f(namedSectionFile(" 1 ", 1));
    f.enterCount(QStringLiteral("3"));
    QTest::keyClick(&f.editor(), Qt::Key_Escape);
    KeyTextBox *count = f.ui().Text5;
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), namedSectionFile(" 1 ", 1));
    QCOMPARE(count->text(), QStringLiteral("1"));

    count->setFocus();
    count->end(false);
    QTest::keyClicks(count, QStringLiteral("5"));
    QTest::keyClick(count, Qt::Key_Z, Qt::ControlModifier); // the typing only
    QCOMPARE(count->text(), QStringLiteral("1"));
    QCOMPARE(f.fileBytes(), namedSectionFile(" 1 ", 1));
    QTest::keyClick(count, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(count->text(), QStringLiteral("15"));
    QTest::keyClick(count, Qt::Key_Y, Qt::ControlModifier); // then the count 3 again
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 1, 2));
    QCOMPARE(count->text(), QStringLiteral("3"));
}

// Ctrl+Shift+S keeps a copy of the section under a name of the user's;
// Ctrl+O loads it back as one change, which Ctrl+Z takes back; a file that
// cannot be used is refused and changes nothing.
void TestCellEditor::sectionCopySavedAndLoaded()
{
    const QByteArray quoted = crlfLines(QList<QByteArray>{"\"Titolo del lavoro\""} + QList<QByteArray>(10)
                                        << " 1 " << "SABBIA" << "0.3" << "" << "" << "" << "A.01");
    StartedForm f(quoted);
    const QString copy = f.dir.filePath(QStringLiteral("sezione tipo 2.txt"));
    QString chosen = copy;
    QList<SectionFileChoice> asked;
    f.form->setFileChooser([&](SectionFileChoice choice) {
        asked << choice;
        return chosen;
    });
    f.clickCell(1, 0);
    QTest::keyClick(&f.editor(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(readFile(copy), quoted);

    f.type(QStringLiteral("GHIAIA"));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    const QByteArray changed = QByteArray(quoted).replace("SABBIA", "GHIAIA");
    QCOMPARE(f.fileBytes(), changed);
    QTest::keyClick(&f.editor(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), quoted);
    verifyOpenOn(f, 1, 0);
    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.fileBytes(), changed);

    chosen = f.dir.filePath(QStringLiteral("non una sezione.txt"));
    writeFile(chosen, crlfLines(QList<QByteArray>(11) << "tre"));
    f.ui().FlexGrid->setFocus();
    QTest::keyClick(f.ui().FlexGrid, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.messages.back().text, "Il file " + QDir::toNativeSeparators(chosen)
                                         + " non può essere usato: la riga 12 deve contenere il numero delle aree, ma "
                                           "contiene «tre».\nLa sezione non è cambiata.");
    QCOMPARE(f.fileBytes(), changed);
    QCOMPARE(asked, (QList<SectionFileChoice>{SectionFileChoice::SaveCopy, SectionFileChoice::Load,
                                              SectionFileChoice::Load}));
}

// Ctrl+Shift+C copies the table as a spreadsheet reads it; Ctrl+V pastes a
// block from the current cell, adding areas and writing decimal commas with
// a point.
void TestCellEditor::tableThroughTheClipboard()
{
    StartedForm f(namedSectionFile(" 2 ", 2));
    f.clickCell(2, 0);
    QTest::keyClick(&f.editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("a1c1\ta1c2\ta1c3\ta1c4\ta1c5\ta1c6\r\na2c1\ta2c2\ta2c3\ta2c4\ta2c5\ta2c6\r\n"));

    QTest::keyClick(&f.editor(), Qt::Key_V, Qt::ControlModifier); // at area 2: area 1's values, and area 3
    QCOMPARE(f.fileBytes(), namedSectionFile(" 3 ", 1) + crlfLines({"a1c1", "a1c2", "a1c3", "a1c4", "a1c5", "a1c6",
                                                                     "a2c1", "a2c2", "a2c3", "a2c4", "a2c5", "a2c6"}));
    verifyOpenOn(f, 2, 0);
    QVERIFY(f.messages.empty());

    QGuiApplication::clipboard()->setText(QStringLiteral("0,5\t*1,20\n"));
    f.clickCell(1, 1);
    f.ui().FlexGrid->setFocus(); // on the grid as in the box
    QTest::keyClick(f.ui().FlexGrid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.messages.size(), size_t(1));
    QCOMPARE(f.messages.front().text, QStringLiteral("2 numeri con la virgola decimale sono stati scritti con il punto, "
                                                     "come li legge l'applicazione di computo."));
    QCOMPARE(fileValue(f, 1, 2), QStringLiteral("0.5"));
    QCOMPARE(fileValue(f, 1, 3), QStringLiteral("*1.20"));

    QGuiApplication::clipboard()->setText(QStringLiteral("0,7")); // one value: into the box, as typed
    QTest::keyClick(&f.editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.editor().text(), QStringLiteral("0,7"));

    // Regional settings with a decimal comma: the numbers are copied with one.
    const QLocale regional;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTest::keyClick(&f.editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QLocale::setDefault(regional);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("a1c1\t0,5\t*1,20\ta1c4\t")));
}

void TestCellEditor::pastedHeaderRowLeftOut_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("told"); // the one message; empty: none

    const QByteArray two = namedSectionFile(" 2 ", 2);
    QTest::newRow("a header row over the heights and widenings: left out, told with the commas")
        << 2 << 1 << QStringLiteral("Altezza H (m)\tAllargamento X (m)\r\n0,25\t0.1\r\n*1,2\t\r\n")
        << QByteArray(two).replace(" 2 ", " 3 ").replace("a2c2", "0.25").replace("a2c3", "0.1")
               + crlfLines({"", "*1.2", "", "", "", ""})
        << QStringLiteral("La prima riga, un'intestazione, non è stata incollata.\n2 numeri con la virgola decimale "
                          "sono stati scritti con il punto, come li legge l'applicazione di computo.");
    QTest::newRow("a first row of data, a word in a height among its numbers: pasted")
        << 1 << 0 << QStringLiteral("STRATO\t30 cm\t0.2\nSABBIA\t0.3\t0.1\n")
        << QByteArray(two)
               .replace("a1c1", "STRATO")
               .replace("a1c2", "30 cm")
               .replace("a1c3", "0.2")
               .replace("a2c1", "SABBIA")
               .replace("a2c2", "0.3")
               .replace("a2c3", "0.1")
        << QString();
}

// A block copied from a spreadsheet with its header row: the header row
// is not pasted, and one message tells all the paste did.
void TestCellEditor::pastedHeaderRowLeftOut()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, pasted);
    QFETCH(QByteArray, file);
    QFETCH(QString, told);

    StartedForm f(namedSectionFile(" 2 ", 2));
    QGuiApplication::clipboard()->setText(pasted);
    f.clickCell(row, column);
    QTest::keyClick(&f.editor(), Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(f.fileBytes(), file);
    QCOMPARE(f.messages.size(), size_t(told.isEmpty() ? 0 : 1));
    if (!told.isEmpty())
        QCOMPARE(f.messages.front().text, told);
    verifyOpenOn(f, row, column);
}

// Ctrl+D opens the drawing beside the window; it follows a confirmation and
// its undo, and says what cannot be drawn. A description is told as typed.
void TestCellEditor::drawingFollowsTheSection()
{
    StartedForm f(crlfLines(QList<QByteArray>(11) << " 1 " << "SABBIA %3" << "0.5" << "0" << "0.1" << "0.5" << ""));
    f.clickCell(1, 3);
    QTest::keyClick(&f.editor(), Qt::Key_D, Qt::ControlModifier);
    const DrawingWindow *drawing = f.form->drawing();
    QVERIFY(drawing && drawing->isVisible() && !drawing->isModal());
    QCOMPARE(drawing->windowTitle(), QStringLiteral("Disegno della sezione"));
    const QString drawn =
        QStringLiteral("Area 1, SABBIA %3: altezza 0,50 m, larghezza al piede 0,80 m, in sommità 0,90 m.");
    QCOMPARE(drawing->picture().accessibleDescription(), drawn);
    QCOMPARE(drawing->problemsText(),
             QStringLiteral("Con P = 1,50 m il fondo del tubo è sotto il fondo dello scavo: la sezione vale per P da "
                            "0,40 a 0,50 m."));

    f.form->activateWindow();
    QTRY_VERIFY(f.form->isActiveWindow());
    f.clickCell(1, 1);
    f.editor().setText(QStringLiteral("*0.3")); // a height that follows P: 1.5 - 0.3
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QCOMPARE(drawing->picture().accessibleDescription(),
             QStringLiteral("Area 1, SABBIA %3: altezza 1,20 m, larghezza al piede 0,80 m, in sommità 1,04 m."));

    QTest::keyClick(&f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(drawing->picture().accessibleDescription(), drawn);

    // A value whose save fails is drawn all the same, and the window says
    // the file does not hold it; the next save that succeeds clears that.
    QVERIFY(QFile::remove(f.path()));
    QVERIFY(QDir().mkdir(f.path()));
    f.clickCell(1, 1);
    f.editor().setText(QStringLiteral("0.7"));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QVERIFY(drawing->picture().accessibleDescription().contains(QStringLiteral("altezza 0,70 m")));
    QCOMPARE(drawing->sectionTab().unsavedText(),
             QStringLiteral("La sezione non è salvata nel file: il disegno mostra i valori digitati."));
    QVERIFY(QDir().rmdir(f.path()));
    QTest::keyClick(&f.editor(), Qt::Key_Return);
    QVERIFY(drawing->sectionTab().unsavedText().isEmpty());
    f.form->close();
    QVERIFY(!drawing->isVisible()); // closed with the window
}

QTEST_MAIN(TestCellEditor)
#include "tst_celleditor.moc"
