#include "KeyboardHookFilter.h"

#include "KeyState.h"
#include "KeyTranslation.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace platform::user32 {

KeyboardHookFilter::KeyboardHookFilter(HOOKPROC proc, QObject* parent)
    : QObject(parent), proc_(proc) {}

bool KeyboardHookFilter::SameEvent(const Judged& judged, const QKeyEvent& event) {
    return judged.valid && judged.key == event.key() && judged.scanCode == event.nativeScanCode() &&
           judged.keysym == event.nativeVirtualKey() &&
           judged.modifiers == event.QInputEvent::modifiers() &&
           judged.timestamp == event.timestamp();
}

intptr_t KeyboardHookFilter::Judge(const QKeyEvent& event) {
    KeyEventRecord record = TranslateKeyEvent(event);
    SetKeyState(VK_SHIFT, record.shiftHeld);
    SetKeyState(VK_CONTROL, record.ctrlHeld);
    SetKeyState(VK_MENU, record.altHeld);
    return proc_(HC_ACTION, record.message, reinterpret_cast<intptr_t>(&record.info));
}

bool KeyboardHookFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    intptr_t result = 0;
    if (type == QEvent::ShortcutOverride) {
        // Sent to the focus widget and on to its parents: judged once.
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!SameEvent(lastPress_, key)) {
            lastPress_ = {true,
                          key.key(),
                          key.nativeScanCode(),
                          key.nativeVirtualKey(),
                          key.QInputEvent::modifiers(),
                          key.timestamp(),
                          Judge(key)};
        }
        result = lastPress_.result;
    } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
               watched->isWindowType()) {
        // A press or release reaches its window once, before the focus widget.
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyPress && SameEvent(lastPress_, key))
            result = lastPress_.result;
        else
            result = Judge(key);
        if (type == QEvent::KeyPress)
            lastPress_.valid = false;
    } else if (type == QEvent::ContextMenu && watched->isWindowType() &&
               static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // The Menu key's context menu comes as an event of its own, ahead of the key's
        // press: it goes through the hook as that press.
        const auto& menu = *static_cast<QContextMenuEvent*>(event);
        result = Judge(QKeyEvent(QEvent::KeyPress, Qt::Key_Menu, menu.modifiers()));
    } else {
        return false;
    }
    if (result == 0)
        return false;
    // A swallowed press claims its shortcut check, so no shortcut fires and the press
    // itself goes on to its window, to be swallowed there.
    event->accept();
    return true;
}

} // namespace platform::user32
