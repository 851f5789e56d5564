#include "itemsmodel.h"

#include "cellsmodel.h"
#include "takeoff/numbers.h"

namespace {

constexpr QString PriceItem::*kFields[] = {&PriceItem::code, &PriceItem::description, &PriceItem::measure,
                                           &PriceItem::from, &PriceItem::to,          &PriceItem::margin};

const QStringList kTitles{QStringLiteral("Voce"),
                          QStringLiteral("Descrizione"),
                          QStringLiteral("Misura"),
                          QStringLiteral("Profondità da (m)"),
                          QStringLiteral("Profondità a (m)"),
                          QStringLiteral("Margine (m)")};

} // namespace

void ItemsModel::setItems(const std::vector<PriceItem> &items)
{
    beginResetModel();
    m_items = items;
    std::erase_if(m_items, [](const PriceItem &item) { return item.isEmpty(); });
    endResetModel();
    emit itemsChanged();
}

void ItemsModel::put(int row, int column, const QList<QStringList> &values)
{
    std::vector<PriceItem> items = m_items;
    for (qsizetype r = 0; r < values.size(); ++r) {
        const size_t at = size_t(row + r);
        if (at >= items.size())
            items.resize(at + 1);
        for (qsizetype c = 0; c < values[r].size() && column + c < kColumns; ++c)
            items[at].*kFields[column + c] = values[r][c].trimmed();
    }
    setItems(items);
}

void ItemsModel::clear(const QModelIndexList &cells)
{
    std::vector<PriceItem> items = m_items;
    for (const QModelIndex &cell : cells)
        if (size_t(cell.row()) < items.size())
            (items[size_t(cell.row())].*kFields[cell.column()]).clear();
    setItems(items);
}

int ItemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size()) + 1;
}

int ItemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant ItemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (size_t(index.row()) >= m_items.size())
        return QString();
    const QString &typed = m_items[size_t(index.row())].*kFields[index.column()];
    // Shown as an Italian reads a number; kept as typed.
    if (role == Qt::DisplayRole && index.column() > kMeasureColumn && typedNumber(typed))
        return QString(typed).replace(u'.', u',');
    return typed;
}

bool ItemsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString().trimmed();
    const size_t row = size_t(index.row());
    if (row == m_items.size()) {
        if (text.isEmpty())
            return false;
        beginInsertRows({}, int(row) + 1, int(row) + 1);
        m_items.emplace_back();
        m_items.back().*kFields[index.column()] = text;
        endInsertRows();
    } else {
        m_items[row].*kFields[index.column()] = text;
    }
    emit dataChanged(index, index);
    emit itemsChanged();
    return true;
}

Qt::ItemFlags ItemsModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant ItemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headerTitle(kTitles.value(section));
}
