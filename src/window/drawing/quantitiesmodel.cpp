#include "quantitiesmodel.h"

#include <QFont>

namespace {

// Columns "Area" and "Base (m)" onwards hold numbers.
bool holdsNumbers(int column)
{
    return column == 0 || column >= 3;
}

} // namespace

void QuantitiesModel::setCells(const QList<QStringList> &cells)
{
    beginResetModel();
    m_cells = cells;
    endResetModel();
}

int QuantitiesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_cells.isEmpty() ? 0 : int(m_cells.size()) - 1;
}

int QuantitiesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_cells.isEmpty() ? 0 : int(m_cells.front().size());
}

QVariant QuantitiesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool total = index.row() == rowCount() - 1;
    switch (role) {
    case Qt::DisplayRole:
        return m_cells.at(index.row() + 1).value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (holdsNumbers(index.column()) && !(total && index.column() == 0)
                                                           ? Qt::AlignRight
                                                           : Qt::AlignLeft));
    case Qt::FontRole:
        if (total) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant QuantitiesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && !m_cells.isEmpty())
        return m_cells.front().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
