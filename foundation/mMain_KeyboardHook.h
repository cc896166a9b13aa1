#pragma once

#include "KeyCodes.h"

#include <cstdint>

namespace mMain {

// The last key event record that the hook procedure examined.
extern platform::user32::KBDLLHOOKSTRUCT KeyboardHookInfo;

// The child lock, a low-level keyboard hook procedure: swallows (returns -1) the Windows
// and Apps keys, the generic Shift, Ctrl and Alt codes, and every key event while Ctrl
// is held or Alt is down; every other event goes on down the hook chain.
intptr_t KeyboardHookProc(int32_t nCode, uintptr_t wParam, intptr_t lParam);

} // namespace mMain
