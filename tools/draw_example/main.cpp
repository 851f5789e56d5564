// Draws the pictures Profilara ships with: the worked example of a trench
// section (esempio.bmp), the window icon (profilara.png, profilara.ico) and
// the same icon drawn at the desktop menu's sizes (icons/profilara-N.png).
// The results are committed under assets/; the build never runs this tool.
// After changing the drawing, regenerate them from the source root with
//   build/tools/draw_example/draw_example assets
// The output depends only on this code and the Liberation Sans font, so
// running it twice gives the same files.

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <cmath>
#include <optional>

namespace {

// The program paints highlight bands over the example at fixed places, so
// the geometry below is tied to those pixel positions: the pipe centre and
// radius, the area boundaries, and the dimension lines at x = 94 and x = 150.
constexpr int pictureWidth = 479;
constexpr int pictureHeight = 354;

constexpr int topY = 27;       // top of the section (surface)
constexpr int ledgeY = 70;     // foot of area 3, top of area 2
constexpr int splitY = 230;    // top of area 1, top of area 2's base
constexpr int bottomY = 300;   // bottom of the trench

constexpr QPointF pipeCentre(214, 230);
constexpr double pipeRadius = 43;
constexpr int pipeBottomY = 273;

// Area 2 walls: from its lower corners up to the ledge, slope 20.7 / 96.
constexpr QPointF area2LowLeft(142, splitY), area2LowRight(286, splitY);
constexpr QPointF area2TopLeft(107.5, ledgeY), area2TopRight(320.5, ledgeY);
// Area 3 stands on the ledge and widens upwards.
constexpr QPointF area3FootLeft(70, ledgeY), area3FootRight(358, ledgeY);
constexpr QPointF area3TopLeft(50, topY), area3TopRight(378, topY);
// Area 1 narrows down to the bottom width L.
constexpr QPointF area1BottomLeft(152, bottomY), area1BottomRight(276, bottomY);

constexpr int pDimX = 94;   // depth P, chained at the area boundaries
constexpr int h2DimX = 150; // height of area 2, inside the area
constexpr int rightDimX = 400; // heights of areas 1 and 3
constexpr int xDimY = 56;   // overhang X above the right ledge
constexpr int lDimY = 320;  // bottom width L

QPen thinPen(Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(Qt::black, 1, style);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// A filled arrowhead whose tip touches `tip`, pointing along `direction`.
// Aliased fills sample pixel centres, so the triangle is shifted by half a
// pixel to sit symmetrically on the pixel row or column of its line.
void arrowHead(QPainter &p, QPointF tip, QPointF direction)
{
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF along = direction / length;
    const QPointF across(-along.y(), along.x());
    const QPointF t = tip + QPointF(0.5, 0.5);
    const QPointF base = t - along * 7;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({t, base + across * 2.6, base - across * 2.6}));
    p.restore();
}

// Vertical dimension line between two levels, arrows pointing at the
// extension lines; each inner level gets a pair of arrows (chained measure).
void verticalDimension(QPainter &p, int x, const QList<int> &levels)
{
    p.setPen(thinPen());
    p.drawLine(x, levels.first(), x, levels.last());
    for (qsizetype i = 0; i + 1 < levels.size(); ++i) {
        arrowHead(p, QPointF(x, levels[i]), QPointF(0, -1));
        arrowHead(p, QPointF(x, levels[i + 1]), QPointF(0, 1));
    }
}

void horizontalDimension(QPainter &p, int y, int x1, int x2)
{
    p.setPen(thinPen());
    p.drawLine(x1, y, x2, y);
    arrowHead(p, QPointF(x1, y), QPointF(-1, 0));
    arrowHead(p, QPointF(x2, y), QPointF(1, 0));
}

void label(QPainter &p, QPointF centre, const QString &text, int pixelSize = 10)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(Qt::black);
    const QRectF box(centre.x() - 40, centre.y() - 10, 80, 20);
    p.drawText(box, Qt::AlignCenter, text);
}

QString slopeText(int area)
{
    return QStringLiteral("tan ") + QChar(0x03B1) + QString::number(area);
}

// Slope mark at a wall corner: a short upright (or downright) reference,
// an arc from it to the wall, and the "tan α" label beside it.
void slopeMark(QPainter &p, QPointF corner, QPointF wallEnd, int uprightLength,
               double arcRadius)
{
    const double sign = wallEnd.y() < corner.y() ? -1 : 1;
    p.setPen(thinPen());
    p.drawLine(QPointF(corner.x(), corner.y()),
               QPointF(corner.x(), corner.y() + sign * uprightLength));

    const double uprightAngle = sign < 0 ? 90 : 270;
    const QLineF wall(corner, wallEnd);
    double span = wall.angle() - uprightAngle;
    if (span > 180)
        span -= 360;
    if (span < -180)
        span += 360;
    QPainterPath arc;
    const QRectF circle(corner.x() - arcRadius, corner.y() - arcRadius,
                        2 * arcRadius, 2 * arcRadius);
    arc.arcMoveTo(circle, uprightAngle);
    arc.arcTo(circle, uprightAngle, span);
    p.drawPath(arc);
}

