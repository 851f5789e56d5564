#include "cellsmodel.h"

#include <QBrush>
#include <QFont>

void CellsModel::setCells(const QList<QStringList> &cells, bool totalRow)
{
    beginResetModel();
    m_cells = cells;
    m_totalRow = totalRow;
    m_marked.clear();
    endResetModel();
}

void CellsModel::setMarked(const QHash<std::pair<int, int>, QString> &cells)
{
    m_marked = cells;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int CellsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_cells.isEmpty() ? 0 : int(m_cells.size()) - 1;
}

int CellsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_cells.isEmpty() ? 0 : int(m_cells.front().size());
}

QVariant CellsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool total = m_totalRow && index.row() == rowCount() - 1;
    const QString why = m_marked.value({index.row(), index.column()});
    const bool marked = !why.isEmpty();
    const QString text = m_cells.at(index.row() + 1).value(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::ToolTipRole:
        return marked ? why : QVariant();
    case Qt::AccessibleTextRole:
        return marked ? text + QStringLiteral(", ") + why : QVariant();
    case Qt::TextAlignmentRole: {
        const bool number = m_numbers && m_numbers(index.column()) && !(total && index.column() == 0);
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::FontRole:
        if (total || marked) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return marked ? QBrush(Qt::red) : QVariant();
    default:
        return {};
    }
}

QString headerTitle(const QString &title)
{
    return QString(title).replace(QStringLiteral(" ("), QStringLiteral("\n("));
}

QVariant CellsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && !m_cells.isEmpty())
        return headerTitle(m_cells.front().value(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}
