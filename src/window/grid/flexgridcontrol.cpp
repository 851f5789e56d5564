#include "flexgridcontrol.h"

#include "window/systemcolours.h"
#include "window/twips.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTextLayout>

namespace {

// The header row: its titles wrap within their cells, in each cell's own
// font and alignment, on the button face with black grid lines.
class WrappingHeader : public QHeaderView
{
public:
    explicit WrappingHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        painter->fillRect(rect, systemColour(SystemColour::ButtonFace));
        painter->setPen(Qt::black);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());

        const QAbstractItemModel *m = model();
        const QVariant fontData = m->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
        painter->setFont(fontData.isValid() ? fontData.value<QFont>() : font());
        const QVariant alignData = m->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole);
        const int align = alignData.isValid() ? alignData.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
        painter->setPen(systemColour(SystemColour::ButtonText));
        painter->drawText(rect.adjusted(2, 1, -2, -1), align | Qt::TextWordWrap,
                          m->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString());
        painter->restore();
    }
};

// Light grey lines between the data cells.
class GridLineStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return static_cast<int>(kGridLine.rgba());
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The most rows (header included) and columns the grid accepts.
constexpr int kMaxRows = 1001;
constexpr int kMaxCols = 100;

} // namespace

FlexGridControl::FlexGridControl(QWidget *parent) : QWidget(parent), m_view(new QTableWidget(this))
{
    auto *gridStyle = new GridLineStyle;
    gridStyle->setParent(m_view);
    m_view->setStyle(gridStyle);

    m_view->setHorizontalHeader(new WrappingHeader(m_view));
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    QHeaderView *rowHeader = m_view->verticalHeader();
    rowHeader->hide();
    rowHeader->setMinimumSectionSize(1);
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(20); // 300 twips

    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setAutoScroll(false); // the editor brings its cell into view itself
    m_view->setWordWrap(true);
    m_view->setTabKeyNavigation(false);
    m_view->setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(m_view); // the view takes the focus, and the grid's place in the tab order

    QPalette pal = m_view->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, systemColour(SystemColour::ButtonFace));
        pal.setColor(group, QPalette::Text, systemColour(SystemColour::WindowText));
        pal.setColor(group, QPalette::Highlight, kGreen);
        pal.setColor(group, QPalette::HighlightedText, systemColour(SystemColour::HighlightText));
    }
    m_view->setPalette(pal);

    setRows(2);
    setCols(7);

    connect(m_view, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (row >= 0 && col >= 0) {
            m_row = row + 1;
            m_col = col;
        }
    });
    // A click makes the cell current also when the view did not take the
    // focus with it (an inactive window).
    connect(m_view, &QTableWidget::cellClicked, this, [this] {
        holdCurrentCell();
        emit Click();
    });
    m_view->installEventFilter(this); // for its focus
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
}

void FlexGridControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

// The table view leaves context menu events to its parent, this control.
void FlexGridControl::contextMenuEvent(QContextMenuEvent *event)
{
    emit ContextMenu(event->globalPos());
    event->accept();
}

void FlexGridControl::setAccessibleTableName(const QString &name)
{
    m_view->setAccessibleName(name);
}

int FlexGridControl::Cols() const
{
    return m_view->columnCount();
}

bool FlexGridControl::setRows(int rows)
{
    if (rows < 0 || rows > kMaxRows)
        return false;
    m_rows = rows;
    m_view->setRowCount(qMax(0, rows - 1));
    m_view->horizontalHeader()->setVisible(rows > 0);
    m_row = qMin(m_row, qMax(0, rows - 1));
    syncCurrentCell();
    return true;
}

bool FlexGridControl::setCols(int cols)
{
    if (cols < 0 || cols > kMaxCols)
        return false;
    m_view->setColumnCount(cols);
    m_col = qMin(m_col, qMax(0, cols - 1));
    syncCurrentCell();
    return true;
}

bool FlexGridControl::setRow(int row)
{
    if (!hasRow(row))
        return false;
    m_row = row;
    syncCurrentCell();
    return true;
}

bool FlexGridControl::setCol(int col)
{
    if (!hasCol(col))
        return false;
    m_col = col;
    syncCurrentCell();
    return true;
}

void FlexGridControl::syncCurrentCell()
{
    if (m_batched || m_row < 1 || m_col >= Cols())
        return;
    const QSignalBlocker block(m_view);
    m_view->selectionModel()->select(m_view->model()->index(m_row - 1, m_col), QItemSelectionModel::ClearAndSelect);
    holdCurrentCell();
}

// The view's current cell: the grid's while the view has the focus, none
// otherwise. The selection stays as it is.
void FlexGridControl::holdCurrentCell()
{
    const bool focused = m_view->hasFocus() && m_row >= 1 && m_col < Cols();
    const QModelIndex wanted = focused ? m_view->model()->index(m_row - 1, m_col) : QModelIndex();
    QItemSelectionModel *selection = m_view->selectionModel();
    const QSignalBlocker block(m_view);
    if (selection->currentIndex() != wanted)
        selection->setCurrentIndex(wanted, QItemSelectionModel::NoUpdate);
}

bool FlexGridControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        holdCurrentCell();
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        key->ignore();
        emit KeyPress(key);
        if (key->isAccepted())
            return true;
        key->accept(); // as the view gets it
    }
    return QWidget::eventFilter(watched, event);
}

void FlexGridControl::setColWidth(int col, int pixels)
{
    if (hasCol(col))
        m_view->setColumnWidth(col, pixels);
}