void drawSection(QPainter &p)
{
    p.setPen(thinPen());

    // Outline of the three areas.
    p.drawLine(area3TopLeft, area3TopRight);
    p.drawLine(area3TopLeft, area3FootLeft);
    p.drawLine(area3TopRight, area3FootRight);
    p.drawLine(area3FootLeft, area3FootRight); // ledge, across both overhangs
    p.drawLine(area2LowLeft, area2TopLeft);
    p.drawLine(area2LowRight, area2TopRight);
    p.drawLine(area2LowLeft, area2LowRight);
    p.drawLine(area2LowLeft, area1BottomLeft);
    p.drawLine(area2LowRight, area1BottomRight);
    p.drawLine(area1BottomLeft, area1BottomRight);

    // The pipe, half in area 1 and half in area 2.
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(pipeCentre, pipeRadius, pipeRadius);

    label(p, QPointF(214, 47), QStringLiteral("AREA 3"));
    label(p, QPointF(214, 130), QStringLiteral("AREA 2"));
    label(p, QPointF(214, 287), QStringLiteral("AREA 1"));
}

void drawDimensions(QPainter &p)
{
    // Depth P from the surface to the pipe bottom, on the left, chained at
    // the top of area 2 and the top of area 1.
    p.setPen(thinPen());
    p.drawLine(138, splitY, pDimX - 4, splitY);
    p.setPen(thinPen(Qt::DashLine));
    p.drawLine(210, pipeBottomY, pDimX - 4, pipeBottomY);
    verticalDimension(p, pDimX, {topY, ledgeY, splitY, pipeBottomY});
    label(p, QPointF(82, 150), QStringLiteral("P"));

    // H2 inside area 2.
    verticalDimension(p, h2DimX, {ledgeY, splitY});
    label(p, QPointF(164, 150), QStringLiteral("H2"));

    // H3 and H1 on the right.
    p.setPen(thinPen());
    p.drawLine(area3TopRight.x() + 4, topY, rightDimX + 4, topY);
    p.drawLine(area3FootRight.x() + 8, ledgeY, rightDimX + 4, ledgeY);
    p.drawLine(area2LowRight.x() + 8, splitY, rightDimX + 4, splitY);
    p.drawLine(area1BottomRight.x() + 4, bottomY, rightDimX + 4, bottomY);
    verticalDimension(p, rightDimX, {topY, ledgeY});
    verticalDimension(p, rightDimX, {splitY, bottomY});
    label(p, QPointF(rightDimX + 14, 48), QStringLiteral("H3"));
    label(p, QPointF(rightDimX + 14, 265), QStringLiteral("H1"));

    // Overhang X over the right ledge.
    const int ledgeStart = int(std::ceil(area2TopRight.x()));
    const int ledgeEnd = int(area3FootRight.x());
    p.setPen(thinPen());
    p.drawLine(ledgeStart, ledgeY - 6, ledgeStart, xDimY - 4);
    p.drawLine(ledgeEnd, ledgeY - 6, ledgeEnd, xDimY - 4);
    horizontalDimension(p, xDimY, ledgeStart, ledgeEnd);
    label(p, QPointF((ledgeStart + ledgeEnd) / 2.0, xDimY - 9), QStringLiteral("X"));

    // Bottom width L.
    const int lLeft = int(area1BottomLeft.x());
    const int lRight = int(area1BottomRight.x());
    p.setPen(thinPen());
    p.drawLine(lLeft, bottomY + 4, lLeft, lDimY + 4);
    p.drawLine(lRight, bottomY + 4, lRight, lDimY + 4);
    horizontalDimension(p, lDimY, lLeft, lRight);
    label(p, QPointF(214, lDimY + 11), QStringLiteral("L"));

    // Wall slopes: area 1 on the left, area 2 on the right, area 3 on the left.
    slopeMark(p, area2LowLeft, area1BottomLeft, 62, 50);
    label(p, QPointF(120, 286), slopeText(1), 9);
    slopeMark(p, area2LowRight, area2TopRight, 105, 70);
    label(p, QPointF(325, 165), slopeText(2), 9);
    slopeMark(p, area3FootLeft, area3TopLeft, 40, 32);
    label(p, QPointF(28, 44), slopeText(3), 9);
}

QImage examplePicture()
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawSection(p);
    drawDimensions(p);
    p.end();
    // Three bytes a pixel: the BMP writer stores RGB888 as 24-bit BI_RGB.
    return image.convertToFormat(QImage::Format_RGB888);
}

