#include "sectionpicture.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <algorithm>

namespace {

// Room around the section for the dimensions, in pixels.
constexpr int kLeft = 80;
constexpr int kRight = 110;
constexpr int kTop = 16;
constexpr int kBottom = 44;
constexpr int kTick = 4;

// Maps metres of the section (x from its axis, y up from the trench
// bottom) to pixels of the widget.
struct Scale
{
    double pixelsPerMetre = 1;
    double axisX = 0;
    double bottomY = 0;

    QPointF at(double x, double y) const { return {axisX + x * pixelsPerMetre, bottomY - y * pixelsPerMetre}; }
};

void verticalDimension(QPainter &painter, double x, double y1, double y2, const QString &text, bool textLeft)
{
    painter.drawLine(QPointF(x, y1), QPointF(x, y2));
    painter.drawLine(QPointF(x - kTick, y1), QPointF(x + kTick, y1));
    painter.drawLine(QPointF(x - kTick, y2), QPointF(x + kTick, y2));
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text);
    const double textX = textLeft ? x - kTick - 2 - width : x + kTick + 2;
    painter.drawText(QPointF(textX, (y1 + y2) / 2 + metrics.ascent() / 2 - 1), text);
}

} // namespace

SectionPicture::SectionPicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Disegno della sezione"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 220);
    auto *copy = new QShortcut(QKeySequence::Copy, this, [this] { QApplication::clipboard()->setImage(grab().toImage()); });
    copy->setContext(Qt::WidgetShortcut);
}

void SectionPicture::setDrawing(const SectionDrawing &drawing, const ExampleDimensions &dimensions)
{
    m_drawing = drawing;
    m_dimensions = dimensions;
    setAccessibleDescription(describe(drawing));
    update();
}

QString SectionPicture::describe(const SectionDrawing &drawing)
{
    if (drawing.areas.empty())
        return QStringLiteral("Nessuna area da disegnare.");
    QStringList areas;
    for (const DrawnArea &area : drawing.areas)
        areas << QStringLiteral("Area %1%2: altezza %3 m, larghezza al piede %4 m, in sommità %5 m.")
                     .arg(QString::number(area.number),
                          area.description.isEmpty() ? QString() : QStringLiteral(", ") + area.description,
                          metres(area.height), metres(area.footWidth), metres(area.topWidth));
    return areas.join(u' ');
}

void SectionPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setFont(font());
    if (m_drawing.areas.empty())
        return;

    // The extent to fit: every width, the bottom width, the pipe, and the
    // depth P below the top.
    double width = std::max(m_dimensions.L, m_drawing.pipeDiameter);
    for (const DrawnArea &area : m_drawing.areas)
        width = std::max({width, area.footWidth, area.topWidth});
    const double lowest = std::min({0.0, m_drawing.top - m_dimensions.P, m_drawing.pipeCentre - m_drawing.pipeDiameter / 2});
    const double highest = std::max(m_drawing.top, m_drawing.pipeCentre + m_drawing.pipeDiameter / 2);
    const double span = std::max(highest - lowest, 1e-9);
    const double across = (this->width() - kLeft - kRight) / std::max(width, 1e-9);
    const double down = (height() - kTop - kBottom) / span;
    Scale scale;
    scale.pixelsPerMetre = std::max(0.0, std::min(across, down));
    scale.axisX = kLeft + (this->width() - kLeft - kRight) / 2.0;
    scale.bottomY = kTop + (height() - kTop - kBottom) / 2.0 + span * scale.pixelsPerMetre / 2 + lowest * scale.pixelsPerMetre;

    const QFontMetricsF metrics(painter.font());
    for (const DrawnArea &area : m_drawing.areas) {
        const double top = area.bottom + area.height;
        const QPolygonF outline{scale.at(-area.footWidth / 2, area.bottom), scale.at(area.footWidth / 2, area.bottom),
                                scale.at(area.topWidth / 2, top), scale.at(-area.topWidth / 2, top)};
        painter.drawPolygon(outline);
        // The number and the description inside, where they fit.
        const QRectF inside = QRectF(scale.at(-std::min(area.footWidth, area.topWidth) / 2, top),
                                     scale.at(std::min(area.footWidth, area.topWidth) / 2, area.bottom))
                                  .adjusted(2, 1, -2, -1);
        QStringList lines{QStringLiteral("AREA %1").arg(area.number)};
        if (!area.description.isEmpty())
            lines << area.description;
        while (!lines.isEmpty() && lines.size() * metrics.height() > inside.height())
            lines.removeLast();
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, inside.width());
        painter.drawText(inside, Qt::AlignCenter, lines.join(u'\n'));
    }

    // The heights on the right, beyond the widest area.
    const double right = scale.at(width / 2, 0).x() + 12;
    for (const DrawnArea &area : m_drawing.areas) {
        const QString text = QStringLiteral("H%1 = %2").arg(area.number).arg(metres(area.height));
        verticalDimension(painter, right, scale.at(0, area.bottom).y(), scale.at(0, area.bottom + area.height).y(),
                          text, false);
    }
    // The bottom width L below the trench bottom.
    const double belowY = scale.at(0, lowest).y() + 14;
    const QPointF l1(scale.at(-m_dimensions.L / 2, 0).x(), belowY);
    const QPointF l2(scale.at(m_dimensions.L / 2, 0).x(), belowY);
    painter.drawLine(l1, l2);
    painter.drawLine(l1 - QPointF(0, kTick), l1 + QPointF(0, kTick));
    painter.drawLine(l2 - QPointF(0, kTick), l2 + QPointF(0, kTick));
    const QString lText = QStringLiteral("L = %1").arg(metres(m_dimensions.L));
    painter.drawText(QPointF(scale.axisX - metrics.horizontalAdvance(lText) / 2, belowY + metrics.height() + 2), lText);
    // The depth P on the left, from the top down to the pipe's bottom.
    const double left = scale.at(-width / 2, 0).x() - 12;
    verticalDimension(painter, left, scale.at(0, m_drawing.top).y(), scale.at(0, m_drawing.top - m_dimensions.P).y(),
                      QStringLiteral("P = %1").arg(metres(m_dimensions.P)), true);
    // The pipe.
    const double radius = m_drawing.pipeDiameter / 2 * scale.pixelsPerMetre;
    painter.drawEllipse(scale.at(0, m_drawing.pipeCentre), radius, radius);
}
