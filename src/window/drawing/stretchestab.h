#pragma once

#include "takeoff/stretches.h"

#include <QWidget>

class CellsModel;
class QPlainTextEdit;
class QTableView;
class StretchesModel;

// The tab "Tratti" of the drawing window: the stretches of the job, typed
// or pasted from a spreadsheet, each with its quantities, the totals per
// price code, and the stretches left out of them; buttons copy both tables
// and export them as XPWE. The stretches live as long as the window.
class StretchesTab : public QWidget
{
    Q_OBJECT

public:
    explicit StretchesTab(QWidget *parent = nullptr);

    void show(const TrenchSection &section, const ExampleDimensions &dimensions);

    std::vector<Stretch> stretches() const;
    const StretchTakeoff &takeoff() const { return m_takeoff; }
    QString problemsText() const;
    QTableView *stretchesView() const { return m_stretchesView; }
    QTableView *totalsView() const { return m_totalsView; }
    // Pastes a block of cells at the current cell of the stretches (Ctrl+V
    // there); returns what the window tells, if anything.
    QString paste(const QString &text);

signals:
    void stretchesChanged();
    void copyRequested();
    void exportRequested();
    void told(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    StretchesModel *m_stretches = nullptr;
    QTableView *m_stretchesView = nullptr;
    CellsModel *m_totals = nullptr;
    QTableView *m_totalsView = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    StretchTakeoff m_takeoff;
};
