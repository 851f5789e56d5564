#include "drawingwindow.h"

#include "dimensionbox.h"
#include "sectionpicture.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

DrawingWindow::DrawingWindow(const SectionTable &table, QWidget *parent)
    : QWidget(parent, Qt::Window), m_table(table)
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
    auto *heading = new QLabel(QStringLiteral("Problemi del disegno"));
    layout->addWidget(heading);
    m_problems = new QPlainTextEdit;
    m_problems->setReadOnly(true);
    m_problems->setTabChangesFocus(true);
    m_problems->setMaximumHeight(90);
    m_problems->setAccessibleName(heading->text());
    heading->setBuddy(m_problems);
    layout->addWidget(m_problems);
    resize(640, 600);
}

DimensionBox *DrawingWindow::dimensionField(const QString &label, double value, int row)
{
    auto *grid = static_cast<QGridLayout *>(layout()->itemAt(0)->layout());
    auto *field = new DimensionBox;
    field->setValue(value);
    field->setAccessibleName(label);
    auto *caption = new QLabel(label);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    connect(field, &QDoubleSpinBox::valueChanged, this, &DrawingWindow::refresh);
    return field;
}

void DrawingWindow::refresh()
{
    const ExampleDimensions dimensions{m_width->value(), m_depth->value(), m_diameter->value()};
    const SectionDrawing drawing = drawSection(m_table, dimensions);
    m_picture->setDrawing(drawing, dimensions);
    m_sum->setText(QStringLiteral("Somma dei coefficienti di detrazione: %1").arg(metres(drawing.coefficientSum)));
    m_problems->setPlainText(drawing.problems.isEmpty() ? QStringLiteral("Nessun problema rilevato.")
                                                        : drawing.problems.join(u'\n'));
}

QString DrawingWindow::problemsText() const
{
    return m_problems->toPlainText();
}
