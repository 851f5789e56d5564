#pragma once

#include "takeoff/stretches.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The stretches of the job as the user types them, a row each, with an
// empty row below them for the next one and the row "Totale" last: the
// typed columns ("Tratto" to "Sezione") as typed, a number shown with a
// decimal comma, then the quantities worked out for each (read-only), set
// from outside whenever the stretches or the sections change.
class StretchesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kTyped = 7; // the columns the user types

    using QAbstractTableModel::QAbstractTableModel;

    // The stretches typed, without the empty row below them (one emptied
    // by an edit stays until the next paste or deletion).
    const std::vector<Stretch> &stretches() const;
    // Replaces them all.
    void setStretches(const std::vector<Stretch> &stretches);
    // The table of the stretches as stretchCells gives it: its header, for
    // each stretch given its quantities from column kTyped on, and "Totale".
    void setResults(const QList<QStringList> &cells);
    // Values put from (row, column) rightwards and downwards, as a paste
    // does; rows beyond the last stretch add stretches.
    void put(int row, int column, const QList<QStringList> &values);
    // Empties the typed cells given; stretches left empty go.
    void clear(const QModelIndexList &cells);
    // Whether row is the row "Totale".
    bool isTotal(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void stretchesChanged();

private:
    bool hasTotal() const;
    void dropEmptyRows();

    std::vector<Stretch> m_stretches;
    QList<QStringList> m_results;
};
