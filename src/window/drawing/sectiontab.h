#pragma once

#include "drawingwidgets.h"
#include "takeoff/sectiondrawing.h"

#include <QWidget>

class CellsModel;
class QLabel;
class QPlainTextEdit;
class QTableView;
class SectionPicture;

// The tab "Sezione" of the drawing window: the section drawn, the sum of
// the coefficients of deduction, the table "Quantità per metro di scavo",
// a line when the section is not in the file, and the problems.
class SectionTab : public QWidget
{
    Q_OBJECT

public:
    // Up to ten areas and "Totale", the table shows every row.
    static constexpr int kRowsInSight = 11;

    explicit SectionTab(QWidget *parent = nullptr);

    // saved: the file holds the section drawn. tableHeight: the most the
    // table of quantities may take on the screen (0: what its rows need).
    void show(const SectionDrawing &drawing, const ExampleDimensions &dimensions, bool saved, int tableHeight = 0);

    const SectionPicture &picture() const { return *m_picture; }
    QPlainTextEdit *problems() const { return m_problems; }
    QString problemsText() const;
    QString unsavedText() const;
    QTableView *quantitiesView() const { return m_quantitiesView; }

private:
    SectionPicture *m_picture = nullptr;
    QLabel *m_sum = nullptr;
    CellsModel *m_quantities = nullptr;
    QTableView *m_quantitiesView = nullptr;
    QLabel *m_unsaved = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    TableFit m_fit;
};

// The problems as the window and the report list them.
QStringList problemLines(const SectionDrawing &drawing);
