#include "examplepicture.h"

#include "systemcolours.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The picture's top-left pixel lies at (150, 630) twips in the window.
QPointF pictureTwips(double x, double y)
{
    return QPointF((x - 150) / kTwipsPerPixel, (y - 630) / kTwipsPerPixel);
}

HighlightLine windowLine(double x1, double y1, double x2, double y2, const QColor &colour, int width)
{
    return HighlightLine{QLineF(pictureTwips(x1, y1), pictureTwips(x2, y2)), colour, width, false};
}

// Assistive technology reads the picture box as an image (the plain frame
// it derives from would be a border).
QAccessibleInterface *pictureInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("ExamplePicture") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void drawMaskLine(QImage &image, const HighlightLine &line)
{
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line.line);
}

ExamplePicture::ExamplePicture(const QImage &picture, QWidget *parent)
    : QFrame(parent),
      m_picture(picture.convertToFormat(QImage::Format_RGB32)),
      m_lines{
          windowLine(4920, 1680, 5520, 1680, kRed, 10),
          windowLine(2400, 4080, 2400, 1680, kRed, 10),
          windowLine(1560, 1675, 1560, 1035, kBlue, 10),
          windowLine(1560, 4720, 1560, 4080, kBlue, 10),
          windowLine(4440, 4080, 4440, 2640, kRed, 7),
          windowLine(4440, 4080, 4750, 2640, kRed, 7),
      }
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    QAccessible::installFactory(pictureInterface); // installed once, however many pictures
}

void ExamplePicture::setLineVisible(int n, bool visible)
{
    HighlightLine &target = m_lines.at(n - 1);
    if (target.visible == visible)
        return;
    target.visible = visible;
    m_composed = QImage();
    update();
}

QImage ExamplePicture::composed() const
{
    if (m_composed.isNull()) {
        m_composed = m_picture;
        for (const HighlightLine &line : m_lines) {
            if (line.visible)
                drawMaskLine(m_composed, line);
        }
    }
    return m_composed;
}

void ExamplePicture::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(QPoint(kBorder, kBorder), composed());
}

void ExamplePicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}
