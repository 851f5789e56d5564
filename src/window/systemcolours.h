#pragma once

#include <QColor>
#include <QPalette>

// The system colours the window is laid out with, by their classic system
// colour index. The window is designed light, so these are the light shades
// of Windows 10 whatever the desktop's theme. This is the one place that
// gives them.
enum class SystemColour {
    WindowText = 8,
    ActiveBorder = 10,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonText = 18,
    ButtonHighlight = 20,
    InfoBackground = 24,
};

QColor systemColour(SystemColour colour);

// The window's palette: the system colours above in their roles, and light
// shades of the same scheme for the rest (frames, scroll bars, selection,
// disabled text), so that every text stays readable against its background
// whatever palette the desktop has.
QPalette lightPalette();

// The plain colours of the window.
inline const QColor kRed(255, 0, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kGrey(128, 128, 128);
inline const QColor kPaleCyan(192, 255, 255);
inline const QColor kGreen(0, 255, 0);
inline const QColor kGridLine(192, 192, 192);
