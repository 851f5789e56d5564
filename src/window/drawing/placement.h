#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of frame size `size` goes beside the main window's frame
// `main`, within the screen's available area: to its right where the
// screen has room, else below it, else where it covers least of it.
QPoint placeBeside(const QRect &main, const QSize &size, const QRect &screen);
