#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>
#include <stdexcept>

class QTableWidget;
class QTableWidgetItem;

// A setting the grid cannot take: a row count out of range, a current row or
// column that does not exist. The area count entry catches it.
class GridError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A cell in the grid's numbering: row 0 is the header row.
struct GridCell
{
    int row = 0;
    int col = 0;
    bool operator==(const GridCell &) const = default;
};

// The area grid: a table with one fixed header row (row 0, kept in place
// when the data rows scroll) and data rows 1..Rows()-1, addressed through a
// current cell as the grid operations and the cell editor expect. Every
// row number here is the grid's own; the table view inside is not reachable
// from outside. Sizes and positions are in pixels, relative to this control.
class FlexGridControl : public QWidget
{
    Q_OBJECT

public:
    // The most rows (header included) the grid accepts.
    static constexpr int kMaxRows = 1001;

    explicit FlexGridControl(QWidget *parent = nullptr);

    int Rows() const { return m_rows; }
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);

    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);

    int ColWidth(int col) const;
    void setColWidth(int col, int pixels);
    int RowHeight(int row) const;
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
    QFont cellFont() const;
    QColor cellBackColor() const;
    QColor cellForeColor() const;

    // Where the grid draws the current cell, or cell (row, col).
    QRect cellRect() const;
    QRect cellRect(int row, int col) const;
    // The cell shown at a point, if any: a header cell, a data cell, or
    // nothing over the scroll bars and the empty space.
    std::optional<GridCell> cellAt(const QPoint &point) const;

    // Scrolls the data rows so that the current cell is wholly shown.
    void showCurrentCell();
    // Scrolls the data rows so that row (or column col) is the first shown,
    // as far as the scrolling goes.
    void setTopRow(int row);
    void setLeftCol(int col);

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
    void Scroll(); // the data rows or columns scrolled

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QTableWidgetItem *newItem() const;
    QTableWidgetItem *cell(); // the current cell's item, made on first use
    const QTableWidgetItem *cell() const;
    void requireRow(int row) const;
    void requireCol(int col) const;
    void requireCell(int row, int col) const;
    void syncCurrentCell();

    QTableWidget *m_view;
    int m_rows = 0;
    int m_row = 0;
    int m_col = 0;
    bool m_batched = false;
};
