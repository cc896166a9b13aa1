#pragma once

#include <cstdint>

// The low-level keyboard hook. While installed, every key event of the program's
// windows goes through the hook procedure first: an event for which it returns
// non-zero is swallowed, the others are delivered as usual. Installing also takes the
// X keyboard grab, so that key events meant for the window manager or other programs
// (Alt+Tab, the Super key) come to the program and through the hook as well, and with
// it the pointer, so that the window manager's mouse gestures (Alt+wheel, Alt+button,
// the desktop's menus) do nothing; removing the hook gives both back.
namespace platform::user32 {

using HHOOK = intptr_t;
using HOOKPROC = intptr_t (*)(int32_t nCode, uintptr_t wParam, intptr_t lParam);

constexpr int WH_KEYBOARD_LL = 13;
constexpr int32_t HC_ACTION = 0;

// Returns the hook's handle, or 0 when no hook can be installed: a hook type other
// than WH_KEYBOARD_LL, no procedure, no application, or a platform that cannot grab
// the keyboard (offscreen). The module and thread arguments are accepted as given.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, void* hmod, uint32_t dwThreadId);

// Removes an installed hook; false for a handle that is not installed.
bool UnhookWindowsHookEx(HHOOK hhk);

// The end of the hook chain: the event goes on to the program.
intptr_t CallNextHookEx(HHOOK hhk, int32_t nCode, uintptr_t wParam, intptr_t lParam);

} // namespace platform::user32
