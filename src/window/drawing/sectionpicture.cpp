#include "sectionpicture.h"

#include "labellayout.h"
#include "takeoff/numbers.h"
#include "wrappedtext.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_map>

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
constexpr int kClear = 2;   // between a label and the pipe

// Maps metres of the section (x from its axis, y up from the trench
// bottom) to pixels of the widget.
struct Scale
{
    double pixelsPerMetre = 1;
    double axisX = 0;
    double bottomY = 0;

    QPointF at(double x, double y) const { return {axisX + x * pixelsPerMetre, bottomY - y * pixelsPerMetre}; }
};

// What is drawn, in metres: every width, the bottom width, and for a
// section drawn whole the pipe and the depth P below the top.
struct Extent
{
    double width = 0;
    double lowest = 0;
    double highest = 0;

    Extent(const SectionDrawing &drawing, const ExampleDimensions &dimensions)
    {
        width = dimensions.L;
        for (const DrawnArea &area : drawing.areas)
            width = std::max({width, area.footWidth, area.topWidth});
        highest = drawing.top;
        if (drawing.pipeShown) {
            width = std::max(width, drawing.pipeDiameter);
            lowest = std::min({0.0, drawing.top - dimensions.P, drawing.pipeCentre - drawing.pipeDiameter / 2});
            highest = std::max(highest, drawing.pipeCentre + drawing.pipeDiameter / 2);
        }
        width = std::max(width, 1e-9);
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

// Where a vertical dimension's text is written: beside its line, at its
// middle, on the left or on the right.
QRectF verticalDimensionText(const QFontMetricsF &metrics, double x, double y1, double y2, const QString &text,
                             bool textLeft)
{
    const double width = metrics.horizontalAdvance(text);
    const double textX = textLeft ? x - kTick - 2 - width : x + kTick + 2;
    const double baseline = (y1 + y2) / 2 + metrics.ascent() / 2 - 1;
    return QRectF(textX, baseline - metrics.ascent(), width, metrics.height());
}

// Where a width dimensioned below the section writes its text: under the
// line, at the section's axis.
QRectF horizontalDimensionText(const QFontMetricsF &metrics, const Scale &scale, double y, const QString &text)
{
    const double width = metrics.horizontalAdvance(text);
    return QRectF(scale.axisX - width / 2, y + metrics.height() + 2 - metrics.ascent(), width, metrics.height());
}

// The depth P on the left of the section, from its top down to the pipe's
// bottom, and from there the height of the pipe's bottom above the trench
// bottom (none when it lies on it): each dimension's ends and text.
struct DepthDimension
{
    double y1;
    double y2;
    QString text;
};

double depthLineX(const Scale &scale, double width)
{
    return scale.at(-width / 2, 0).x() - kGap;
}

std::vector<DepthDimension> depthDimensions(const Scale &scale, const SectionDrawing &drawing,
                                            const ExampleDimensions &dimensions)
{
    const double pipeBottom = drawing.top - dimensions.P;
    std::vector<DepthDimension> parts{{scale.at(0, drawing.top).y(), scale.at(0, pipeBottom).y(),
                                       QStringLiteral("P = %1").arg(lengthText(dimensions.P))}};
    if (std::abs(pipeBottom) >= kNothing)
        parts.push_back({scale.at(0, pipeBottom).y(), scale.at(0, 0).y(), lengthText(pipeBottom)});
    return parts;
}

// The widths dimensioned below the section: L, and area 1's bottom width
// when X1 widens it. Each line's height, width and text.
struct WidthDimension
{
    double y;
    double width;
    QString text;
};

std::vector<WidthDimension> widthDimensions(const Scale &scale, const QFontMetricsF &metrics, double lowest,
                                            const SectionDrawing &drawing, const ExampleDimensions &dimensions)
{
    const double belowY = scale.at(0, lowest).y() + 14;
    std::vector<WidthDimension> widths{{belowY, dimensions.L, QStringLiteral("L = %1").arg(lengthText(dimensions.L))}};
    if (dimensionsAreaOneBase(drawing, dimensions))
        widths.push_back({belowY + metrics.height() + 14, drawing.areas.front().footWidth,
                          QStringLiteral("L + 2 X1 = %1").arg(lengthText(drawing.areas.front().footWidth))});
    return widths;
}

// The pipe, its diameter's line and text.
struct PipeMarks
{
    QRectF circle;
    QRectF text; // where "D = ..." is written
    QString caption;
    // From the text to the pipe, when the text is outside it: to the
    // depth's line, then level across the trench.
    QPolygonF leader;

    // What labels keep clear of: the pipe, and the text inside it or the
    // leader's run across the trench.
    QRectF keepOut() const
    {
        const QRectF marks = leader.isEmpty() ? circle.united(text)
                                              : circle.united(QRectF(leader[1], leader[2]).normalized());
        return marks.adjusted(-kClear, -kClear, kClear, kClear);
    }
};

PipeMarks pipeMarks(const SectionDrawing &drawing, const ExampleDimensions &dimensions, const Scale &scale,
                    const QFontMetricsF &metrics)
{
    PipeMarks marks;
    const double radius = drawing.pipeDiameter / 2 * scale.pixelsPerMetre;
    const QPointF centre = scale.at(0, drawing.pipeCentre);
    marks.circle = QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    marks.caption = QStringLiteral("D = %1").arg(lengthText(drawing.pipeDiameter));
    const QSizeF text(metrics.horizontalAdvance(marks.caption), metrics.height());
    if (text.width() <= 1.6 * radius && text.height() <= 0.8 * radius) {
        marks.text = QRectF(QPointF(centre.x() - text.width() / 2, centre.y() - text.height() - 1), text);
        return marks;
    }
    // Too small a pipe: the text goes outside the trench, on the left among
    // the texts of the depth P, right-aligned as they are. Nothing there
    // moves: on the right the heights' texts spread to make room for each
    // other and for the labels moved beside their areas.
    const Extent extent(drawing, dimensions);
    const double lineX = depthLineX(scale, extent.width);

    // The leader crosses the trench level with the pipe's centre, as the
    // diameter's line goes on, unless that runs along an area's side.
    std::vector<double> sides;
    for (const DrawnArea &area : drawing.areas)
        sides.insert(sides.end(), {scale.at(0, area.bottom).y(), scale.at(0, area.bottom + area.height).y()});
    const auto clearOfSides = [&](double y) {
        return std::none_of(sides.begin(), sides.end(), [y](double side) { return std::abs(side - y) < 3; });
    };
    double level = centre.y();
    for (const double shift : {0.0, -0.5, 0.5})
        if (clearOfSides(centre.y() + shift * radius)) {
            level = centre.y() + shift * radius;
            break;
        }

    // The text at that height, or the nearest one clear of the depth's and
    // the widths' texts and lines.
    std::vector<QRectF> taken;
    for (const DepthDimension &part : depthDimensions(scale, drawing, dimensions))
        taken.push_back(verticalDimensionText(metrics, lineX, part.y1, part.y2, part.text, true));
    for (const WidthDimension &line : widthDimensions(scale, metrics, extent.lowest, drawing, dimensions)) {
        const double half = line.width / 2 * scale.pixelsPerMetre;
        taken.push_back(QRectF(scale.axisX - half, line.y - kTick, 2 * half, 2 * kTick));
        taken.push_back(horizontalDimensionText(metrics, scale, line.y, line.text));
    }
    for (QRectF &rect : taken)
        rect.adjust(-kClear, -kClear, kClear, kClear);
    const double right = lineX - kTick - 2;
    const auto at = [&](double middle) {
        return QRectF(right - text.width(), middle - text.height() / 2, text.width(), text.height());
    };
    std::vector<double> middles{level};
    for (const QRectF &rect : taken)
        middles.insert(middles.end(), {rect.top() - text.height() / 2, rect.bottom() + text.height() / 2});
    std::stable_sort(middles.begin(), middles.end(),
                     [level](double a, double b) { return std::abs(a - level) < std::abs(b - level); });
    const auto free = std::find_if(middles.begin(), middles.end(), [&](double middle) {
        return std::none_of(taken.begin(), taken.end(), [&](const QRectF &rect) { return rect.intersects(at(middle)); });
    });
    marks.text = at(free != middles.end() ? *free : level);
    const double across = std::sqrt(std::max(0.0, radius * radius - std::pow(level - centre.y(), 2)));
    marks.leader = QPolygonF{QPointF(marks.text.right() + 2, marks.text.center().y()), QPointF(lineX, level),
                             QPointF(centre.x() - across, level)};
    return marks;
}

// The room around the section that a drawing's texts need, and where each
// area's label goes: inside the area, clear of the pipe, when it fits whole
// there; else beside it on the right, with its height.
class Layout
{
public:
    Layout(const QFont &font, const SectionDrawing &drawing, const ExampleDimensions &dimensions)
        : font(font), metrics(font), extent(drawing, dimensions),
          bottom(kBottom + (dimensionsAreaOneBase(drawing, dimensions) ? metrics.height() + 14 : 0)),
          m_drawing(drawing), m_dimensions(dimensions)
    {
    }

    static QString label(const DrawnArea &area)
    {
        return area.description.isEmpty() ? areaTitle(area) : areaTitle(area) + u'\n' + area.description;
    }

    // Where the label lies inside the area, at this scale: the area's room,
    // or, when the pipe lies in it, the largest part of it clear of the
    // pipe that holds the whole label. Nothing when no part does. Worked
    // out at the scale alone, once, and moved to where the section lies.
    std::optional<QRectF> labelPlace(const DrawnArea &area, const Scale &scale) const
    {
        if (scale.pixelsPerMetre != m_placedAt) {
            m_placedAt = scale.pixelsPerMetre;
            m_places.clear();
        }
        auto place = m_places.find(area.number);
        if (place == m_places.end())
            place = m_places.emplace(area.number, placeAt(area, Scale{scale.pixelsPerMetre, 0, 0})).first;
        if (!place->second)
            return std::nullopt;
        return place->second->translated(scale.axisX, scale.bottomY);
    }
    bool fitsInside(const DrawnArea &area, double pixelsPerMetre) const
    {
        return labelPlace(area, Scale{pixelsPerMetre, 0, 0}).has_value();
    }
    double rightRoom(double pixelsPerMetre) const
    {
        for (const DrawnArea &area : m_drawing.areas)
            if (area.hasHeight() && !fitsInside(area, pixelsPerMetre))
                return kRight + kBesideRoom;
        return kRight;
    }
    // The text beside an area: its height, and its label when that is not inside.
    QString besideText(const DrawnArea &area, double pixelsPerMetre) const
    {
        QString text = QStringLiteral("H%1 = %2").arg(area.number).arg(lengthText(area.height));
        if (!fitsInside(area, pixelsPerMetre)) {
            text += QStringLiteral(" – ") + areaTitle(area);
            if (!area.description.isEmpty())
                text += u' ' + area.description;
        }
        return text;
    }
    // Labels moved beside their areas need more room on the right, which
    // makes the drawing smaller.
    double scaleToFit(const QSizeF &size) const
    {
        const double pixelsPerMetre = fittedScale(size, kRight);
        return rightRoom(pixelsPerMetre) > kRight ? fittedScale(size, kRight + kBesideRoom) : pixelsPerMetre;
    }

    // Where the section lies in room, at pixelsPerMetre or, when that is
    // 0, at the largest scale that fits.
    Scale scaleIn(const QRectF &room, double pixelsPerMetre) const
    {
        Scale scale;
        scale.pixelsPerMetre = pixelsPerMetre > 0 ? pixelsPerMetre : scaleToFit(room.size());
        const double right = rightRoom(scale.pixelsPerMetre);
        scale.axisX = room.left() + kLeft + (room.width() - kLeft - right) / 2.0;
        scale.bottomY = room.top() + kTop + (room.height() - kTop - bottom) / 2.0
                        + extent.span() * scale.pixelsPerMetre / 2 + extent.lowest * scale.pixelsPerMetre;
        return scale;
    }

    const QFont font;
    const QFontMetricsF metrics;
    const Extent extent;
    const double bottom; // the room below the section

private:
    std::optional<QRectF> placeAt(const DrawnArea &area, const Scale &scale) const
    {
        const QRectF room = inside(area, scale);
        std::vector<QRectF> parts{room};
        if (m_drawing.pipeShown) {
            const QRectF pipe = pipeMarks(m_drawing, m_dimensions, scale, metrics).keepOut();
            if (pipe.intersects(room))
                parts = {QRectF(room.left(), room.top(), room.width(), pipe.top() - room.top()),
                         QRectF(room.left(), pipe.bottom(), room.width(), room.bottom() - pipe.bottom()),
                         QRectF(room.left(), room.top(), pipe.left() - room.left(), room.height()),
                         QRectF(pipe.right(), room.top(), room.right() - pipe.right(), room.height())};
            std::stable_sort(parts.begin(), parts.end(), [](const QRectF &a, const QRectF &b) {
                return a.width() * a.height() > b.width() * b.height();
            });
        }
        for (const QRectF &part : parts) {
            if (part.width() <= 0 || part.height() <= 0)
                continue;
            const WrappedText text(label(area), font, part.width(), Qt::AlignHCenter, true);
            if (text.fits() && text.height() <= part.height())
                return part;
        }
        return std::nullopt;
    }

    double fittedScale(const QSizeF &size, double right) const
    {
        const double across = (size.width() - kLeft - right) / extent.width;
        const double down = (size.height() - kTop - bottom) / extent.span();
        return std::max(0.0, std::min(across, down));
    }

    const SectionDrawing &m_drawing;
    const ExampleDimensions m_dimensions;
    mutable double m_placedAt = -1; // the scale m_places are worked out at
    mutable std::unordered_map<int, std::optional<QRectF>> m_places; // by area number
};

void verticalDimension(QPainter &painter, double x, double y1, double y2, const QString &text, bool textLeft)
{
    painter.drawLine(QPointF(x, y1), QPointF(x, y2));
    painter.drawLine(QPointF(x - kTick, y1), QPointF(x + kTick, y1));
    painter.drawLine(QPointF(x - kTick, y2), QPointF(x + kTick, y2));
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font());
    const QRectF place = verticalDimensionText(metrics, x, y1, y2, text, textLeft);
    painter.drawText(QPointF(place.left(), place.top() + metrics.ascent()), text);
}

// A width dimensioned below the section, its text under the line.
void horizontalDimension(QPainter &painter, const Scale &scale, const WidthDimension &dimension)
{
    const QPointF from(scale.at(-dimension.width / 2, 0).x(), dimension.y);
    const QPointF to(scale.at(dimension.width / 2, 0).x(), dimension.y);
    painter.drawLine(from, to);
    painter.drawLine(from - QPointF(0, kTick), from + QPointF(0, kTick));
    painter.drawLine(to - QPointF(0, kTick), to + QPointF(0, kTick));
    const QFontMetricsF metrics(painter.font());
    const QRectF place = horizontalDimensionText(metrics, scale, dimension.y, dimension.text);
    painter.drawText(QPointF(place.left(), place.top() + metrics.ascent()), dimension.text);
}

// The heights on the right, beyond the widest area, each with its text;
// the texts, wrapped to the room there, spread so that none covers
// another, a short line leading to each one moved off the middle of its
// area.
void heightDimensions(QPainter &painter, const QRectF &room, const Scale &scale, const SectionDrawing &drawing,
                      const Layout &layout, double right, double textWidth)
{
    std::vector<WrappedText> texts;
    std::vector<double> middles;
    std::vector<double> heights;
    for (const DrawnArea &area : drawing.areas) {
        if (!area.hasHeight())
            continue;
        verticalDimension(painter, right, scale.at(0, area.bottom).y(), scale.at(0, area.bottom + area.height).y(),
                          QString(), false);
        texts.emplace_back(layout.besideText(area, scale.pixelsPerMetre), layout.font, textWidth);
        middles.push_back(scale.at(0, area.bottom + area.height / 2).y());
        heights.push_back(texts.back().height());
    }
    const std::vector<std::optional<double>> centres = spreadLabels(middles, heights, room.top(), room.bottom());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!centres[i])
            continue;
        double x = right + kTick + 2;
        if (std::abs(*centres[i] - middles[i]) > 1) {
            painter.drawLine(QPointF(right + 1, middles[i]), QPointF(right + kTick + kLeader, *centres[i]));
            x += kLeader;
        }
        texts[i].draw(painter, QPointF(x, *centres[i] - heights[i] / 2));
    }
}

