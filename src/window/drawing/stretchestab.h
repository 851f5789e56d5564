#pragma once

#include "takeoff/stretches.h"

#include <QWidget>

class CellsModel;
class QPlainTextEdit;
class QTableView;
class StretchesModel;

// The tab "Tratti" of the drawing window: the stretches of the job, typed
// or pasted from a spreadsheet, each with its own pipe and section where it
// gives them and its quantities, their total and the length left out, the
// totals per price code, and the stretches left out of them or whose pipe
// contradicts their section; buttons import stretches from a table of
// manholes or a sewer model, copy both tables and export them as XPWE.
class StretchesTab : public QWidget
{
    Q_OBJECT

public:
    explicit StretchesTab(QWidget *parent = nullptr);

    // Measures the stretches: the section being edited and the window's
    // pipe where a stretch gives none, the sections of files through findSection.
    void show(const TrenchSection &edited, double L, const PipeSize &pipe, const SectionFinder &findSection,
              const std::vector<PriceItem> &items = {});

    std::vector<Stretch> stretches() const;
    void setStretches(const std::vector<Stretch> &stretches);
    // The stretch of the current row (the empty row below them: a new one).
    int currentStretchRow() const;
    // Puts a section's file in a stretch's "Sezione".
    void setSection(int row, const QString &file);
    const StretchTakeoff &takeoff() const { return m_takeoff; }
    QString problemsText() const;
    // "Lunghezza esclusa dai totali: ...", or nothing.
    QString excludedText() const;
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
    // "Sezione del tratto..." for the stretch of a row.
    void sectionRequested(int row);
    void importManholesRequested();
    void pasteManholesRequested();
    void importSwmmRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    StretchesModel *m_stretches = nullptr;
    QTableView *m_stretchesView = nullptr;
    CellsModel *m_totals = nullptr;
    QTableView *m_totalsView = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    class QLabel *m_excluded = nullptr;
    StretchTakeoff m_takeoff;
};
