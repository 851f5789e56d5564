#include "stretchesmodel.h"

#include "cellsmodel.h"
#include "takeoff/numbers.h"

#include <QFont>
#include <algorithm>

namespace {

// The typed columns' values in a stretch.
constexpr QString Stretch::*kFields[] = {&Stretch::name,     &Stretch::length,  &Stretch::start,  &Stretch::end,
                                        &Stretch::diameter, &Stretch::nominal, &Stretch::section};

// Whether a typed column holds a number: from the length to DN.
bool numberColumn(int column)
{
    return column >= 1 && column <= 5;
}

} // namespace

const std::vector<Stretch> &StretchesModel::stretches() const
{
    return m_stretches;
}

void StretchesModel::setStretches(const std::vector<Stretch> &stretches)
{
    beginResetModel();
    m_stretches = stretches;
    dropEmptyRows();
    endResetModel();
    emit stretchesChanged();
}

void StretchesModel::setResults(const QList<QStringList> &cells)
{
    const int columnsBefore = columnCount();
    const int rowsBefore = rowCount();
    m_results = cells;
    if (columnCount() != columnsBefore || rowCount() != rowsBefore) {
        beginResetModel();
        endResetModel();
        return;
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
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

bool StretchesModel::isTotal(int row) const
{
    return hasTotal() && row == int(m_stretches.size()) + 1;
}

bool StretchesModel::hasTotal() const
{
    return m_results.size() > 1 && !m_stretches.empty();
}

// Stretches emptied go; one empty row stays at the end for the next one.
void StretchesModel::dropEmptyRows()
{
    std::erase_if(m_stretches, [](const Stretch &stretch) { return stretch.isEmpty(); });
}

int StretchesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_stretches.size()) + 1 + (hasTotal() ? 1 : 0);
}

int StretchesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(kTyped, m_results.isEmpty() ? 0 : int(m_results.front().size()));
}

QVariant StretchesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const size_t row = size_t(index.row());
    const bool total = isTotal(index.row());
    if (role == Qt::TextAlignmentRole) {
        const bool left = index.column() == 0 || index.column() == kTyped - 1 || index.column() == columnCount() - 1;
        return QVariant::fromValue(Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignRight));
    }
    if (role == Qt::FontRole && total) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::ToolTipRole && row < m_stretches.size()) {
        const StretchOrigin &origin = m_stretches[row].origin;
        if (!origin.isEmpty())
            return QStringLiteral("da %1 a %2").arg(origin.from, origin.to);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (total)
        return m_results.last().value(index.column());
    if (row >= m_stretches.size())
        return QString();
    if (index.column() < kTyped) {
        const QString &typed = m_stretches[row].*kFields[index.column()];
        // Shown as an Italian reads a number; kept as typed.
        if (role == Qt::DisplayRole && numberColumn(index.column()) && typedNumber(typed))
            return QString(typed).replace(u'.', u',');
        return typed;
    }
    if (m_stretches[row].isEmpty())
        return QString();
    // The results list the stretches that are not empty, in order.
    const auto before = std::count_if(m_stretches.begin(), m_stretches.begin() + qsizetype(row),
                                      [](const Stretch &stretch) { return !stretch.isEmpty(); });
    return m_results.value(int(before) + 1).value(index.column());
}

bool StretchesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() >= kTyped || isTotal(index.row()))
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
    return index.column() < kTyped && !isTotal(index.row()) ? flags | Qt::ItemIsEditable : flags;
}

QVariant StretchesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headerTitle(section < kTyped ? stretchColumns()[section] : m_results.value(0).value(section));
}
