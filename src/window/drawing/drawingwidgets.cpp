#include "drawingwidgets.h"

#include "cellsmodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace {

constexpr int kPadding = 14; // a cell's margins and grid line, across
constexpr int kRowPadding = 6;
// The least width a wrapped column is taken to have before the view is
// shown: its columns have no width yet, and the rows would come out tall.
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

QPushButton *commandButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit *problemsBox()
{
    auto *box = new QPlainTextEdit;
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    return box;
}

QLabel *headingFor(QWidget *buddy, const QString &text)
{
    auto *heading = new QLabel(text);
    heading->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return heading;
}

void fitTable(QTableView *view, const QList<QStringList> &cells, const TableFit &fit)
{
    QHeaderView *header = view->horizontalHeader();
    const int columns = cells.isEmpty() ? 0 : int(cells.front().size());
    QFont bold = view->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold); // a total, a marked cell
    for (int column = 0; column < columns && column < header->count(); ++column) {
        if (column == fit.wrapped) {
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
    fitRows(view, cells, fit);
}

void fitRows(QTableView *view, const QList<QStringList> &cells, const TableFit &fit)
{
    // The rows: one line, or the wrapped text's lines.
    QHeaderView *header = view->horizontalHeader();
    const QFontMetrics metrics = view->fontMetrics();
    const int line = metrics.height() + kRowPadding;
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(line);
    const int rows = view->model()->rowCount();
    if (fit.wrapped >= 0 && fit.wrapped < header->count()) {
        const int shown = header->sectionSize(fit.wrapped);
        const int width = (view->isVisible() ? shown : std::max(shown, kLeastWrapWidth)) - kPadding;
        for (int row = 0; row < rows; ++row) {
            const QString text = cells.value(row + 1).value(fit.wrapped);
            const int height = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
            view->verticalHeader()->resizeSection(row, std::max(line, height + kRowPadding));
        }
    }
    if (fit.maxRows <= 0)
        return;
    // As many rows as asked for, as long as they fit the height given.
    int height = header->sizeHint().height() + 2 * view->frameWidth();
    if (header->length() > view->viewport()->width())
        height += view->horizontalScrollBar()->sizeHint().height();
    int shown = 0;
    for (; shown < std::min(rows, fit.maxRows); ++shown) {
        if (fit.maxHeight > 0 && shown > 0 && height + view->rowHeight(shown) > fit.maxHeight)
            break;
        height += view->rowHeight(shown);
    }
    view->setFixedHeight(height);
    view->setVerticalScrollBarPolicy(rows > shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

namespace {

// Refits a view's rows once its width has settled: a resize of the viewport
// comes before the header stretches its column to the new width.
class RowsFitter : public QObject
{
public:
    RowsFitter(QTableView *view, std::function<QList<QStringList>()> cells, std::function<TableFit()> fit)
        : QObject(view), m_view(view), m_cells(std::move(cells)), m_fit(std::move(fit))
    {
        view->viewport()->installEventFilter(this);
        connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
            if (section == m_fit().wrapped)
                refit();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            QMetaObject::invokeMethod(this, &RowsFitter::refit, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    void refit() { fitRows(m_view, m_cells(), m_fit()); }

    QTableView *m_view;
    std::function<QList<QStringList>()> m_cells;
    std::function<TableFit()> m_fit;
};

} // namespace

void keepRowsFitted(QTableView *view, const std::function<QList<QStringList>()> &cells,
                    const std::function<TableFit()> &fit)
{
    new RowsFitter(view, cells, fit);
}
