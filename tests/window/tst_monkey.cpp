#include "formfixture.h"

#include "grid/gridprobe.h"
#include "section/filepreview.h"
#include "window/examplepicture.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

// Random user actions on the real window, from a fixed set of seeds. After
// every action the file on disk must still be a section file, must hold what
// the table holds, and may hold only values the user confirmed (or the ones
// it started with, or empty).

namespace {

constexpr int kActions = 5000;

// What the user types into the boxes and on the grid: letters, digits,
// blanks, accented letters, a Euro sign, a few signs and, more rarely, the
// characters the editor refuses (comma, but in a number with a decimal comma
// in a column of numbers, double quote, a letter Windows-1252 has no byte for).
const QString kAlphabet = QStringLiteral("abxyZ0159 .-*/àèéìòù°€,\"Ł");

// The cells of the blocks pasted: values the file holds bare, a number with
// a decimal comma (pasted with a point) and an empty cell.
const QStringList kPasted{QStringLiteral("GHIAIA"), QStringLiteral("0.5"), QStringLiteral("0,25"), QString()};

// The typed characters the editor must refuse.
const QRegularExpression kRefused(QStringLiteral("[,\"Ł]"));

// A number with a decimal comma, which the columns of numbers (1 to 4) take
// with a point.
const QRegularExpression kCommaNumber(QStringLiteral("^ *\\*?[+-]?([0-9]+,[0-9]*|,[0-9]+) *$"));

// Counts that are not plain whole numbers from -5 to 120.
const QStringList kOddCounts{
    QString(),          QStringLiteral("tre"),   QStringLiteral(" 7 "),   QStringLiteral("2.5"),
    QStringLiteral("3,5"), QStringLiteral("1e2"), QStringLiteral("-0"),   QStringLiteral("+4"),
    QStringLiteral("32767"), QStringLiteral("32768"), QStringLiteral("99999999999"), QStringLiteral("-"),
};

class Monkey
{
public:
    Monkey(StartedForm &form, quint32 seed) : f(form), rng(seed)
    {
        confirmed.insert(QString());
        for (const QString &value : kPasted)
            confirmed.insert(QString(value).replace(u',', u'.')); // as a number column takes it
        confirmed.insert(QStringLiteral("0,25")); // in the description's column
        const SectionTable &start = f.form->table();
        for (int a = 1; a <= start.areaCount(); ++a)
            for (int c = 1; c <= SectionTable::kColumns; ++c)
                confirmed.insert(start.Aree[a][c]);
    }

    // Performs one random action; returns what it did, for the failure report.
    QString act()
    {
        const int pick = rng.bounded(100);
        if (pick < 27)
            return typeText();
        if (pick < 47)
            return pressKey();
        if (pick < 55)
            return pressCommand();
        if (pick < 75)
            return clickCell();
        if (pick < 78)
            return click(f.ui().Image1, QStringLiteral("click on the picture"));
        if (pick < 82)
            return click(f.ui().Text5, QStringLiteral("click on the count box"));
        if (pick < 90)
            return scroll();
        return enterCount();
    }

