#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

// Positions and sizes of the window are laid out in twips; 15 twips make one
// pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

inline int px(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// A font size in points as the pixels it takes at 96 dots per inch, the
// scale of the layout. Fonts are sized in these pixels so that their texts
// fit the layout whatever logical DPI the desktop reports (72 on macOS);
// high-DPI scaling still grows them with the rest of the window.
inline int fontPixels(double points)
{
    return static_cast<int>(std::lround(points * 96 / 72));
}
