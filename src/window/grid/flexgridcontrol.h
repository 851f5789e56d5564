#pragma once

#include <QString>
#include <QTableWidget>
#include <stdexcept>

// A setting the grid cannot take: a row count out of range, a current row or
// column that does not exist. The area count entry catches it.
class GridError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The area grid: a table with one fixed header row (row 0, kept in place
// when the data rows scroll) and data rows 1..Rows()-1, addressed through a
// current cell as the grid operations and the cell editor expect. Row 0 is
// the table's horizontal header; data row r is the table's row r - 1. Sizes
// and positions are in pixels.
class FlexGridControl : public QTableWidget
{
    Q_OBJECT

public:
    // The most rows (header included) the grid accepts.
    static constexpr int kMaxRows = 1001;

    explicit FlexGridControl(QWidget *parent = nullptr);

    int Rows() const { return m_rows; }
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);

    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);

    void setColWidth(int col, int pixels);
    void setRowHeight(int row, int pixels);

    // The current cell.
    QString Text() const;
    void setText(const QString &text);
    void setCellAlignment(Qt::Alignment alignment);
    void setCellFontName(const QString &family);
    void setCellFontSize(double points);
    void setCellFontBold(bool bold);
    void setCellBackColor(const QColor &colour);
    void setCellForeColor(const QColor &colour);
    QFont cellFont() const;
    QColor cellBackColor() const;
    QColor cellForeColor() const;

    // The current cell's rectangle within the grid widget.
    QRect cellRect() const;
    int CellLeft() const { return cellRect().left(); }
    int CellTop() const { return cellRect().top(); }
    int CellWidth() const { return cellRect().width(); }
    int CellHeight() const { return cellRect().height(); }

    // Scrolls the data rows so that the current cell is wholly shown.
    void showCurrentCell();

    // The name assistive technology reads for the table of cells.
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

private:
    QTableWidgetItem *newItem() const;
    QTableWidgetItem *cell(); // the current cell's item, made on first use
    const QTableWidgetItem *cell() const;
    void requireCell() const;
    void syncCurrentCell();

    int m_rows = 0;
    int m_row = 0;
    int m_col = 0;
    bool m_batched = false;
};
