#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The table "Quantità per metro di scavo" for its view: the first row of
// cells is the header, the last the row "Totale" (in bold). Read-only;
// numbers right-aligned.
class QuantitiesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCells(const QList<QStringList> &cells);
    const QList<QStringList> &cells() const { return m_cells; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<QStringList> m_cells;
};
