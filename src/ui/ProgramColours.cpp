#include "ui/ProgramColours.h"

#include <QWidget>

#include "state/Units.h"

namespace tomira {

QPalette ProgramPalette()
{
    // The windows are drawn on white and light pastel grounds with dark
    // text; the controls between them keep the light look of the desktop
    // the program was designed on, whatever colour scheme the user's
    // desktop has. Every role of every group is set, so nothing of a dark
    // scheme shows through.
    struct RoleColour {
        QPalette::ColorRole role;
        QRgb normal;
        QRgb disabled;
    };
    constexpr RoleColour kColours[] = {
        {QPalette::WindowText, 0x000000, 0x6D6D6D},  {QPalette::Window, 0xF0F0F0, 0xF0F0F0},
        {QPalette::Base, 0xFFFFFF, 0xF0F0F0},        {QPalette::AlternateBase, 0xF7F7F7, 0xF7F7F7},
        {QPalette::Text, 0x000000, 0x6D6D6D},        {QPalette::PlaceholderText, 0x6D6D6D, 0x6D6D6D},
        {QPalette::Button, 0xF0F0F0, 0xF0F0F0},      {QPalette::ButtonText, 0x000000, 0x6D6D6D},
        {QPalette::BrightText, 0xFFFFFF, 0xFFFFFF},  {QPalette::Light, 0xFFFFFF, 0xFFFFFF},
        {QPalette::Midlight, 0xE3E3E3, 0xE3E3E3},    {QPalette::Mid, 0xA0A0A0, 0xA0A0A0},
        {QPalette::Dark, 0x707070, 0x707070},        {QPalette::Shadow, 0x404040, 0x404040},
        {QPalette::Highlight, 0x0063B1, 0xC0C0C0},   {QPalette::HighlightedText, 0xFFFFFF, 0x000000},
        {QPalette::Link, 0x0000EE, 0x6D6D6D},        {QPalette::LinkVisited, 0x551A8B, 0x6D6D6D},
        {QPalette::ToolTipBase, 0xFFFFE1, 0xFFFFE1}, {QPalette::ToolTipText, 0x000000, 0x000000},
    };
    QPalette palette;
    for (const RoleColour& c : kColours) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, c.role, QColor::fromRgb(c.normal));
        }
        palette.setColor(QPalette::Disabled, c.role, QColor::fromRgb(c.disabled));
    }
    return palette;
}

QColor ToQColor(std::uint32_t colourValue)
{
    if (IsSystemColour(colourValue)) {
        const QPalette palette = ProgramPalette();
        switch (colourValue) {
        case kSysButtonFace:
            return palette.color(QPalette::Active, QPalette::Button);
        case kSysHighlightText:
            return palette.color(QPalette::Active, QPalette::HighlightedText);
        default:
            return palette.color(QPalette::Active, QPalette::Window);
        }
    }
    const Rgb rgb = FromColourValue(colourValue);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void SetBackground(QWidget& widget, std::uint32_t colourValue)
{
    // Buttons and check boxes fill with the button role, labels and
    // panels with the window role, fields with the base role.
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, ToQColor(colourValue));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace tomira
