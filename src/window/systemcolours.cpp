#include "systemcolours.h"

namespace {

// Further light shades of the same scheme, used only in the palette.
const QColor kWindowBackground(255, 255, 255); // system colour 5
const QColor kSelection(0, 120, 215);          // 13
const QColor kButtonShadow(160, 160, 160);     // 16
const QColor kGrayText(109, 109, 109);         // 17
const QColor kDarkShadow(105, 105, 105);       // 21
const QColor kButtonLight(227, 227, 227);      // 22
const QColor kLink(0, 102, 204);               // 26
const QColor kAlternateRow(246, 246, 246);

} // namespace

QColor systemColour(SystemColour colour)
{
    switch (colour) {
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
        return QColor(0, 0, 0);
    case SystemColour::ActiveBorder:
        return QColor(180, 180, 180);
    case SystemColour::HighlightText:
    case SystemColour::ButtonHighlight:
        return QColor(255, 255, 255);
    case SystemColour::ButtonFace:
        return QColor(240, 240, 240);
    case SystemColour::InfoBackground:
        return QColor(255, 255, 225);
    }
    return QColor(0, 0, 0);
}

QPalette lightPalette()
{
    const QColor text = systemColour(SystemColour::WindowText);
    const QColor face = systemColour(SystemColour::ButtonFace);
    const QColor white = systemColour(SystemColour::ButtonHighlight);

    // Every role of every group is set, so nothing of the desktop's palette
    // shows through.
    QPalette pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, face);
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::Base, kWindowBackground);
        pal.setColor(group, QPalette::AlternateBase, kAlternateRow);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::PlaceholderText, kGrayText);
        pal.setColor(group, QPalette::Button, face);
        pal.setColor(group, QPalette::ButtonText, systemColour(SystemColour::ButtonText));
        pal.setColor(group, QPalette::BrightText, white);
        pal.setColor(group, QPalette::Light, white);
        pal.setColor(group, QPalette::Midlight, kButtonLight);
        pal.setColor(group, QPalette::Mid, kButtonShadow);
        pal.setColor(group, QPalette::Dark, kButtonShadow);
        pal.setColor(group, QPalette::Shadow, kDarkShadow);
        pal.setColor(group, QPalette::Highlight, kSelection);
        pal.setColor(group, QPalette::HighlightedText, systemColour(SystemColour::HighlightText));
        pal.setColor(group, QPalette::Link, kLink);
        pal.setColor(group, QPalette::LinkVisited, kLink);
        pal.setColor(group, QPalette::ToolTipBase, systemColour(SystemColour::InfoBackground));
        pal.setColor(group, QPalette::ToolTipText, text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        pal.setColor(group, QPalette::Accent, kSelection);
#endif
    }
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, kGrayText);
    pal.setColor(QPalette::Disabled, QPalette::Base, face);
    return pal;
}
