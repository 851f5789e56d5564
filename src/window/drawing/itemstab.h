#pragma once

#include "takeoff/priceitems.h"

#include <QWidget>
#include <vector>

class ItemsModel;
class QPlainTextEdit;
class QTableView;

// The tab "Voci" of the drawing window: the job's own price items, what
// each one measures along the stretches (the excavation by depth band, the
// shoring, the road's surface, its cut, the pipe), typed or pasted from a
// spreadsheet (Ctrl+V, a header row left out; Delete empties the cells
// chosen); "Misura" is chosen from a list. The items whose values do not
// fit their measure are named under the table.
class ItemsTab : public QWidget
{
    Q_OBJECT

public:
    explicit ItemsTab(QWidget *parent = nullptr);

    std::vector<PriceItem> items() const;
    void setItems(const std::vector<PriceItem> &items);
    // The items that measure nothing, and why.
    void showProblems(const QStringList &problems);
    QString problemsText() const;
    QTableView *view() const { return m_view; }
    // Pastes a block of cells at the current cell; what the window tells.
    QString paste(const QString &text);

signals:
    void itemsChanged();
    void told(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ItemsModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QPlainTextEdit *m_problems = nullptr;
};
