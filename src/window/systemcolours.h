#pragma once

#include <QColor>
#include <QPalette>

// The desktop's system colours by their classic system colour index, taken
// from the matching roles of the desktop palette. This is the one place that
// maps them.
enum class SystemColour {
    WindowText = 8,
    ActiveBorder = 10,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonText = 18,
    ButtonHighlight = 20,
    InfoBackground = 24,
};

QPalette::ColorRole paletteRole(SystemColour colour);
QColor systemColour(SystemColour colour, const QPalette &palette);

// The plain colours of the window.
inline const QColor kRed(255, 0, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kGrey(128, 128, 128);
inline const QColor kPaleCyan(192, 255, 255);
inline const QColor kGreen(0, 255, 0);
inline const QColor kGridLine(192, 192, 192);
