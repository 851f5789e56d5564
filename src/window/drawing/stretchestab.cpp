#include "stretchestab.h"

#include "cellsmodel.h"
#include "section/sectionclipboard.h"
#include "stretchesmodel.h"
#include "drawingwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The least widths of the columns typed into, room for a name or a number
// being typed: "Tratto" to "P fine (m)", "D (m)", "DN", "Sezione".
constexpr int kTypedWidths[] = {90, 80, 80, 80, 60, 50, 90};

} // namespace

StretchesTab::StretchesTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_stretches = new StretchesModel(this);
    m_stretchesView = new QTableView;
    m_stretchesView->setModel(m_stretches);
    m_stretchesView->setTabKeyNavigation(false);
    m_stretchesView->verticalHeader()->hide();
    m_stretchesView->installEventFilter(this);
    // The heading, and the imports of the office's data on its right.
    auto *top = new QHBoxLayout;
    layout->addLayout(top);
    top->addWidget(headingFor(m_stretchesView, QStringLiteral("Tratti")));
    top->addStretch(1);
    for (const auto &[text, signal] :
         {std::pair(QStringLiteral("Importa pozzetti..."), &StretchesTab::importManholesRequested),
          std::pair(QStringLiteral("Incolla pozzetti"), &StretchesTab::pasteManholesRequested),
          std::pair(QStringLiteral("Importa da SWMM..."), &StretchesTab::importSwmmRequested)}) {
        QPushButton *pushButton = commandButton(text);
        connect(pushButton, &QPushButton::clicked, this, signal);
        top->addWidget(pushButton);
    }
    layout->addWidget(m_stretchesView, 2);
    m_excluded = wrappingLabel();
    m_excluded->hide();
    layout->addWidget(m_excluded);
    connect(m_stretches, &StretchesModel::stretchesChanged, this, &StretchesTab::stretchesChanged);

    m_totals = new CellsModel(this);
    m_totals->setNumberColumns([](int column) { return column == 3; });
    m_totalsView = readOnlyTable(m_totals, QStringLiteral("Quantità dei tratti per voce"));
    keepRowsFitted(m_totalsView, [this] { return m_totals->cells(); }, [] { return TableFit{1}; });
    layout->addWidget(headingFor(m_totalsView, QStringLiteral("Quantità dei tratti per voce")));
    layout->addWidget(m_totalsView, 1);

    m_problems = problemsBox();
    m_problems->setMaximumHeight(70);
    layout->addWidget(headingFor(m_problems, QStringLiteral("Problemi dei tratti")));
    layout->addWidget(m_problems);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    for (const auto &[text, signal] : {std::pair(QStringLiteral("Copia tratti"), &StretchesTab::copyRequested),
                                       std::pair(QStringLiteral("Esporta XPWE..."), &StretchesTab::exportRequested)}) {
        QPushButton *pushButton = commandButton(text);
        connect(pushButton, &QPushButton::clicked, this, signal);
        buttons->addWidget(pushButton);
    }
    QPushButton *section = commandButton(QStringLiteral("Sezione del tratto..."));
    connect(section, &QPushButton::clicked, this, [this] { emit sectionRequested(currentStretchRow()); });
    buttons->addWidget(section);
    buttons->addStretch(1);
}

void StretchesTab::show(const TrenchSection &edited, double L, const PipeSize &pipe, const SectionFinder &findSection,
                        const std::vector<PriceItem> &items)
{
    m_takeoff = stretchTakeoff(edited, L, pipe, m_stretches->stretches(), findSection, items);
    const QList<QStringList> cells = stretchCells(m_takeoff);
    m_stretches->setResults(cells);
    fitTable(m_stretchesView, cells);
    // The columns typed into have room for a name or a number being typed.
    QHeaderView *header = m_stretchesView->horizontalHeader();
    for (int column = 0; column < StretchesModel::kTyped && column < header->count(); ++column)
        header->resizeSection(column, std::max(header->sectionSize(column), kTypedWidths[column]));
    m_excluded->setText(m_takeoff.excludedText());
    m_excluded->setVisible(!m_excluded->text().isEmpty());
    m_totals->setCells(codeTotalCells(m_takeoff));
    fitTable(m_totalsView, m_totals->cells(), {1});
    m_problems->setPlainText(m_takeoff.problemLines().join(u'\n'));
}

std::vector<Stretch> StretchesTab::stretches() const
{
    return m_stretches->stretches();
}

void StretchesTab::setStretches(const std::vector<Stretch> &stretches)
{
    m_stretches->setStretches(stretches);
}

int StretchesTab::currentStretchRow() const
{
    const QModelIndex at = m_stretchesView->currentIndex();
    const int count = int(m_stretches->stretches().size());
    return at.isValid() && at.row() <= count ? at.row() : count;
}

void StretchesTab::setSection(int row, const QString &file)
{
    m_stretches->setData(m_stretches->index(row, StretchesModel::kTyped - 1), file, Qt::EditRole);
}

QString StretchesTab::excludedText() const
{
    return m_excluded->isVisibleTo(this) ? m_excluded->text() : QString();
}

QString StretchesTab::problemsText() const
{
    return m_problems->toPlainText();
}

QString StretchesTab::paste(const QString &text)
{
    const QModelIndex at = m_stretchesView->currentIndex();
    const int column = at.isValid() ? at.column() : 0;
    if (column >= StretchesModel::kTyped)
        return QStringLiteral("Incollare i tratti nelle colonne da «Tratto» a «Sezione».");
    const PastedStretches pasted = pastedStretches(cellBlock(text), column);
    if (!pasted.refusal.isEmpty())
        return pasted.refusal;
    const int row = at.isValid() && !m_stretches->isTotal(at.row()) ? at.row() : int(m_stretches->stretches().size());
    m_stretches->put(row, column, pasted.rows);
    return pasted.told;
}

// Ctrl+V pastes a block from a spreadsheet; Delete empties the cells chosen.
bool StretchesTab::eventFilter(QObject *watched, QEvent *event)
{
    // (While a cell is being edited, its editor has the keys.)
    if (watched == m_stretchesView && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            emit told(paste(QApplication::clipboard()->text()));
            return true;
        }
        if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace) {
            m_stretches->clear(m_stretchesView->selectionModel()->selectedIndexes());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