// The pipe, with D across it (or beside the depth, a leader to the pipe),
// and on the left the depth P from the top down to the pipe's bottom, then
// on to the trench bottom the height of the pipe's bottom above it.
void pipeAndDepth(QPainter &painter, const Scale &scale, const SectionDrawing &drawing,
                  const ExampleDimensions &dimensions, const Layout &layout)
{
    const PipeMarks marks = pipeMarks(drawing, dimensions, scale, layout.metrics);
    painter.drawEllipse(marks.circle);
    const double y = marks.circle.center().y();
    painter.drawLine(QPointF(marks.circle.left(), y), QPointF(marks.circle.right(), y));
    for (const double x : {marks.circle.left(), marks.circle.right()})
        painter.drawLine(QPointF(x, y - kTick / 2.0), QPointF(x, y + kTick / 2.0));
    painter.drawText(marks.text, Qt::AlignCenter, marks.caption);
    painter.drawPolyline(marks.leader);

    const double left = depthLineX(scale, layout.extent.width);
    for (const DepthDimension &part : depthDimensions(scale, drawing, dimensions))
        verticalDimension(painter, left, part.y1, part.y2, part.text, true);
}

} // namespace

SectionPicture::SectionPicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Disegno della sezione"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 160);
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
                          lengthText(area.height), lengthText(area.footWidth), lengthText(area.topWidth));
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