    // What is wrong after the last action; empty when nothing is.
    QString problem()
    {
        for (; messagesSeen < f.messages.size(); ++messagesSeen) {
            if (f.messages[messagesSeen].text.contains(QStringLiteral("non è stato salvato")))
                return QStringLiteral("save failed: ") + f.messages[messagesSeen].text;
        }
        if (pendingValue) {
            QString value = *pendingValue;
            pendingValue.reset();
            if (pendingColumn >= 1 && pendingColumn <= 4 && kCommaNumber.match(value).hasMatch())
                value.replace(u',', u'.');
            const bool refused = f.messages.size() > messagesBefore; // a refusal is explained
            if (refused != kRefused.match(value).hasMatch())
                return QStringLiteral("«%1» was %2").arg(value, refused ? "refused" : "accepted");
            if (!refused)
                confirmed.insert(value);
        }

        const QByteArray bytes = f.fileBytes();
        if (bytes != lastBytes) {
            const LoadResult loaded = parseSectionFile(bytes);
            if (loaded.outcome != LoadResult::Outcome::Loaded)
                return QStringLiteral("file does not load: ") + loaded.problem;
            for (int a = 1; a <= loaded.table.areaCount(); ++a) {
                for (int c = 1; c <= SectionTable::kColumns; ++c) {
                    if (!confirmed.contains(loaded.table.Aree[a][c]))
                        return QStringLiteral("file holds a value never confirmed at area %1 column %2: «%3»")
                            .arg(a)
                            .arg(c)
                            .arg(loaded.table.Aree[a][c]);
                }
            }
            lastBytes = bytes;
            onDisk = loaded.table;
        }

        const SectionTable &table = f.form->table();
        if (onDisk.Naree != table.Naree)
            return QStringLiteral("file has %1 areas, table %2").arg(onDisk.Naree).arg(table.Naree);
        if (onDisk.Intestazione != table.Intestazione)
            return QStringLiteral("header lines differ from the table");
        for (int a = 1; a <= table.areaCount(); ++a) {
            if (onDisk.Aree[a] != table.Aree[a])
                return QStringLiteral("area %1 differs between file and table").arg(a);
        }
        const QString shown = previewLines(table).join(QLatin1Char('\n'));
        if (f.preview() != shown)
            return QStringLiteral("preview does not show the table");
        return QString();
    }

private:
    // Keys go where the focus is, as they would for a user; when that is
    // neither box nor the grid, the user clicks the count box first.
    QWidget *keyTarget(QString &what)
    {
        QWidget *focus = QApplication::focusWidget();
        if (focus == &f.editor() || focus == f.ui().Text5 || focus == f.grid().focusProxy())
            return focus;
        what += QStringLiteral("click on the count box, then ");
        QTest::mouseClick(f.ui().Text5, Qt::LeftButton);
        return f.ui().Text5;
    }

    QString boxName(const QWidget *box) const
    {
        return box == &f.editor()           ? QStringLiteral("editor")
               : box == f.ui().Text5        ? QStringLiteral("count box")
                                             : QStringLiteral("grid");
    }

    QString typeText()
    {
        QString what;
        QWidget *target = keyTarget(what);
        QString text;
        for (int n = rng.bounded(1, 6); n > 0; --n)
            text += kAlphabet.at(rng.bounded(kAlphabet.size()));
        for (QChar c : text) // a character on the grid opens the editor, which takes the rest
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        return what + QStringLiteral("type «%1» into the %2").arg(text, boxName(target));
    }

    QString pressKey()
    {
        static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return,
                                       Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Up,
                                       Qt::Key_Down,   Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Backspace,
                                       Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Tab};
        const Qt::Key key = keys[rng.bounded(int(std::size(keys)))];
        QString what;
        QWidget *target = keyTarget(what);
        if (key == Qt::Key_Return && target == &f.editor()) {
            pendingValue = f.editor().text();
            pendingColumn = f.grid().Col();
            messagesBefore = f.messages.size();
        }
        QTest::keyClick(target, key);
        return what + QStringLiteral("key %1 in the %2").arg(QKeySequence(key).toString(), boxName(target));
    }

    // An editing command's keys, in the box with the focus or on the grid;
    // now and then a block of cells on the clipboard first.
    QString pressCommand()
    {
        static const QKeyCombination keys[] = {
            Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y,   Qt::CTRL | Qt::Key_Plus,
            Qt::CTRL | Qt::Key_Minus, Qt::ALT | Qt::Key_Up, Qt::ALT | Qt::Key_Down, Qt::CTRL | Qt::Key_V,
            Qt::CTRL | Qt::SHIFT | Qt::Key_C};
        const QKeyCombination key = keys[rng.bounded(int(std::size(keys)))];
        QString what;
        if (rng.bounded(4) == 0) {
            QString block;
            for (int r = rng.bounded(1, 4); r > 0; --r)
                block += kPasted.at(rng.bounded(kPasted.size())) + u'\t' + kPasted.at(rng.bounded(kPasted.size())) + u'\n';
            QGuiApplication::clipboard()->setText(block);
            what = QStringLiteral("copy «%1», then ").arg(block);
        }
        QWidget *focus = QApplication::focusWidget();
        QWidget *target = focus == &f.editor() || focus == f.ui().Text5 ? focus : f.ui().FlexGrid;
        if (rng.bounded(3) == 0)
            target = f.ui().FlexGrid;
        target->setFocus();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        return what + QStringLiteral("%1 on the %2")
                          .arg(QKeySequence(key).toString(), target == f.ui().FlexGrid ? QStringLiteral("grid")
                                                                                          : boxName(target));
    }

