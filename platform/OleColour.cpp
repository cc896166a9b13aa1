#include "OleColour.h"

#include <QApplication>
#include <QPalette>

namespace platform {
namespace {
// The system colour indexes of the original platform, mapped to palette roles.
bool RoleFor(uint32_t index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
    group = QPalette::Active;
    switch (index) {
    case 1:  // desktop
    case 4:  // menu
    case 15: // button face
        role = QPalette::Button;
        return true;
    case 5: // window
        role = QPalette::Base;
        return true;
    case 6:  // window frame
    case 16: // button shadow
        role = QPalette::Dark;
        return true;
    case 7: // menu text
    case 8: // window text
        role = QPalette::WindowText;
        return true;
    case 13: // highlight
        role = QPalette::Highlight;
        return true;
    case 14: // highlight text
        role = QPalette::HighlightedText;
        return true;
    case 17: // grey text
        group = QPalette::Disabled;
        role = QPalette::WindowText;
        return true;
    case 18: // button text
        role = QPalette::ButtonText;
        return true;
    case 20: // button highlight
        role = QPalette::Light;
        return true;
    case 21: // 3-D dark shadow
        role = QPalette::Shadow;
        return true;
    case 22: // 3-D light
        role = QPalette::Midlight;
        return true;
    case 23: // tooltip text
        role = QPalette::ToolTipText;
        return true;
    case 24: // tooltip back
        role = QPalette::ToolTipBase;
        return true;
    default:
        return false;
    }
}
} // namespace

bool OleTranslateColor(uint32_t colour, uint32_t, uint32_t& rgb) {
    if ((colour & 0xFF000000u) == 0) {
        rgb = colour;
        return true;
    }
    if ((colour & 0xFF000000u) != 0x80000000u)
        return false;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!RoleFor(colour & 0xFFu, group, role))
        return false;
    const QColor c = QApplication::palette().color(group, role);
    rgb = uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
    return true;
}

} // namespace platform