void FlexGridControl::setRowHeight(int row, int pixels)
{
    if (!hasRow(row))
        return;
    if (row == 0)
        m_view->horizontalHeader()->setFixedHeight(pixels);
    else
        m_view->setRowHeight(row - 1, pixels);
}

namespace {

// Whether text shows whole in a cell of this size (grid lines left out),
// drawn as the view draws an item's text: within a margin on either side,
// wrapped at word boundaries, in the cell's font. Otherwise the view cuts
// it, ending the last line it shows in "…".
bool showsWhole(const QString &text, const QFont &font, QSize cell, int margin)
{
    const int width = cell.width() - 2 * margin;
    QTextLayout layout(QString(text).replace(u'\n', QChar::LineSeparator), font);
    QTextOption wrapped;
    wrapped.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrapped);
    qreal height = 0;
    bool narrow = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
        narrow = narrow && line.naturalTextWidth() <= width;
    }
    layout.endLayout();
    return narrow && height <= cell.height();
}

// A cell of the view. A data cell whose text the view cannot show whole
// has that text as its tooltip, worked out when the tooltip is asked for.
class CellItem : public QTableWidgetItem
{
public:
    QVariant data(int role) const override
    {
        if (role != Qt::ToolTipRole)
            return QTableWidgetItem::data(role);
        const QTableWidget *view = tableWidget();
        const QString shown = text();
        const int r = view ? row() : -1; // -1 for a header cell
        if (r < 0 || shown.isEmpty())
            return {};
        const int gridLine = view->showGrid() ? 1 : 0;
        const QSize cell(view->columnWidth(column()) - gridLine, view->rowHeight(r) - gridLine);
        const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        return showsWhole(shown, font(), cell, margin) ? QVariant() : QVariant(shown);
    }
};

// Changes one look of a cell's font and keeps the others.
template<typename Change>
void changeFont(QTableWidgetItem *item, Change change)
{
    if (!item)
        return;
    QFont f = item->font();
    change(f);
    item->setFont(f);
}

} // namespace

QTableWidgetItem *FlexGridControl::newItem() const
{
    // A cell starts in the grid's own font, so that a look set on it (bold,
    // a size) changes only that look.
    auto *fresh = new CellItem;
    fresh->setFont(m_view->font());
    return fresh;
}

QTableWidgetItem *FlexGridControl::cell()
{
    if (!hasRow(m_row) || !hasCol(m_col))
        return nullptr;
    if (m_row == 0) {
        if (!m_view->horizontalHeaderItem(m_col))
            m_view->setHorizontalHeaderItem(m_col, newItem());
        return m_view->horizontalHeaderItem(m_col);
    }
    if (!m_view->item(m_row - 1, m_col))
        m_view->setItem(m_row - 1, m_col, newItem());
    return m_view->item(m_row - 1, m_col);
}

const QTableWidgetItem *FlexGridControl::cell() const
{
    if (!hasRow(m_row) || !hasCol(m_col))
        return nullptr;
    return m_row == 0 ? m_view->horizontalHeaderItem(m_col) : m_view->item(m_row - 1, m_col);
}

QString FlexGridControl::Text() const
{
    const QTableWidgetItem *current = cell();
    return current ? current->text() : QString();
}

void FlexGridControl::setText(const QString &text)
{
    if (QTableWidgetItem *current = cell())
        current->setText(text);
}

void FlexGridControl::setCellAlignment(Qt::Alignment alignment)
{
    if (QTableWidgetItem *current = cell())
        current->setTextAlignment(alignment);
}

void FlexGridControl::setCellFontName(const QString &family)
{
    changeFont(cell(), [&](QFont &f) { f.setFamilies({family}); });
}

void FlexGridControl::setCellFontSize(double points)
{
    changeFont(cell(), [&](QFont &f) { f.setPixelSize(fontPixels(points)); });
}

void FlexGridControl::setCellFontBold(bool bold)
{
    changeFont(cell(), [&](QFont &f) { f.setBold(bold); });
}

void FlexGridControl::setCellBackColor(const QColor &colour)
{
    if (QTableWidgetItem *current = cell())
        current->setBackground(colour);
}

void FlexGridControl::setCellForeColor(const QColor &colour)
{
    if (QTableWidgetItem *current = cell())
        current->setForeground(colour);
}

QRect FlexGridControl::cellRect() const
{
    return cellRect(m_row, m_col);
}

QRect FlexGridControl::cellRect(int row, int col) const
{
    if (!hasRow(row) || !hasCol(col))
        return {};
    if (row == 0) {
        const QHeaderView *header = m_view->horizontalHeader();
        return QRect(header->x() + header->sectionViewportPosition(col), header->y(), header->sectionSize(col),
                     header->height())
            .translated(m_view->pos());
    }
    const QRect inViewport = m_view->visualRect(m_view->model()->index(row - 1, col));
    return inViewport.translated(m_view->viewport()->pos() + m_view->pos());
}

// The view tells of the cell it makes current as it takes the focus, and
// then of itself: a screen reader would follow the table alone. The cell
// is made current once more, to be told of last.
void FlexGridControl::focusCurrentCell()
{
    m_view->setFocus();
    if (!m_view->hasFocus())
        return;
    const QSignalBlocker block(m_view);
    m_view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    holdCurrentCell();
}

void FlexGridControl::showCurrentCell()
{
    if (m_row >= 1 && m_col < Cols())
        m_view->scrollTo(m_view->model()->index(m_row - 1, m_col), QAbstractItemView::EnsureVisible);
}
