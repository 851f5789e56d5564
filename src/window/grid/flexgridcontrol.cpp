#include "flexgridcontrol.h"

#include "window/systemcolours.h"

#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>

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
        painter->fillRect(rect, systemColour(SystemColour::ButtonFace, palette()));
        painter->setPen(Qt::black);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());

        const QAbstractItemModel *m = model();
        const QVariant fontData = m->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
        painter->setFont(fontData.isValid() ? fontData.value<QFont>() : font());
        const QVariant alignData = m->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole);
        const int align = alignData.isValid() ? alignData.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
        painter->setPen(systemColour(SystemColour::ButtonText, palette()));
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

} // namespace

FlexGridControl::FlexGridControl(QWidget *parent) : QTableWidget(parent)
{
    auto *gridStyle = new GridLineStyle;
    gridStyle->setParent(this);
    setStyle(gridStyle);

    setHorizontalHeader(new WrappingHeader(this));
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20); // 300 twips

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAutoScroll(false); // the editor brings its cell into view itself
    setWordWrap(true);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::ClickFocus);

    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, systemColour(SystemColour::ButtonFace, pal));
        pal.setColor(group, QPalette::Text, systemColour(SystemColour::WindowText, pal));
        pal.setColor(group, QPalette::Highlight, kGreen);
        pal.setColor(group, QPalette::HighlightedText, systemColour(SystemColour::HighlightText, pal));
    }
    setPalette(pal);

    setRows(2);
    setCols(7);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (row >= 0 && col >= 0) {
            m_row = row + 1;
            m_col = col;
        }
    });
    connect(this, &QTableWidget::cellClicked, this, &FlexGridControl::Click);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridControl::Scroll);
}

void FlexGridControl::setRows(int rows)
{
    if (rows < 0 || rows > kMaxRows)
        throw GridError("row count out of range");
    m_rows = rows;
    setRowCount(qMax(0, rows - 1));
    horizontalHeader()->setVisible(rows > 0);
    m_row = qMin(m_row, qMax(0, rows - 1));
    syncCurrentCell();
}

void FlexGridControl::setCols(int cols)
{
    if (cols < 0 || cols > 100)
        throw GridError("column count out of range");
    setColumnCount(cols);
    m_col = qMin(m_col, qMax(0, cols - 1));
    syncCurrentCell();
}

void FlexGridControl::setRow(int row)
{
    if (row < 0 || row >= m_rows)
        throw GridError("no such row");
    m_row = row;
    syncCurrentCell();
}

void FlexGridControl::setCol(int col)
{
    if (col < 0 || col >= columnCount())
        throw GridError("no such column");
    m_col = col;
    syncCurrentCell();
}

void FlexGridControl::syncCurrentCell()
{
    if (m_batched)
        return;
    if (m_row >= 1 && m_col < columnCount()) {
        const QSignalBlocker block(this);
        setCurrentCell(m_row - 1, m_col);
    }
}

void FlexGridControl::setColWidth(int col, int pixels)
{
    if (col < 0 || col >= columnCount())
        throw GridError("no such column");
    setColumnWidth(col, pixels);
}

void FlexGridControl::setRowHeight(int row, int pixels)
{
    if (row < 0 || row >= m_rows)
        throw GridError("no such row");
    if (row == 0)
        horizontalHeader()->setFixedHeight(pixels);
    else
        QTableWidget::setRowHeight(row - 1, pixels);
}

void FlexGridControl::requireCell() const
{
    if (m_row < 0 || m_row >= m_rows || m_col < 0 || m_col >= columnCount())
        throw GridError("no current cell");
}

QTableWidgetItem *FlexGridControl::newItem() const
{
    // A cell starts in the grid's own font, so that a look set on it (bold,
    // a size) changes only that look.
    auto *fresh = new QTableWidgetItem;
    fresh->setFont(font());
    return fresh;
}

QTableWidgetItem *FlexGridControl::cell()
{
    requireCell();
    if (m_row == 0) {
        if (!horizontalHeaderItem(m_col))
            setHorizontalHeaderItem(m_col, newItem());
        return horizontalHeaderItem(m_col);
    }
    if (!item(m_row - 1, m_col))
        setItem(m_row - 1, m_col, newItem());
    return item(m_row - 1, m_col);
}

const QTableWidgetItem *FlexGridControl::cell() const
{
    requireCell();
    return m_row == 0 ? horizontalHeaderItem(m_col) : item(m_row - 1, m_col);
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
    return current ? current->font() : font();
}

void FlexGridControl::setCellFontName(const QString &family)
{
    QTableWidgetItem *current = cell();
    QFont f = current->font();
    f.setFamilies({family});
    current->setFont(f);
}

void FlexGridControl::setCellFontSize(double points)
{
    QTableWidgetItem *current = cell();
    QFont f = current->font();
    f.setPointSizeF(points);
    current->setFont(f);
}

void FlexGridControl::setCellFontBold(bool bold)
{
    QTableWidgetItem *current = cell();
    QFont f = current->font();
    f.setBold(bold);
    current->setFont(f);
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
    requireCell();
    if (m_row == 0) {
        const QHeaderView *header = horizontalHeader();
        return QRect(header->x() + header->sectionViewportPosition(m_col), header->y(),
                     header->sectionSize(m_col), header->height());
    }
    const QRect inViewport = visualRect(model()->index(m_row - 1, m_col));
    return inViewport.translated(viewport()->pos());
}

void FlexGridControl::showCurrentCell()
{
    if (m_row >= 1 && m_col < columnCount())
        scrollTo(model()->index(m_row - 1, m_col), QAbstractItemView::EnsureVisible);
}

void FlexGridControl::setAccessibleTableName(const QString &name)
{
    setAccessibleName(name);
}
