#pragma once

// What the area grid shows, read from the table view inside it, for the
// tests: the program only sets these looks and sizes, and scrolls and hits
// cells through the view's own events.

#include "window/grid/flexgridcontrol.h"

#include <QFont>
#include <QHeaderView>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <optional>

// A cell in the grid's numbering: row 0 is the header row.
struct GridCell
{
    int row = 0;
    int col = 0;
    bool operator==(const GridCell &) const = default;
};

class GridProbe
{
public:
    explicit GridProbe(const FlexGridControl &grid) : m_grid(grid), m_view(grid.findChild<QTableWidget *>()) {}

    int colWidth(int col) const { return m_view->columnWidth(col); }
    int rowHeight(int row) const
    {
        return row == 0 ? m_view->horizontalHeader()->height() : m_view->rowHeight(row - 1);
    }

    // The looks of the current cell.
    QFont cellFont() const { return item() ? item()->font() : m_view->font(); }
    QColor cellBackColor() const { return item() ? item()->background().color() : QColor(); }
    QColor cellForeColor() const { return item() ? item()->foreground().color() : QColor(); }
    QString cellToolTip() const { return item() ? item()->toolTip() : QString(); }
    // The tooltip the grid shows when the mouse rests on data cell (row, col).
    QString shownToolTip(int row, int col) const
    {
        QToolTip::hideText();
        const QPoint at = m_view->visualRect(m_view->model()->index(row - 1, col)).center();
        QHelpEvent help(QEvent::ToolTip, at, m_view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(m_view->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // The cell shown at a point of the grid, if any: a header cell, a data
    // cell, or nothing over the scroll bars and the empty space.
    std::optional<GridCell> cellAt(const QPoint &point) const
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

    // Scrolls so that data row `row` (or column `col`) is the first shown, as
    // far as the scrolling goes, as the user's scroll bar does.
    void setTopRow(int row) const { scrollTo(m_view->verticalScrollBar(), m_view->verticalHeader(), row - 1); }
    void setLeftCol(int col) const { scrollTo(m_view->horizontalScrollBar(), m_view->horizontalHeader(), col); }

private:
    const QTableWidgetItem *item() const
    {
        return m_grid.Row() == 0 ? m_view->horizontalHeaderItem(m_grid.Col())
                                 : m_view->item(m_grid.Row() - 1, m_grid.Col());
    }
    void scrollTo(QScrollBar *bar, const QHeaderView *header, int section) const
    {
        const bool perItem = (bar == m_view->verticalScrollBar() ? m_view->verticalScrollMode()
                                                                  : m_view->horizontalScrollMode())
                             == QAbstractItemView::ScrollPerItem;
        bar->setValue(perItem ? section : header->sectionPosition(section));
    }

    const FlexGridControl &m_grid;
    QTableWidget *m_view;
};
