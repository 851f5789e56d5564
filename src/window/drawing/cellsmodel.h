#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <functional>

// A column's title as a table's header shows it: its unit, "(m³/m)", on a
// line of its own, so that the column need not be as wide as the title.
QString headerTitle(const QString &title);

// A read-only table of text cells for a view: the first row of cells is
// the header, a last row of totals may be in bold, numbers are
// right-aligned, and marked cells are shown in red and bold, with why they
// are marked told to assistive technology.
class CellsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The cells, the header row first; whether the last row is the total.
    void setCells(const QList<QStringList> &cells, bool totalRow = false);
    const QList<QStringList> &cells() const { return m_cells; }
    // Whether a column holds numbers: right-aligned (not in the total's first cell).
    void setNumberColumns(std::function<bool(int column)> numbers) { m_numbers = std::move(numbers); }
    // Cells (row after the header, column) to mark, each with why.
    void setMarked(const QHash<std::pair<int, int>, QString> &cells);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<QStringList> m_cells;
    bool m_totalRow = false;
    std::function<bool(int)> m_numbers;
    QHash<std::pair<int, int>, QString> m_marked;
};
