#include "flexgridcontrol.h"

#include "window/systemcolours.h"
#include "window/twips.h"

#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTableWidget>

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

// Scrolls so that section becomes the first one shown, whether the bar
// counts items or pixels.
void scrollToSection(QAbstractItemView::ScrollMode mode, QScrollBar *bar, const QHeaderView *header, int section)
{
    bar->setValue(mode == QAbstractItemView::ScrollPerItem ? section : header->sectionPosition(section));
}

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
    connect(m_view, &QTableWidget::cellClicked, this, &FlexGridControl::Click);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
}

void FlexGridControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

void FlexGridControl::setAccessibleTableName(const QString &name)
{
    m_view->setAccessibleName(name);
}

int FlexGridControl::Cols() const
{
    return m_view->columnCount();
}

void FlexGridControl::setRows(int rows)
{
    if (rows < 0 || rows > kMaxRows)
        throw GridError("row count out of range");
    m_rows = rows;
    m_view->setRowCount(qMax(0, rows - 1));
    m_view->horizontalHeader()->setVisible(rows > 0);
    m_row = qMin(m_row, qMax(0, rows - 1));
    syncCurrentCell();
}

void FlexGridControl::setCols(int cols)
{
    if (cols < 0 || cols > 100)
        throw GridError("column count out of range");
    m_view->setColumnCount(cols);
    m_col = qMin(m_col, qMax(0, cols - 1));
    syncCurrentCell();
}

void FlexGridControl::setRow(int row)
{
    requireRow(row);
    m_row = row;
    syncCurrentCell();
}

void FlexGridControl::setCol(int col)
{
    requireCol(col);
    m_col = col;
    syncCurrentCell();
}

void FlexGridControl::syncCurrentCell()
{
    if (m_batched)
        return;
    if (m_row >= 1 && m_col < Cols()) {
        const QSignalBlocker block(m_view);
        m_view->setCurrentCell(m_row - 1, m_col);
    }
}

int FlexGridControl::ColWidth(int col) const
{
    requireCol(col);
    return m_view->columnWidth(col);
}

void FlexGridControl::setColWidth(int col, int pixels)
{
    requireCol(col);
    m_view->setColumnWidth(col, pixels);
}

int FlexGridControl::RowHeight(int row) const
{
    requireRow(row);
    return row == 0 ? m_view->horizontalHeader()->height() : m_view->rowHeight(row - 1);
}

void FlexGridControl::setRowHeight(int row, int pixels)
{
    requireRow(row);
    if (row == 0)
        m_view->horizontalHeader()->setFixedHeight(pixels);
    else
        m_view->setRowHeight(row - 1, pixels);
}

void FlexGridControl::requireRow(int row) const
{
    if (row < 0 || row >= m_rows)
        throw GridError("no such row");
}

void FlexGridControl::requireCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw GridError("no such column");
}

void FlexGridControl::requireCell(int row, int col) const
{
    requireRow(row);
    requireCol(col);
}

namespace {

// Changes one look of a cell's font and keeps the others.
template<typename Change>
void changeFont(QTableWidgetItem &item, Change change)
{
    QFont f = item.font();
    change(f);
    item.setFont(f);
}

} // namespace

QTableWidgetItem *FlexGridControl::newItem() const
{
    // A cell starts in the grid's own font, so that a look set on it (bold,
    // a size) changes only that look.
    auto *fresh = new QTableWidgetItem;
    fresh->setFont(m_view->font());
    return fresh;
}

QTableWidgetItem *FlexGridControl::cell()
{
    requireCell(m_row, m_col);
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
    requireCell(m_row, m_col);
    return m_row == 0 ? m_view->horizontalHeaderItem(m_col) : m_view->item(m_row - 1, m_col);
}

QString FlexGridControl::Text() const
{
    const QTableWidgetItem *current = cell();
    return current ? current->text() : QString();
}

void FlexGridControl::setText(const QString &text)
{
    cell()->setText(text);
}

void FlexGridControl::setCellAlignment(Qt::Alignment alignment)
{
    cell()->setTextAlignment(alignment);
}

QFont FlexGridControl::cellFont() const
{
    const QTableWidgetItem *current = cell();
    return current ? current->font() : m_view->font();
}

void FlexGridControl::setCellFontName(const QString &family)
{
    changeFont(*cell(), [&](QFont &f) { f.setFamilies({family}); });
}

void FlexGridControl::setCellFontSize(double points)
{
    changeFont(*cell(), [&](QFont &f) { f.setPixelSize(fontPixels(points)); });
}

void FlexGridControl::setCellFontBold(bool bold)
{
    changeFont(*cell(), [&](QFont &f) { f.setBold(bold); });
}

void FlexGridControl::setCellBackColor(const QColor &colour)
{
    cell()->setBackground(colour);
}

void FlexGridControl::setCellForeColor(const QColor &colour)
{
    cell()->setForeground(colour);
}

QColor FlexGridControl::cellBackColor() const
{
    const QTableWidgetItem *current = cell();
    return current ? current->background().color() : QColor();
}

QColor FlexGridControl::cellForeColor() const
{
    const QTableWidgetItem *current = cell();
    return current ? current->foreground().color() : QColor();
}

QRect FlexGridControl::cellRect() const
{
    return cellRect(m_row, m_col);
}

QRect FlexGridControl::cellRect(int row, int col) const
{
    requireCell(row, col);
    if (row == 0) {
        const QHeaderView *header = m_view->horizontalHeader();
        return QRect(header->x() + header->sectionViewportPosition(col), header->y(), header->sectionSize(col),
                     header->height())
            .translated(m_view->pos());
    }
    const QRect inViewport = m_view->visualRect(m_view->model()->index(row - 1, col));
    return inViewport.translated(m_view->viewport()->pos() + m_view->pos());
}

std::optional<GridCell> FlexGridControl::cellAt(const QPoint &point) const
{
    const QPoint inView = point - m_view->pos();
    const QHeaderView *header = m_view->horizontalHeader();
    if (!header->isHidden() && header->geometry().contains(inView)) {
        const int col = header->logicalIndexAt(inView.x() - header->x());
        return col < 0 ? std::nullopt : std::optional(GridCell{0, col});
    }
    const QWidget *viewport = m_view->viewport();
    if (!viewport->geometry().contains(inView))
        return std::nullopt;
    const QModelIndex index = m_view->indexAt(inView - viewport->pos());
    return index.isValid() ? std::optional(GridCell{index.row() + 1, index.column()}) : std::nullopt;
}

void FlexGridControl::showCurrentCell()
{
    if (m_row >= 1 && m_col < Cols())
        m_view->scrollTo(m_view->model()->index(m_row - 1, m_col), QAbstractItemView::EnsureVisible);
}

void FlexGridControl::setTopRow(int row)
{
    if (row < 1)
        throw GridError("no such data row");
    requireRow(row);
    scrollToSection(m_view->verticalScrollMode(), m_view->verticalScrollBar(), m_view->verticalHeader(), row - 1);
}

void FlexGridControl::setLeftCol(int col)
{
    requireCol(col);
    scrollToSection(m_view->horizontalScrollMode(), m_view->horizontalScrollBar(), m_view->horizontalHeader(),
                    col);
}
