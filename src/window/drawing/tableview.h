#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QTableView;
class QLabel;
class QWidget;

// A read-only table of the drawing window, named for assistive technology
// after its heading.
QTableView *readOnlyTable(QAbstractItemModel *model, const QString &name);

// A label whose text wraps within the width it gets, without making the
// window's height follow its width (which would keep a window taller than
// the screen from being made smaller).
QLabel *wrappingLabel(const QString &text = {});

// A heading above a control, which names it for assistive technology.
QLabel *headingFor(QWidget *buddy, const QString &text);

// Sizes the view to the cells it shows (the header row first): each column
// as wide as its longest text, measured once a column (the digits of the
// numbers are of one width), but `wrapped`, which takes the width left and
// wraps its texts; each row as high as the font in use lays out its
// wrapped text; the view as high as its first maxRows rows, its header and
// a horizontal scroll bar when the columns need one, so that those rows are
// all in sight, with a vertical scroll bar only for more. A maxRows of 0
// leaves the view's height to the layout.
void fitTable(QTableView *view, const QList<QStringList> &cells, int wrapped = -1, int maxRows = 0);
