#pragma once

#include "KeyCodes.h"

#include <cstdint>

class QKeyEvent;

namespace platform::user32 {

// A key event in the terms of a low-level keyboard hook: the message (WM_KEYDOWN,
// WM_SYSKEYDOWN, WM_KEYUP or WM_SYSKEYUP), the record, and the modifier keys held when
// the event came in (not counting the event's own key).
struct KeyEventRecord {
    uintptr_t message = WM_KEYDOWN;
    KBDLLHOOKSTRUCT info;
    bool shiftHeld = false;
    bool ctrlHeld = false;
    bool altHeld = false;
};

// The virtual-key code of an X keysym; left and right modifier keys get their own codes.
// 0 for keysyms that have none.
uint32_t VirtualKeyFromKeysym(uint32_t keysym);

// For key events that carry no keysym (made up by the program itself): the side of a
// modifier key is not known, so modifiers get the generic codes.
uint32_t VirtualKeyFromQtKey(int key);

KeyEventRecord TranslateKeyEvent(const QKeyEvent& event);

} // namespace platform::user32
