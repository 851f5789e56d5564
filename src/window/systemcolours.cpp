#include "systemcolours.h"

QPalette::ColorRole paletteRole(SystemColour colour)
{
    switch (colour) {
    case SystemColour::WindowText:
        return QPalette::WindowText;
    case SystemColour::ActiveBorder:
        // Drawn in the button face's shade by the classic desktop schemes.
        return QPalette::Button;
    case SystemColour::HighlightText:
        return QPalette::HighlightedText;
    case SystemColour::ButtonFace:
        return QPalette::Button;
    case SystemColour::ButtonText:
        return QPalette::ButtonText;
    case SystemColour::ButtonHighlight:
        return QPalette::Light;
    case SystemColour::InfoBackground:
        return QPalette::ToolTipBase;
    }
    return QPalette::Window;
}

QColor systemColour(SystemColour colour, const QPalette &palette)
{
    return palette.color(QPalette::Active, paletteRole(colour));
}
