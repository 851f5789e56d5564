#include "sectionpicture.h"

#include "labellayout.h"

#include <QPainter>
#include <algorithm>

namespace {

// Room around the section for the dimensions, in pixels.
constexpr int kLeft = 80;
constexpr int kRight = 110;
constexpr int kBesideRoom = 150; // more on the right when labels move beside their areas
constexpr int kTop = 16;
constexpr int kBottom = 44; // more when area 1's bottom width is dimensioned too
constexpr int kTick = 4;
constexpr int kGap = 12;    // between the section and a dimension line
constexpr int kLeader = 8;  // the run of the line to a text moved off its place

// Maps metres of the section (x from its axis, y up from the trench
// bottom) to pixels of the widget.
struct Scale
{
    double pixelsPerMetre = 1;
    double axisX = 0;
    double bottomY = 0;

    QPointF at(double x, double y) const { return {axisX + x * pixelsPerMetre, bottomY - y * pixelsPerMetre}; }
};

// What is drawn, in metres: every width, the bottom width, the pipe, and
// the depth P below the top.
struct Extent
{
    double width = 0;
    double lowest = 0;
    double highest = 0;

    Extent(const SectionDrawing &drawing, const ExampleDimensions &dimensions)
    {
        width = std::max(dimensions.L, drawing.pipeDiameter);
        for (const DrawnArea &area : drawing.areas)
            width = std::max({width, area.footWidth, area.topWidth});
        width = std::max(width, 1e-9);
        lowest = std::min({0.0, drawing.top - dimensions.P, drawing.pipeCentre - drawing.pipeDiameter / 2});
        highest = std::max(drawing.top, drawing.pipeCentre + drawing.pipeDiameter / 2);
    }
    double span() const { return std::max(highest - lowest, 1e-9); }
};

bool dimensionsAreaOneBase(const SectionDrawing &drawing, const ExampleDimensions &dimensions)
{
    return !drawing.areas.empty() && std::abs(drawing.areas.front().footWidth - dimensions.L) >= kNothing;
}

// The room inside an area for its number and description.
QRectF inside(const DrawnArea &area, const Scale &scale)
{
    const double narrower = std::min(area.footWidth, area.topWidth);
    return QRectF(scale.at(-narrower / 2, area.bottom + area.height), scale.at(narrower / 2, area.bottom))
        .adjusted(2, 1, -2, -1);
}

QString areaTitle(const DrawnArea &area)
{
    return QStringLiteral("AREA %1").arg(area.number);
}

// The room around the section that a drawing's texts need: each area's
// text on the right is its height and, when they do not fit inside the
// area, its number and description.
class Layout
{
public:
    Layout(const QFont &font, const SectionDrawing &drawing, const ExampleDimensions &dimensions)
        : metrics(font), extent(drawing, dimensions),
          bottom(kBottom + (dimensionsAreaOneBase(drawing, dimensions) ? metrics.height() + 14 : 0)),
          m_drawing(drawing)
    {
    }

    bool fitsInside(const DrawnArea &area, double pixelsPerMetre) const
    {
        const QRectF room = inside(area, Scale{pixelsPerMetre, 0, 0});
        return metrics.height() <= room.height() && metrics.horizontalAdvance(areaTitle(area)) <= room.width();
    }
    double rightRoom(double pixelsPerMetre) const
    {
        for (const DrawnArea &area : m_drawing.areas)
            if (area.hasHeight() && !fitsInside(area, pixelsPerMetre))
                return kRight + kBesideRoom;
        return kRight;
    }
    // The text beside an area, cut to width.
    QString besideText(const DrawnArea &area, double pixelsPerMetre, double width) const
    {
        QString text = QStringLiteral("H%1 = %2").arg(area.number).arg(metres(area.height));
        if (!fitsInside(area, pixelsPerMetre)) {
            text += QStringLiteral(" – ") + areaTitle(area);
            if (!area.description.isEmpty())
                text += u' ' + area.description;
        }
        return metrics.elidedText(text, Qt::ElideRight, width);
    }
    // Labels moved beside their areas need more room on the right, which
    // makes the drawing smaller.
    double scaleToFit(const QSizeF &size) const
    {
        const double pixelsPerMetre = fittedScale(size, kRight);
        return rightRoom(pixelsPerMetre) > kRight ? fittedScale(size, kRight + kBesideRoom) : pixelsPerMetre;
    }

