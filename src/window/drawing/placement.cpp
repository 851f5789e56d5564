#include "placement.h"

#include <algorithm>
#include <array>

namespace {

int clampTo(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

QPoint placeBeside(const QRect &main, const QSize &size, const QRect &screen)
{
    const int lowestX = screen.left();
    const int highestX = std::max(lowestX, screen.right() + 1 - size.width());
    const int lowestY = screen.top();
    const int highestY = std::max(lowestY, screen.bottom() + 1 - size.height());
    if (main.right() + 1 + size.width() <= screen.right() + 1)
        return {main.right() + 1, clampTo(main.top(), lowestY, highestY)};
    if (main.bottom() + 1 + size.height() <= screen.bottom() + 1)
        return {clampTo(main.left(), lowestX, highestX), main.bottom() + 1};
    // Against each edge of the screen, beside the main window as far as it can.
    const std::array<QPoint, 4> places{QPoint(highestX, clampTo(main.top(), lowestY, highestY)),
                                       QPoint(clampTo(main.left(), lowestX, highestX), highestY),
                                       QPoint(lowestX, clampTo(main.top(), lowestY, highestY)),
                                       QPoint(clampTo(main.left(), lowestX, highestX), lowestY)};
    const auto covered = [&](const QPoint &at) {
        const QRect overlap = QRect(at, size).intersected(main);
        return overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
    };
    return *std::min_element(places.begin(), places.end(),
                             [&](const QPoint &a, const QPoint &b) { return covered(a) < covered(b); });
}
