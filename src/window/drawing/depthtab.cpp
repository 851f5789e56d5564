#include "depthtab.h"

#include "cellsmodel.h"
#include "drawingwidgets.h"
#include "takeoff/numbers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

DepthTab::DepthTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *boxes = new QHBoxLayout;
    layout->addLayout(boxes);
    m_from = box(QStringLiteral("P da"), boxes);
    m_to = box(QStringLiteral("a"), boxes);
    m_step = box(QStringLiteral("passo"), boxes);
    m_step->setText(italianNumber(0.50, 2));
    QPushButton *copy = commandButton(QStringLiteral("Copia profondità"));
    connect(copy, &QPushButton::clicked, this, &DepthTab::copyRequested);
    boxes->addStretch(1);
    boxes->addWidget(copy);

    m_message = wrappingLabel();
    m_message->hide();
    layout->addWidget(m_message);
    m_table = new CellsModel(this);
    m_table->setNumberColumns([](int) { return true; });
    m_view = readOnlyTable(m_table, QStringLiteral("Quantità per profondità"));
    layout->addWidget(headingFor(m_view, QStringLiteral("Quantità per profondità")));
    layout->addWidget(m_view, 1);
}

QLineEdit *DepthTab::box(const QString &label, QHBoxLayout *layout)
{
    auto *field = new QLineEdit;
    field->setMaximumWidth(80);
    auto *caption = new QLabel(label);
    caption->setBuddy(field);
    field->setAccessibleName(label);
    layout->addWidget(caption);
    layout->addWidget(field);
    connect(field, &QLineEdit::textEdited, this, [this] {
        m_typed = true;
        emit depthsChanged();
    });
    return field;
}

void DepthTab::show(const TrenchSection &section, const ExampleDimensions &dimensions)
{
    if (!m_typed) {
        m_from->setText(italianNumber(dimensions.P, 2));
        m_to->setText(italianNumber(dimensions.P + 3, 2));
    }
    readDepths();
    m_rows.clear();
    m_rows.reserve(m_depths.size());
    for (const double P : m_depths)
        m_rows.push_back(depthRow(section, {dimensions.L, P, dimensions.D, dimensions.DN}));
    m_table->setCells(cells(section, NumberStyle::shown()));
    fitTable(m_view, m_table->cells());
    // A bottom narrower than UNI EN 1610 asks, a net volume below zero and
    // a coefficient of deduction that differs from the pipe's share are
    // marked where they are.
    QHash<std::pair<int, int>, QString> marked;
    bool belowZero = false;
    for (const MarkedCell &cell : depthMarks(section, dimensions.L, m_rows)) {
        QString &why = marked[{cell.row, cell.column}];
        why = why.isEmpty() ? cell.why : why + QStringLiteral("; ") + cell.why;
        belowZero = belowZero || cell.mark == DepthMark::BelowZero;
    }
    m_table->setMarked(marked);
    if (m_message->isHidden() && belowZero) {
        m_message->setText(QStringLiteral("Alcuni volumi netti risultano negativi: la detrazione del tubo supera il "
                                          "volume dell'area."));
        m_message->show();
    }
}

void DepthTab::readDepths()
{
    m_depths.clear();
    const std::pair<QLineEdit *, QString> boxes[] = {
        {m_from, QStringLiteral("P da")}, {m_to, QStringLiteral("a")}, {m_step, QStringLiteral("passo")}};
    double values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> value = typedNumber(boxes[i].first->text());
        if (!value) {
            m_message->setText(QStringLiteral("Il valore «%1» di «%2» non è un numero.")
                                   .arg(boxes[i].first->text(), boxes[i].second));
            m_message->show();
            return;
        }
        values[i] = *value;
    }
    const DepthSteps steps = depthSteps(values[0], values[1], values[2]);
    m_message->setText(steps.problem);
    m_message->setVisible(!steps.problem.isEmpty());
    m_depths = steps.depths;
}

QList<QStringList> DepthTab::cells(const TrenchSection &section, const NumberStyle &style) const
{
    return m_rows.empty() ? QList<QStringList>{} : depthCells(section, m_rows, style);
}

std::optional<DepthBoxes> DepthTab::typedDepths() const
{
    if (!m_typed)
        return std::nullopt;
    return DepthBoxes{m_from->text(), m_to->text(), m_step->text()};
}

void DepthTab::setTypedDepths(const std::optional<DepthBoxes> &depths)
{
    m_typed = depths.has_value();
    if (depths) {
        m_from->setText(depths->from);
        m_to->setText(depths->to);
        m_step->setText(depths->step);
    } else {
        m_step->setText(italianNumber(0.50, 2)); // from and to follow P at the next show
    }
    emit depthsChanged();
}

QString DepthTab::message() const
{
    return m_message->isVisibleTo(this) ? m_message->text() : QString();
}
