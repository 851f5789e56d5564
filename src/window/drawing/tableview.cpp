#include "tableview.h"

#include "cellsmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace {

constexpr int kPadding = 14; // a cell's margins and grid line, across
constexpr int kRowPadding = 6;
// The least width a wrapped column is taken to have: before the view is
// shown its columns have no width yet, and the rows would come out tall.
constexpr int kLeastWrapWidth = 240;

} // namespace

QTableView *readOnlyTable(QAbstractItemModel *model, const QString &name)
{
    auto *view = new QTableView;
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(true);
    view->verticalHeader()->hide();
    view->setAccessibleName(name);
    return view;
}

QLabel *wrappingLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    QSizePolicy policy = label->sizePolicy();
    policy.setHeightForWidth(false);
    label->setSizePolicy(policy);
    return label;
}

QLabel *headingFor(QWidget *buddy, const QString &text)
{
    auto *heading = new QLabel(text);
    heading->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return heading;
}

void fitTable(QTableView *view, const QList<QStringList> &cells, int wrapped, int maxRows)
{
    QHeaderView *header = view->horizontalHeader();
    const int columns = cells.isEmpty() ? 0 : int(cells.front().size());
    const QFontMetrics metrics = view->fontMetrics();
    QFont bold = view->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold); // a total, a marked cell
    for (int column = 0; column < columns && column < header->count(); ++column) {
        if (column == wrapped) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
            continue;
        }
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        QString longest;
        for (qsizetype row = 1; row < cells.size(); ++row)
            if (cells[row].value(column).size() > longest.size())
                longest = cells[row].value(column);
        int title = 0;
        for (const QString &line : headerTitle(cells.front().value(column)).split(u'\n'))
            title = std::max(title, header->fontMetrics().horizontalAdvance(line));
        header->resizeSection(column, std::max(title, boldMetrics.horizontalAdvance(longest)) + kPadding);
    }

    // The rows: one line, or the wrapped text's lines.
    const int line = metrics.height() + kRowPadding;
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(line);
    const int rows = view->model()->rowCount();
    if (wrapped >= 0 && wrapped < columns) {
        const int width = std::max(header->sectionSize(wrapped), kLeastWrapWidth) - kPadding;
        for (int row = 0; row < rows; ++row) {
            const QString text = cells.value(row + 1).value(wrapped);
            const int height = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
            view->verticalHeader()->resizeSection(row, std::max(line, height + kRowPadding));
        }
    }
    if (maxRows <= 0)
        return;
    int height = header->sizeHint().height() + 2 * view->frameWidth();
    for (int row = 0; row < std::min(rows, maxRows); ++row)
        height += view->rowHeight(row);
    if (header->length() > view->viewport()->width())
        height += view->horizontalScrollBar()->sizeHint().height();
    view->setFixedHeight(height);
    view->setVerticalScrollBarPolicy(rows > maxRows ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
