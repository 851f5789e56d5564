#include "drawingwindow.h"

#include "dimensionbox.h"
#include "quantitiesmodel.h"
#include "section/sectionclipboard.h"
#include "takeoff/sectionquantities.h"
#include "window/sectionfiledialog.h"
#include "sectionpicture.h"
#include "sectionreport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The image of the drawing for the clipboard: at least twice its size on
// screen and 1600 pixels wide, for a sharp print in a report.
constexpr double kCopyMinimumWidth = 1600;

std::optional<QString> askPdfPath(QWidget *parent)
{
    const QString path = chooseSectionFile(parent, SectionFileChoice::ExportPdf);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

QLabel *headingFor(QWidget *buddy, const QString &text)
{
    auto *heading = new QLabel(text);
    heading->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return heading;
}

} // namespace

DrawingWindow::DrawingWindow(const SectionTable &table, QWidget *parent)
    : QWidget(parent, Qt::Window), m_table(table), m_choosePath(askPdfPath)
{
    setWindowTitle(QStringLiteral("Disegno della sezione"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    layout->addLayout(fields);
    m_width = dimensionField(QStringLiteral("Larghezza di fondo L (m)"), 0.80, 0);
    m_depth = dimensionField(QStringLiteral("Profondità P del fondo tubo (m)"), 1.50, 1);
    m_diameter = dimensionField(QStringLiteral("Diametro tubazione D (m)"), 0.40, 2);
    auto *note = new QLabel(QStringLiteral("L, P e D dipendono dalle sezioni tipo standard e qui servono solo come "
                                           "esempio per il disegno: non sono salvati nel file."));
    note->setWordWrap(true);
    fields->addWidget(note, 0, 2, 3, 1);
    fields->setColumnStretch(2, 1);

    m_picture = new SectionPicture;
    layout->addWidget(m_picture, 1);
    m_sum = new QLabel;
    m_sum->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_sum);

    m_quantities = new QuantitiesModel(this);
    m_quantitiesView = new QTableView;
    m_quantitiesView->setModel(m_quantities);
    m_quantitiesView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_quantitiesView->setTabKeyNavigation(false);
    m_quantitiesView->verticalHeader()->hide();
    layout->addWidget(headingFor(m_quantitiesView, QStringLiteral("Quantità per metro di scavo")));
    layout->addWidget(m_quantitiesView);

    m_problems = new QPlainTextEdit;
    m_problems->setReadOnly(true);
    m_problems->setTabChangesFocus(true);
    m_problems->setMaximumHeight(90);
    m_problems->installEventFilter(this);
    layout->addWidget(headingFor(m_problems, QStringLiteral("Problemi del disegno")));
    layout->addWidget(m_problems);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto button = [&](const QString &text, void (DrawingWindow::*command)()) {
        auto *pushButton = new QPushButton(text);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, command);
        buttons->addWidget(pushButton);
    };
    button(QStringLiteral("Copia disegno"), &DrawingWindow::copyDrawing);
    button(QStringLiteral("Copia quantità"), &DrawingWindow::copyQuantities);
    button(QStringLiteral("Esporta PDF..."), &DrawingWindow::exportPdf);
    m_status = new QLabel;
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buttons->addWidget(m_status, 1);

    // Ctrl+C anywhere in the window copies the drawing; a box with selected
    // text copies that text instead (see eventFilter).
    auto *copy = new QShortcut(QKeySequence::Copy, this, this, &DrawingWindow::copyDrawing);
    copy->setContext(Qt::WindowShortcut);
    resize(820, 720);
}

DimensionBox *DrawingWindow::dimensionField(const QString &label, double value, int row)
{
    auto *grid = static_cast<QGridLayout *>(layout()->itemAt(0)->layout());
    auto *field = new DimensionBox;
    field->setValue(value);
    field->setAccessibleName(label);
    field->installEventFilter(this);
    auto *caption = new QLabel(label);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    connect(field, &QDoubleSpinBox::valueChanged, this, &DrawingWindow::refresh);
    return field;
}