    const QFontMetricsF metrics;
    const Extent extent;
    const double bottom; // the room below the section

private:
    double fittedScale(const QSizeF &size, double right) const
    {
        const double across = (size.width() - kLeft - right) / extent.width;
        const double down = (size.height() - kTop - bottom) / extent.span();
        return std::max(0.0, std::min(across, down));
    }

    const SectionDrawing &m_drawing;
};

void verticalDimension(QPainter &painter, double x, double y1, double y2, const QString &text, bool textLeft)
{
    painter.drawLine(QPointF(x, y1), QPointF(x, y2));
    painter.drawLine(QPointF(x - kTick, y1), QPointF(x + kTick, y1));
    painter.drawLine(QPointF(x - kTick, y2), QPointF(x + kTick, y2));
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text);
    const double textX = textLeft ? x - kTick - 2 - width : x + kTick + 2;
    painter.drawText(QPointF(textX, (y1 + y2) / 2 + metrics.ascent() / 2 - 1), text);
}

// A width dimensioned below the section, its text under the line.
void horizontalDimension(QPainter &painter, const Scale &scale, double y, double width, const QString &text)
{
    const QPointF from(scale.at(-width / 2, 0).x(), y);
    const QPointF to(scale.at(width / 2, 0).x(), y);
    painter.drawLine(from, to);
    painter.drawLine(from - QPointF(0, kTick), from + QPointF(0, kTick));
    painter.drawLine(to - QPointF(0, kTick), to + QPointF(0, kTick));
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(scale.axisX - metrics.horizontalAdvance(text) / 2, y + metrics.height() + 2), text);
}

// The heights on the right, beyond the widest area, each with its text;
// the texts spread so that none covers another, a short line leading to
// each one moved off the middle of its area.
void heightDimensions(QPainter &painter, const QRectF &room, const Scale &scale, const SectionDrawing &drawing,
                      const Layout &layout, double right, double textWidth)
{
    std::vector<const DrawnArea *> shown;
    std::vector<double> middles;
    for (const DrawnArea &area : drawing.areas) {
        if (!area.hasHeight())
            continue;
        verticalDimension(painter, right, scale.at(0, area.bottom).y(), scale.at(0, area.bottom + area.height).y(),
                          QString(), false);
        shown.push_back(&area);
        middles.push_back(scale.at(0, area.bottom + area.height / 2).y());
    }
    const double lineHeight = layout.metrics.height();
    const std::vector<std::optional<double>> centres = spreadLabels(middles, lineHeight, room.top(), room.bottom());
    for (size_t i = 0; i < shown.size(); ++i) {
        if (!centres[i])
            continue;
        double x = right + kTick + 2;
        if (std::abs(*centres[i] - middles[i]) > 1) {
            painter.drawLine(QPointF(right + 1, middles[i]), QPointF(right + kTick + kLeader, *centres[i]));
            x += kLeader;
        }
        painter.drawText(QPointF(x, *centres[i] + layout.metrics.ascent() / 2 - 1),
                         layout.besideText(*shown[i], scale.pixelsPerMetre, textWidth));
    }
}

} // namespace

SectionPicture::SectionPicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Disegno della sezione"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 220);
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

QImage SectionPicture::image(double factor) const
{
    QImage image((QSizeF(size()) * factor).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(factor);
    {
        QPainter painter(&image);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size())), font(), m_drawing, m_dimensions);
    }
    image.setDevicePixelRatio(1);
    return image;
}

void SectionPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect(), font(), m_drawing, m_dimensions);
}

