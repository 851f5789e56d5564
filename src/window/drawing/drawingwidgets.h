#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractItemModel;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QWidget;

// The small widgets of the drawing window, made alike.

// A read-only table of the drawing window, named for assistive technology
// after its heading.
QTableView *readOnlyTable(QAbstractItemModel *model, const QString &name);

// A label whose text wraps within the width it gets, without making the
// window's height follow its width (which would keep a window taller than
// the screen from being made smaller).
QLabel *wrappingLabel(const QString &text = {});

// A button that Enter in a box of the window does not press.
QPushButton *commandButton(const QString &text);

// A read-only box of problems, which Tab leaves.
QPlainTextEdit *problemsBox();

// A heading above a control, which names it for assistive technology.
QLabel *headingFor(QWidget *buddy, const QString &text);

// How a table is sized to its cells: the column whose texts wrap (-1:
// none), and how many of its rows are to be in sight (0: as the layout
// gives) within at most maxHeight pixels (0: no limit).
struct TableFit
{
    int wrapped = -1;
    int maxRows = 0;
    int maxHeight = 0;
};

// Sizes the view to the cells it shows (the header row first): each column
// as wide as its longest text, measured once a column (the digits of the
// numbers are of one width), but the wrapped one, which takes the width
// left; then its rows (fitRows).
void fitTable(QTableView *view, const QList<QStringList> &cells, const TableFit &fit = {});

// Each row as high as the font in use lays out its wrapped text; the view
// as high as its first maxRows rows (as many as maxHeight holds), its
// header and a horizontal scroll bar when the columns need one, so that
// those rows are all in sight, with a vertical scroll bar only for more.
void fitRows(QTableView *view, const QList<QStringList> &cells, const TableFit &fit);

// Fits the rows again whenever the wrapped column changes its width.
void keepRowsFitted(QTableView *view, const std::function<QList<QStringList>()> &cells,
                    const std::function<TableFit()> &fit);
