#include "mMain_KeyboardHook.h"

#include "Hooks.h"
#include "KeyState.h"

#include <cstring>

namespace mMain {

platform::user32::KBDLLHOOKSTRUCT KeyboardHookInfo;

intptr_t KeyboardHookProc(int32_t nCode, uintptr_t wParam, intptr_t lParam) {
    using namespace platform::user32;
    if (nCode == HC_ACTION && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN ||
                               wParam == WM_KEYUP || wParam == WM_SYSKEYUP)) {
        std::memcpy(&KeyboardHookInfo, reinterpret_cast<const void*>(lParam),
                    sizeof KeyboardHookInfo);
        const bool ctrlHeld = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const bool altDown = (KeyboardHookInfo.flags & LLKHF_ALTDOWN) != 0;
        bool lockedKey = false;
        switch (KeyboardHookInfo.vkCode) {
        case VK_APPS:
        case VK_RWIN:
        case VK_LWIN:
        case VK_MENU:
        case VK_CONTROL:
        case VK_SHIFT:
            lockedKey = true;
            break;
        default:
            break;
        }
        if (ctrlHeld || altDown || lockedKey)
            return -1;
    }
    return CallNextHookEx(0, nCode, wParam, lParam);
}

} // namespace mMain