QSizeF SectionPicture::sizeAt(const QFont &font, const SectionDrawing &drawing, const ExampleDimensions &dimensions,
                              double pixelsPerMetre)
{
    const Layout layout(font, drawing, dimensions);
    return {kLeft + layout.extent.width * pixelsPerMetre + layout.rightRoom(pixelsPerMetre),
            kTop + layout.extent.span() * pixelsPerMetre + layout.bottom};
}

double SectionPicture::scaleToFit(const QFont &font, const SectionDrawing &drawing,
                                  const ExampleDimensions &dimensions, const QSizeF &size)
{
    return Layout(font, drawing, dimensions).scaleToFit(size);
}

double SectionPicture::paint(QPainter &painter, const QRectF &room, const QFont &font, const SectionDrawing &drawing,
                             const ExampleDimensions &dimensions, double pixelsPerMetre)
{
    painter.save();
    painter.fillRect(room, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setFont(font);
    if (drawing.areas.empty()) {
        painter.restore();
        return 0;
    }
    const Layout layout(font, drawing, dimensions);
    const QFontMetricsF &metrics = layout.metrics;
    const Extent &extent = layout.extent;
    Scale scale;
    scale.pixelsPerMetre = pixelsPerMetre > 0 ? pixelsPerMetre : layout.scaleToFit(room.size());
    const double right = layout.rightRoom(scale.pixelsPerMetre);
    const double span = extent.span();
    scale.axisX = room.left() + kLeft + (room.width() - kLeft - right) / 2.0;
    scale.bottomY = room.top() + kTop + (room.height() - kTop - layout.bottom) / 2.0 + span * scale.pixelsPerMetre / 2
                    + extent.lowest * scale.pixelsPerMetre;

    for (const DrawnArea &area : drawing.areas) {
        if (!area.hasHeight())
            continue; // listed among the problems
        const double top = area.bottom + area.height;
        const QPolygonF outline{scale.at(-area.footWidth / 2, area.bottom), scale.at(area.footWidth / 2, area.bottom),
                                scale.at(area.topWidth / 2, top), scale.at(-area.topWidth / 2, top)};
        painter.drawPolygon(outline);
        if (!layout.fitsInside(area, scale.pixelsPerMetre))
            continue; // beside it, with its height
        // The number and the description inside, as far as they fit.
        const QRectF label = inside(area, scale);
        QStringList lines{areaTitle(area)};
        if (!area.description.isEmpty())
            lines << area.description;
        if (lines.size() * metrics.height() > label.height())
            lines.removeLast();
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, label.width());
        painter.drawText(label, Qt::AlignCenter, lines.join(u'\n'));
    }

    const double heightsX = scale.at(extent.width / 2, 0).x() + kGap;
    heightDimensions(painter, room, scale, drawing, layout, heightsX,
                     room.right() - heightsX - kTick - 2 - kLeader - 2);
    // The bottom width L below the trench bottom, and area 1's when X1 widens it.
    const double belowY = scale.at(0, extent.lowest).y() + 14;
    horizontalDimension(painter, scale, belowY, dimensions.L, QStringLiteral("L = %1").arg(metres(dimensions.L)));
    if (dimensionsAreaOneBase(drawing, dimensions))
        horizontalDimension(painter, scale, belowY + metrics.height() + 14, drawing.areas.front().footWidth,
                            QStringLiteral("L + 2 X1 = %1").arg(metres(drawing.areas.front().footWidth)));
    // The depth P on the left, from the top down to the pipe's bottom.
    const double left = scale.at(-extent.width / 2, 0).x() - kGap;
    verticalDimension(painter, left, scale.at(0, drawing.top).y(), scale.at(0, drawing.top - dimensions.P).y(),
                      QStringLiteral("P = %1").arg(metres(dimensions.P)), true);
    // The pipe.
    const double radius = drawing.pipeDiameter / 2 * scale.pixelsPerMetre;
    painter.drawEllipse(scale.at(0, drawing.pipeCentre), radius, radius);
    painter.restore();
    return scale.pixelsPerMetre;
}
