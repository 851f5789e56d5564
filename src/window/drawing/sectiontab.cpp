#include "sectiontab.h"

#include "cellsmodel.h"
#include "sectionpicture.h"
#include "drawingwidgets.h"
#include "takeoff/numbers.h"
#include "takeoff/sectionquantities.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Columns "Area" and "Base (m)" onwards hold numbers.
bool holdsNumbers(int column)
{
    return column == 0 || column >= 3;
}

} // namespace

QStringList problemLines(const SectionDrawing &drawing)
{
    return drawing.problems.isEmpty() ? QStringList{QStringLiteral("Nessun problema rilevato.")} : drawing.problems;
}

// The drawing on the left, what it comes to on its right, the table under both.
SectionTab::SectionTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    layout->addLayout(top, 1);
    m_picture = new SectionPicture;
    top->addWidget(m_picture, 3);
    auto *side = new QVBoxLayout;
    top->addLayout(side, 2);
    m_sum = new QLabel;
    m_sum->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    side->addWidget(m_sum);
    m_unsaved = wrappingLabel(QStringLiteral("La sezione non è salvata nel file: il disegno mostra i valori digitati."));
    m_unsaved->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    m_unsaved->hide();
    side->addWidget(m_unsaved);
    m_problems = problemsBox();
    side->addWidget(headingFor(m_problems, QStringLiteral("Problemi del disegno")));
    side->addWidget(m_problems, 1);

    m_quantities = new CellsModel(this);
    m_quantities->setNumberColumns(holdsNumbers);
    m_quantitiesView = readOnlyTable(m_quantities, QStringLiteral("Quantità per metro di scavo"));
    // The rows' heights follow the width the description gets.
    keepRowsFitted(m_quantitiesView, [this] { return m_quantities->cells(); }, [this] { return m_fit; });
    layout->addWidget(headingFor(m_quantitiesView, QStringLiteral("Quantità per metro di scavo")));
    layout->addWidget(m_quantitiesView);
}

void SectionTab::show(const SectionDrawing &drawing, const ExampleDimensions &dimensions, bool saved,
                      int tableHeight)
{
    m_fit = {1, kRowsInSight, tableHeight};
    m_picture->setDrawing(drawing, dimensions);
    m_sum->setText(QStringLiteral("Somma dei coefficienti di detrazione: %1").arg(italianNumber(drawing.coefficientSum, 2)));
    const SectionQuantities quantities = sectionQuantities(drawing);
    m_quantities->setCells(quantityCells(quantities), quantities.whole);
    fitTable(m_quantitiesView, m_quantities->cells(), m_fit);
    m_unsaved->setVisible(!saved);
    m_problems->setPlainText(problemLines(drawing).join(u'\n'));
}

QString SectionTab::problemsText() const
{
    return m_problems->toPlainText();
}

QString SectionTab::unsavedText() const
{
    return m_unsaved->isVisibleTo(this) ? m_unsaved->text() : QString();
}
