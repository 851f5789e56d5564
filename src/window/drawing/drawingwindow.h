#pragma once

#include "takeoff/sectiondrawing.h"

#include <QWidget>
#include <functional>
#include <optional>

class DimensionBox;
class QLabel;
class QPlainTextEdit;
class QTableView;
class QuantitiesModel;
class SectionPicture;

// The window "Disegno della sezione": the example dimensions L, P and D,
// the section drawn to scale with them, the sum of the coefficients of
// deduction, the quantities per metre of trench, and what cannot be drawn;
// buttons copy the drawing (Ctrl+C too) and the quantities, and export it
// all as a PDF. Not modal: it follows the table it is given whenever
// refresh() is called.
class DrawingWindow : public QWidget
{
    Q_OBJECT

public:
    // Asks where to export the PDF; nothing when the user cancels.
    using PathChooser = std::function<std::optional<QString>(QWidget *parent)>;

    DrawingWindow(const SectionTable &table, QWidget *parent);

    // Draws the table as it stands now.
    void refresh();

    // Replaces the file dialog "Esporta PDF" (for tests).
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

    const SectionPicture &picture() const { return *m_picture; }
    QString problemsText() const;
    QString statusText() const;

    // The buttons' commands.
    void copyDrawing();
    void copyQuantities();
    void exportPdf();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DimensionBox *dimensionField(const QString &label, double value, int row);
    ExampleDimensions dimensions() const;
    void fitQuantitiesView();

    const SectionTable &m_table;
    DimensionBox *m_width = nullptr;
    DimensionBox *m_depth = nullptr;
    DimensionBox *m_diameter = nullptr;
    SectionPicture *m_picture = nullptr;
    QLabel *m_sum = nullptr;
    QuantitiesModel *m_quantities = nullptr;
    QTableView *m_quantitiesView = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    QLabel *m_status = nullptr;
    PathChooser m_choosePath;
};
