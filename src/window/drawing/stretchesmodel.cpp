#include "stretchesmodel.h"

#include "cellsmodel.h"

#include <algorithm>

namespace {

const QStringList kTypedTitles{QStringLiteral("Tratto"), QStringLiteral("Lunghezza (m)"), QStringLiteral("P inizio (m)"),
                               QStringLiteral("P fine (m)")};

// The typed columns' values in a stretch.
constexpr QString Stretch::*kFields[] = {&Stretch::name, &Stretch::length, &Stretch::start, &Stretch::end};

} // namespace

const std::vector<Stretch> &StretchesModel::stretches() const
{
    return m_stretches;
}

void StretchesModel::setResults(const QList<QStringList> &cells)
{
    const int columnsBefore = columnCount();
    m_results = cells;
    if (columnCount() != columnsBefore) {
        beginResetModel();
        endResetModel();
        return;
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, kTyped), index(rowCount() - 1, columnCount() - 1));
}

void StretchesModel::put(int row, int column, const QList<QStringList> &values)
{
    beginResetModel();
    for (qsizetype r = 0; r < values.size(); ++r) {
        const size_t at = size_t(row + r);
        if (at >= m_stretches.size())
            m_stretches.resize(at + 1);
        for (qsizetype c = 0; c < values[r].size() && column + c < kTyped; ++c)
            m_stretches[at].*kFields[column + c] = values[r][c].trimmed();
    }
    dropEmptyRows();
    endResetModel();
    emit stretchesChanged();
}

void StretchesModel::clear(const QModelIndexList &cells)
{
    beginResetModel();
    for (const QModelIndex &cell : cells)
        if (cell.column() < kTyped && size_t(cell.row()) < m_stretches.size())
            (m_stretches[size_t(cell.row())].*kFields[cell.column()]).clear();
    dropEmptyRows();
    endResetModel();
    emit stretchesChanged();
}

// Stretches emptied go; one empty row stays at the end for the next one.
void StretchesModel::dropEmptyRows()
{
    std::erase_if(m_stretches, [](const Stretch &stretch) { return stretch.isEmpty(); });
}

int StretchesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_stretches.size()) + 1;
}

int StretchesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(kTyped, m_results.isEmpty() ? 0 : int(m_results.front().size()));
}

QVariant StretchesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
    const size_t row = size_t(index.row());
    if (row >= m_stretches.size())
        return QString();
    if (index.column() < kTyped)
        return m_stretches[row].*kFields[index.column()];
    if (m_stretches[row].isEmpty())
        return QString();
    // The results list the stretches that are not empty, in order.
    const auto before = std::count_if(m_stretches.begin(), m_stretches.begin() + qsizetype(row),
                                      [](const Stretch &stretch) { return !stretch.isEmpty(); });
    return m_results.value(int(before) + 1).value(index.column());
}

bool StretchesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() >= kTyped)
        return false;
    const QString text = value.toString().trimmed();
    const size_t row = size_t(index.row());
    // An edit keeps the rows where they are (the view is committing it);
    // a stretch emptied goes at the next paste or deletion.
    if (row == m_stretches.size()) {
        if (text.isEmpty())
            return false;
        beginInsertRows({}, int(row) + 1, int(row) + 1);
        m_stretches.emplace_back();
        m_stretches.back().*kFields[index.column()] = text;
        endInsertRows();
    } else {
        m_stretches[row].*kFields[index.column()] = text;
    }
    emit dataChanged(this->index(int(row), 0), this->index(int(row), columnCount() - 1));
    emit stretchesChanged();
    return true;
}

Qt::ItemFlags StretchesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() < kTyped ? flags | Qt::ItemIsEditable : flags;
}

QVariant StretchesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headerTitle(section < kTyped ? kTypedTitles[section] : m_results.value(0).value(section));
}
