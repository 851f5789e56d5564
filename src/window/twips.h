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
