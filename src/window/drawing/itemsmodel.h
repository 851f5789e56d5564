#pragma once

#include "takeoff/priceitems.h"

#include <QAbstractTableModel>
#include <vector>

// The job's own price items as the user types them, a row each, with an
// empty row below them for the next one: "Voce", "Descrizione", "Misura",
// "Profondità da (m)", "Profondità a (m)", "Margine (m)", as typed, a
// number shown with a decimal comma.
class ItemsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumns = 6;
    static constexpr int kMeasureColumn = 2;

    using QAbstractTableModel::QAbstractTableModel;

    const std::vector<PriceItem> &items() const { return m_items; }
    void setItems(const std::vector<PriceItem> &items);
    // Values put from (row, column) rightwards and downwards, as a paste
    // does; rows beyond the last item add items.
    void put(int row, int column, const QList<QStringList> &values);
    // Empties the cells given; items left empty go.
    void clear(const QModelIndexList &cells);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void itemsChanged();

private:
    void changed();

    std::vector<PriceItem> m_items;
};