std::optional<QRectF> SectionPicture::diameterText(const QFont &font, const SectionDrawing &drawing,
                                                   const ExampleDimensions &dimensions, const QRectF &room,
                                                   double pixelsPerMetre)
{
    if (drawing.areas.empty() || !drawing.pipeShown)
        return std::nullopt;
    const Layout layout(font, drawing, dimensions);
    return pipeMarks(drawing, dimensions, layout.scaleIn(room, pixelsPerMetre), layout.metrics).text;
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
    const Extent &extent = layout.extent;
    const Scale scale = layout.scaleIn(room, pixelsPerMetre);

    for (const DrawnArea &area : drawing.areas) {
        if (!area.hasHeight())
            continue; // listed among the problems
        const double top = area.bottom + area.height;
        const QPolygonF outline{scale.at(-area.footWidth / 2, area.bottom), scale.at(area.footWidth / 2, area.bottom),
                                scale.at(area.topWidth / 2, top), scale.at(-area.topWidth / 2, top)};
        painter.drawPolygon(outline);
        // The number and the description inside, whole, or beside it.
        if (const std::optional<QRectF> place = layout.labelPlace(area, scale)) {
            const WrappedText label(Layout::label(area), font, place->width(), Qt::AlignHCenter, true);
            label.draw(painter, QPointF(place->left(), place->center().y() - label.height() / 2));
        }
    }

    const double heightsX = scale.at(extent.width / 2, 0).x() + kGap;
    heightDimensions(painter, room, scale, drawing, layout, heightsX,
                     room.right() - heightsX - kTick - 2 - kLeader - 2);
    // The bottom width L below the trench bottom, and area 1's when X1 widens it.
    for (const WidthDimension &width : widthDimensions(scale, layout.metrics, extent.lowest, drawing, dimensions))
        horizontalDimension(painter, scale, width);
    if (drawing.pipeShown)
        pipeAndDepth(painter, scale, drawing, dimensions, layout);
    painter.restore();
    return scale.pixelsPerMetre;
}