// The icon: a trapezoid trench cut into layered ground with a pipe lying at
// its bottom. The shapes are laid out on a 32 x 32 grid and drawn at `size`
// pixels, so every size is drawn sharp rather than scaled from a bitmap.
QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);

    const QPolygonF trench({{1.5, 3.5}, {30.5, 3.5}, {22.5, 29.5}, {9.5, 29.5}});
    QPainterPath trenchPath;
    trenchPath.addPolygon(trench);
    trenchPath.closeSubpath();

    p.setClipPath(trenchPath);
    p.fillRect(QRectF(0, 0, 32, 12), QColor(0xE3, 0xB5, 0x5E));
    p.fillRect(QRectF(0, 12, 32, 9), QColor(0xB0, 0x72, 0x35));
    p.fillRect(QRectF(0, 21, 32, 11), QColor(0x7A, 0x4A, 0x22));
    p.setClipping(false);

    p.setPen(QPen(QColor(0x4A, 0x2C, 0x12), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trenchPath);

    p.setPen(QPen(QColor(0x1E, 0x2F, 0x45), 1.4));
    p.setBrush(QColor(0x5C, 0x8F, 0xC8));
    p.drawEllipse(QPointF(16, 22.5), 5, 5);
    p.end();
    return image;
}

// The icon uses far fewer than 256 colours, so an exact palette keeps the
// PNG small without the dithering Qt applies when it picks a palette itself.
QImage withExactPalette(const QImage &image)
{
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!colours.contains(image.pixel(x, y)))
                colours.append(image.pixel(x, y));
    if (colours.size() > 256)
        return image;
    return image.convertToFormat(QImage::Format_Indexed8, colours);
}

// A 256-colour .ico of one image: 8 bits a pixel with a palette, and the
// 1-bit AND mask that makes the background transparent. Qt's ICO writer only
// writes 32 bits a pixel. A pixel at least half opaque is drawn in its own
// colour; the rest are masked out. Empty when the image has more than 256
// colours.
std::optional<QByteArray> icoWith256Colours(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    QList<QRgb> palette{qRgb(0, 0, 0)}; // masked pixels: black, left unchanged by the XOR
    QList<uchar> indices;
    QList<bool> masked;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool clear = qAlpha(pixel) < 128;
            const QRgb colour = clear ? qRgb(0, 0, 0) : (pixel | 0xFF000000u);
            qsizetype index = palette.indexOf(colour);
            if (index < 0) {
                index = palette.size();
                palette.append(colour);
            }
            indices.append(uchar(index));
            masked.append(clear);
        }
    }
    if (palette.size() > 256)
        return std::nullopt;

    const int xorStride = (w + 3) / 4 * 4;           // rows padded to 4 bytes
    const int andStride = ((w + 31) / 32) * 4;
    const int bitmapSize = 40 + 256 * 4 + (xorStride + andStride) * h;

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // ICONDIR and its one ICONDIRENTRY (a colour count of 0 means 256).
    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(w) << quint8(h) << quint8(0) << quint8(0) << quint16(1) << quint16(8)
        << quint32(bitmapSize) << quint32(6 + 16);
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(8)
        << quint32(0) << quint32((xorStride + andStride) * h) << qint32(0) << qint32(0)
        << quint32(256) << quint32(0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    }
    // Both bitmaps run bottom-up.
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < xorStride; ++x)
            out << quint8(x < w ? indices.at(y * w + x) : 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x)
            if (masked.at(y * w + x))
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        out.writeRawData(row.constData(), row.size());
    }
    return bytes;
}

bool fail(const QString &path)
{
    QTextStream(stderr) << "draw_example: cannot write " << path << '\n';
    return false;
}

bool save(const QImage &image, const QDir &dir, const QString &name, const char *format)
{
    const QString path = dir.filePath(name);
    return image.save(path, format) || fail(path);
}

bool saveIco(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    const std::optional<QByteArray> bytes = icoWith256Colours(image);
    if (!bytes) {
        QTextStream(stderr) << "draw_example: " << name << " needs more than 256 colours\n";
        return false;
    }
    QFile file(path);
    return (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()) || fail(path);
}

// The icon at the sizes of the desktop's menu and software centres, beside
// the 32 x 32 one.
bool saveMenuIcons(const QDir &dir)
{
    if (!dir.mkpath(QStringLiteral("icons")))
        return fail(dir.filePath(QStringLiteral("icons")));
    for (int size : {48, 64, 128, 256}) {
        if (!save(withExactPalette(icon(size)), dir,
                  QStringLiteral("icons/profilara-%1.png").arg(size), "PNG"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: draw_example <output folder>\n";
        return 2;
    }
    QDir dir(args.at(1));
    if (!dir.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "draw_example: cannot create " << args.at(1) << '\n';
        return 1;
    }

    const QImage windowIcon = icon(32);
    const bool ok = save(examplePicture(), dir, QStringLiteral("esempio.bmp"), "BMP")
            && save(withExactPalette(windowIcon), dir,
                    QStringLiteral("profilara.png"), "PNG")
            && saveIco(windowIcon, dir, QStringLiteral("profilara.ico"))
            && saveMenuIcons(dir);
    return ok ? 0 : 1;
}
