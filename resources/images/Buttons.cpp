#include "Buttons.h"

#include "ButtonFace.h"

namespace buttons {
namespace {
// The main window's top bar, behind its action and tool buttons.
const QColor TopBar(120, 190, 240);
const QColor White(255, 255, 255);

struct Design {
    ButtonLook look;
    int normal, down, pressed; // resource numbers, 0 for a state the button has not
};

ButtonLook Look(QSize size, QColor face, QColor back, const char* drawing, int depth, int radius) {
    return {size, face, back, QString::fromLatin1(drawing), depth, radius};
}
} // namespace

std::vector<Bitmap> All() {
    // The seven buttons of the top bar share it with the bubbles: 80 x 64 each on screen.
    // Centred in the 100-pixel bar they leave 18 pixels above them, the height of the
    // adults' function buttons in the corner, so that these never cover a key.
    const QSize bar(81, 65);
    const QColor tool(0xff, 0xf4, 0xd6);
    const Design designs[] = {
        {Look(bar, QColor(0xff, 0x9f, 0x1c), TopBar, "open", 4, 14), 102, 101, 0},
        {Look(bar, QColor(0xff, 0x5d, 0x8f), TopBar, "clear", 4, 14), 146, 147, 0},
        {Look(bar, QColor(0x9b, 0x5d, 0xe5), TopBar, "undo", 4, 14), 110, 109, 0},
        {Look(bar, QColor(0xe0, 0x40, 0xfb), TopBar, "crazy", 4, 14), 130, 131, 132},
        {Look(bar, tool, TopBar, "tool-crayon", 4, 14), 108, 106, 107},
        {Look(bar, tool, TopBar, "tool-paintbrush", 4, 14), 105, 103, 104},
        {Look(bar, tool, TopBar, "tool-pencil", 4, 14), 119, 117, 118},
        // The child-facing message window.
        {Look({96, 33}, QColor(0x3c, 0xc1, 0x5a), White, "ok", 3, 10), 115, 116, 0},
        {Look({113, 39}, QColor(0xf2, 0x48, 0x3c), White, "cancel", 3, 10), 114, 113, 0},
        {Look({53, 27}, QColor(0x4a, 0x90, 0xe2), White, "fold-down", 2, 8), 127, 128, 0},
        // The picture chooser.
        {Look({32, 32}, QColor(0x3a, 0x86, 0xff), White, "arrow-up", 2, 8), 138, 139, 0},
        {Look({32, 32}, QColor(0x3a, 0x86, 0xff), White, "arrow-down", 2, 8), 136, 135, 0},
        {Look({28, 45}, QColor(0xff, 0x9f, 0x1c), White, "grip", 2, 10), 137, 140, 0},
        {Look({121, 45}, QColor(0x3c, 0xc1, 0x5a), White, "newpage", 3, 12), 148, 149, 0},
        {Look({151, 43}, QColor(0x9b, 0x5d, 0xe5), White, "morepics", 3, 12), 141, 142, 0},
    };
    std::vector<Bitmap> bitmaps;
    for (const Design& design : designs) {
        bitmaps.push_back({design.normal, DrawButton(design.look, ButtonState::Normal)});
        bitmaps.push_back({design.down, DrawButton(design.look, ButtonState::Down)});
        if (design.pressed)
            bitmaps.push_back({design.pressed, DrawButton(design.look, ButtonState::Pressed)});
    }
    // The toggle of the adult text, latched on while the text is unfolded: its arrow
    // then points back up.
    ButtonLook unfolded = designs[9].look;
    unfolded.drawing = QStringLiteral("fold-up");
    bitmaps.push_back({129, DrawButton(unfolded, ButtonState::Pressed)});
    return bitmaps;
}

} // namespace buttons
