#include "KeyboardHookFilter.h"

#include "KeyState.h"
#include "KeyTranslation.h"

#include <QKeyEvent>

namespace platform::user32 {

KeyboardHookFilter::KeyboardHookFilter(HOOKPROC proc, QObject* parent)
    : QObject(parent), proc_(proc) {}

bool KeyboardHookFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Key presses and releases reach the window first, once, and are then passed on to
    // the focus widget and its parents; the shortcut check comes before all of it.
    const bool atWindow =
        (type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType();
    if (!atWindow && type != QEvent::ShortcutOverride)
        return false;
    KeyEventRecord record = TranslateKeyEvent(*static_cast<QKeyEvent*>(event));
    SetKeyState(VK_SHIFT, record.shiftHeld);
    SetKeyState(VK_CONTROL, record.ctrlHeld);
    SetKeyState(VK_MENU, record.altHeld);
    const intptr_t result =
        proc_(HC_ACTION, record.message, reinterpret_cast<intptr_t>(&record.info));
    if (result == 0)
        return false;
    // A swallowed press claims its shortcut check, so no shortcut fires and the press
    // itself comes here again, to be swallowed at the window.
    event->accept();
    return true;
}

} // namespace platform::user32
