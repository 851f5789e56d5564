#pragma once

#include "job/job.h"
#include "takeoff/depthtable.h"

#include <QWidget>

class CellsModel;
class QLabel;
class QLineEdit;
class QTableView;

// The tab "Profondità" of the drawing window: the quantities depth by
// depth, from "P da" to "a" every "passo" (typed with a comma or a point),
// at first from the example P to 3 m deeper every 0,50 m, following the
// example P until the user types a depth of their own.
class DepthTab : public QWidget
{
    Q_OBJECT

public:
    explicit DepthTab(QWidget *parent = nullptr);

    void show(const TrenchSection &section, const ExampleDimensions &dimensions);

    // The table's rows, none when the boxes give no depths.
    const std::vector<DepthRow> &rows() const { return m_rows; }
    // The table as cells, for the section it was shown with.
    QList<QStringList> cells(const TrenchSection &section, const NumberStyle &style) const;
    QString message() const;
    // The boxes as the user typed them; nothing while they follow P.
    std::optional<DepthBoxes> typedDepths() const;
    // Boxes typed elsewhere (a job opened), or following P again.
    void setTypedDepths(const std::optional<DepthBoxes> &depths);
    QTableView *view() const { return m_view; }

signals:
    void depthsChanged();
    void copyRequested();

private:
    QLineEdit *box(const QString &label, class QHBoxLayout *layout);
    void readDepths();

    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
    QLineEdit *m_step = nullptr;
    bool m_typed = false; // the user has typed in the boxes
    QLabel *m_message = nullptr;
    CellsModel *m_table = nullptr;
    QTableView *m_view = nullptr;
    std::vector<double> m_depths;
    std::vector<DepthRow> m_rows;
};