    QString click(QWidget *widget, const QString &what)
    {
        const QPoint at(rng.bounded(widget->width()), rng.bounded(widget->height()));
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        return what;
    }

    // A click on a cell the grid shows, now and then anywhere on the grid
    // instead (its header, scroll bars or empty space). Where the editor
    // lies over the point, the click lands on the editor, as it would for a
    // user.
    QString clickCell()
    {
        const FlexGridControl &grid = f.grid();
        const bool anywhere = rng.bounded(10) == 0;
        QPoint at;
        std::optional<GridCell> cell;
        for (int tries = 0; tries < 100; ++tries) {
            at = QPoint(rng.bounded(grid.width()), rng.bounded(grid.height()));
            cell = GridProbe(grid).cellAt(at);
            if (anywhere || (cell && cell->row >= 1))
                break;
        }
        const QString where = cell ? QStringLiteral("cell (%1, %2)").arg(cell->row).arg(cell->col)
                                   : QStringLiteral("the grid at (%1, %2)").arg(at.x()).arg(at.y());

        KeyTextBox &editor = f.editor();
        const QPoint onFrame = grid.mapTo(editor.parentWidget(), at);
        if (editor.isVisible() && editor.geometry().contains(onFrame)) {
            QTest::mouseClick(&editor, Qt::LeftButton, {}, editor.mapFrom(editor.parentWidget(), onFrame));
            return QStringLiteral("click on the editor over ") + where;
        }
        f.clickGridAt(at);
        return QStringLiteral("click on ") + where;
    }

    QString scroll()
    {
        FlexGridControl &grid = f.grid();
        if (rng.bounded(4) != 0 && grid.Rows() > 1) {
            const int row = 1 + rng.bounded(grid.Rows() - 1);
            GridProbe(grid).setTopRow(row);
            return QStringLiteral("scroll the grid down to row %1").arg(row);
        }
        const int column = rng.bounded(grid.Cols());
        GridProbe(grid).setLeftCol(column);
        return QStringLiteral("scroll the grid across to column %1").arg(column);
    }

    QString enterCount()
    {
        const QString count = rng.bounded(3) == 0 ? kOddCounts.at(rng.bounded(int(kOddCounts.size())))
                                                  : QString::number(rng.bounded(-5, 121));
        KeyTextBox *box = f.ui().Text5;
        QString what;
        if (QApplication::focusWidget() != box) {
            what = QStringLiteral("click on the count box, then ");
            QTest::mouseClick(box, Qt::LeftButton);
        }
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, count);
        QTest::keyClick(box, Qt::Key_Return);
        return what + QStringLiteral("enter the count «%1»").arg(count);
    }

    StartedForm &f;
    QRandomGenerator rng;
    QSet<QString> confirmed; // every value the user confirmed, the starting ones and empty
    std::optional<QString> pendingValue; // the editor's text when Enter was pressed in it
    int pendingColumn = 0;               // and the grid column it was in
    size_t messagesBefore = 0;
    size_t messagesSeen = 0;
    QByteArray lastBytes;
    SectionTable onDisk; // the file's section as last read
};

} // namespace

class TestMonkey : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void randomActionsKeepFileAndTableInStep_data();
    void randomActionsKeepFileAndTableInStep();
};

void TestMonkey::randomActionsKeepFileAndTableInStep_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 7u, 2024u, 31337u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestMonkey::randomActionsKeepFileAndTableInStep()
{
    QFETCH(quint32, seed);

    StartedForm f(namedSectionFile(" 3 ", 3));
    QVERIFY(f.started);
    Monkey monkey(f, seed);
    QString problem = monkey.problem();
    QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("seed %1, at start: %2").arg(seed).arg(problem)));

    for (int action = 0; action < kActions; ++action) {
        const QString what = monkey.act();
        problem = monkey.problem();
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                                   .arg(seed)
                                                   .arg(action)
                                                   .arg(what, problem)));
        QVERIFY2(f.form->isVisible(), qPrintable(QStringLiteral("seed %1, action %2 (%3): window closed")
                                                     .arg(seed)
                                                     .arg(action)
                                                     .arg(what)));
    }
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
