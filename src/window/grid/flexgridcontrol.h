#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QTableWidget;
class QTableWidgetItem;

// The area grid: a table with one fixed header row (row 0, kept in place
// when the data rows scroll) and data rows 1..Rows()-1, addressed through a
// current cell as the grid operations and the cell editor expect. Every
// row number here is the grid's own; the table view inside is not reachable
// from outside. Sizes and positions are in pixels, relative to this control.
//
// The view has a current cell (the one it reports focused to assistive
// technology, and reports again whenever it moves) only while it has the
// focus itself; otherwise the current cell is only selected, so that the
// editor box over it is the one focused object.
//
// A data cell whose text does not fit shows it whole as its tooltip.
//
// A setting the grid cannot take (a row count out of range, a current row
// or column that does not exist) is refused: the setter returns false and
// the grid stays as it was. The operations on the current cell do nothing
// while there is none (a grid without rows).
class FlexGridControl : public QWidget
{
    Q_OBJECT

public:
    explicit FlexGridControl(QWidget *parent = nullptr);

    int Rows() const { return m_rows; }
    bool setRows(int rows); // 0 to 1001 rows, the header row included
    int Cols() const;
    bool setCols(int cols);

    int Row() const { return m_row; }
    bool setRow(int row);
    int Col() const { return m_col; }
    bool setCol(int col);

    void setColWidth(int col, int pixels);
    void setRowHeight(int row, int pixels);

    // The current cell.
    QString Text() const;
    void setText(const QString &text);
    void setCellAlignment(Qt::Alignment alignment);
    void setCellFontName(const QString &family);
    void setCellFontSize(double points); // drawn at its pixels at 96 dpi (fontPixels)
    void setCellFontBold(bool bold);
    void setCellBackColor(const QColor &colour);
    void setCellForeColor(const QColor &colour);

    // Where the grid draws the current cell, or cell (row, col); an empty
    // rectangle for a cell the grid does not have.
    QRect cellRect() const;
    QRect cellRect(int row, int col) const;

    // Scrolls the data rows so that the current cell is wholly shown.
    void showCurrentCell();
    // Gives the grid the focus, on its current cell, which assistive
    // technology is told of as the focused object.
    void focusCurrentCell();

    // The name assistive technology reads for the table.
    void setAccessibleTableName(const QString &name);

    // While a Batch lives, moving the current cell only moves Row() and
    // Col(); the view's current cell follows once, when the batch ends. For
    // loops that walk every cell of the grid.
    class Batch
    {
    public:
        explicit Batch(FlexGridControl &grid) : m_grid(grid), m_outer(grid.m_batched) { grid.m_batched = true; }
        ~Batch()
        {
            m_grid.m_batched = m_outer;
            if (!m_outer)
                m_grid.syncCurrentCell();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        FlexGridControl &m_grid;
        bool m_outer;
    };

signals:
    void Click();  // a click on a cell, after it has become current
    // A key pressed on the grid, before the grid's own use of it (the arrow
    // keys move the current cell); one accepted here goes no further.
    void KeyPress(QKeyEvent *event);
    void Scroll(); // the data rows or columns scrolled
    void ContextMenu(const QPoint &globalPos); // asked for by a right click or the Menu key

protected:
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidgetItem *newItem() const;
    QTableWidgetItem *cell(); // the current cell's item, made on first use; null without one
    const QTableWidgetItem *cell() const;
    bool hasRow(int row) const { return row >= 0 && row < m_rows; }
    bool hasCol(int col) const { return col >= 0 && col < Cols(); }
    void syncCurrentCell();
    void holdCurrentCell();

    QTableWidget *m_view;
    int m_rows = 0;
    int m_row = 0;
    int m_col = 0;
    bool m_batched = false;
};
