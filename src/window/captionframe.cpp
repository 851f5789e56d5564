#include "captionframe.h"

#include <QPainter>

namespace {
constexpr int kCaptionLeft = 6;
}

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent) : QWidget(parent), m_caption(caption) {}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;

    // An etched border: a dark line with a light one beside it.
    const QRect box = rect().adjusted(0, lineY, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.adjusted(1, 1, 0, 0));

    const QRect captionRect(kCaptionLeft, 0, metrics.horizontalAdvance(m_caption), metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}