ExampleDimensions DrawingWindow::dimensions() const
{
    return {m_width->value(), m_depth->value(), m_diameter->value()};
}

void DrawingWindow::refresh()
{
    const ExampleDimensions dimensions = this->dimensions();
    const SectionDrawing drawing = drawSection(m_table, dimensions);
    m_picture->setDrawing(drawing, dimensions);
    m_sum->setText(QStringLiteral("Somma dei coefficienti di detrazione: %1").arg(metres(drawing.coefficientSum)));
    m_quantities->setCells(quantityCells(sectionQuantities(drawing)));
    fitQuantitiesView();
    m_problems->setPlainText(drawing.problems.isEmpty() ? QStringLiteral("Nessun problema rilevato.")
                                                        : drawing.problems.join(u'\n'));
}

// The table as high as its rows, up to kShownRows (a scroll bar beyond),
// each column as wide as its longest text and the description taking what
// is left, in the window's font. The longest text is the one of the most
// characters, as the digits of the numbers are of one width: measured once
// a column rather than cell by cell, which a hundred areas make slow.
void DrawingWindow::fitQuantitiesView()
{
    constexpr int kShownRows = 6;
    constexpr int kPadding = 14; // the cell's margins and grid line
    const QList<QStringList> &cells = m_quantities->cells();
    QHeaderView *header = m_quantitiesView->horizontalHeader();
    const QFontMetrics metrics = m_quantitiesView->fontMetrics();
    QFont bold = m_quantitiesView->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold); // the row "Totale"
    for (int column = 0; column < m_quantities->columnCount(); ++column) {
        if (column == 1) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
            continue;
        }
        QString longest;
        for (qsizetype row = 0; row + 1 < cells.size(); ++row)
            if (cells[row].value(column).size() > longest.size())
                longest = cells[row].value(column);
        header->resizeSection(column, std::max(metrics.horizontalAdvance(longest),
                                               boldMetrics.horizontalAdvance(cells.back().value(column)))
                                          + kPadding);
    }
    const int rowHeight = metrics.height() + 6;
    m_quantitiesView->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int rows = std::min(m_quantities->rowCount(), kShownRows);
    m_quantitiesView->setFixedHeight(header->sizeHint().height() + rows * rowHeight
                                     + 2 * m_quantitiesView->frameWidth());
}

QString DrawingWindow::problemsText() const
{
    return m_problems->toPlainText();
}

QString DrawingWindow::statusText() const
{
    return m_status->text();
}

void DrawingWindow::copyDrawing()
{
    const double factor = std::max(2.0, kCopyMinimumWidth / std::max(1, m_picture->width()));
    const QImage image = m_picture->image(factor);
    QApplication::clipboard()->setImage(image);
    m_status->setText(QStringLiteral("Disegno copiato negli appunti (%1 × %2 pixel).")
                          .arg(image.width())
                          .arg(image.height()));
}

void DrawingWindow::copyQuantities()
{
    QApplication::clipboard()->setText(cellsAsText(m_quantities->cells()));
    m_status->setText(QStringLiteral("Quantità copiate negli appunti."));
}

void DrawingWindow::exportPdf()
{
    const std::optional<QString> path = m_choosePath(this);
    if (!path)
        return;
    const std::optional<QString> failure =
        writeSectionReport(*path, m_table, dimensions(), QDate::currentDate(), m_picture->font());
    m_status->setText(failure ? *failure : QStringLiteral("PDF salvato in %1.").arg(QDir::toNativeSeparators(*path)));
}

// Ctrl+C in a dimension box or in the problems copies their selected text,
// as everywhere; with nothing selected there it is the window's, the drawing.
bool DrawingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        const bool selected = watched == m_problems ? m_problems->textCursor().hasSelection()
                                                    : static_cast<DimensionBox *>(watched)->hasSelectedText();
        // Accepted, the key goes to the box (the read-only problems would
        // leave it to the window); ignored, to the window.
        event->setAccepted(selected);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
