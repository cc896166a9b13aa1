#include "Hooks.h"
#include "KeyState.h"
#include "mMain_KeyboardHook.h"

#include <gtest/gtest.h>

using namespace platform::user32;

namespace {
constexpr uintptr_t WM_CHAR = 0x102;
constexpr int32_t HC_NOREMOVE = 3;

struct Case {
    const char* name;
    int32_t nCode;
    uintptr_t message;
    uint32_t vkCode;
    uint32_t flags;
    bool ctrlHeld;
    bool swallowed;
};

const Case cases[] = {
    // The Windows and Apps keys, pressed or released.
    {"left Windows down", HC_ACTION, WM_KEYDOWN, VK_LWIN, 0, false, true},
    {"left Windows up", HC_ACTION, WM_KEYUP, VK_LWIN, LLKHF_UP, false, true},
    {"right Windows down", HC_ACTION, WM_KEYDOWN, VK_RWIN, 0, false, true},
    {"Apps up", HC_ACTION, WM_KEYUP, VK_APPS, LLKHF_UP, false, true},
    // The Alt-down flag: Tab of Alt+Tab, F4 of Alt+F4, also on release.
    {"Alt+Tab", HC_ACTION, WM_SYSKEYDOWN, VK_TAB, LLKHF_ALTDOWN, false, true},
    {"Alt+F4", HC_ACTION, WM_SYSKEYDOWN, VK_F1 + 3, LLKHF_ALTDOWN, false, true},
    {"Alt+Tab release", HC_ACTION, WM_SYSKEYUP, VK_TAB, LLKHF_ALTDOWN | LLKHF_UP, false, true},
    {"left Alt down", HC_ACTION, WM_SYSKEYDOWN, VK_LMENU, LLKHF_ALTDOWN, false, true},
    // Anything while Ctrl is held, down or up.
    {"Ctrl+A down", HC_ACTION, WM_KEYDOWN, 'A', 0, true, true},
    {"Ctrl+A up", HC_ACTION, WM_KEYUP, 'A', LLKHF_UP, true, true},
    {"Ctrl+Esc", HC_ACTION, WM_KEYDOWN, VK_ESCAPE, 0, true, true},
    {"left Ctrl release", HC_ACTION, WM_KEYUP, VK_LCONTROL, LLKHF_UP, true, true},
    // What a password needs goes on.
    {"letter", HC_ACTION, WM_KEYDOWN, 'A', 0, false, false},
    {"letter up", HC_ACTION, WM_KEYUP, 'Z', LLKHF_UP, false, false},
    {"digit", HC_ACTION, WM_KEYDOWN, '7', 0, false, false},
    {"Enter", HC_ACTION, WM_KEYDOWN, VK_RETURN, 0, false, false},
    {"Backspace", HC_ACTION, WM_KEYDOWN, VK_BACK, 0, false, false},
    {"Esc", HC_ACTION, WM_KEYDOWN, VK_ESCAPE, 0, false, false},
    // The generic modifier codes are in the list, the side-specific ones are not.
    {"VK_LSHIFT", HC_ACTION, WM_KEYDOWN, VK_LSHIFT, 0, false, false},
    {"VK_RSHIFT", HC_ACTION, WM_KEYUP, VK_RSHIFT, LLKHF_UP, false, false},
    {"VK_LCONTROL press", HC_ACTION, WM_KEYDOWN, VK_LCONTROL, 0, false, false},
    {"VK_SHIFT", HC_ACTION, WM_KEYDOWN, VK_SHIFT, 0, false, true},
    {"VK_CONTROL", HC_ACTION, WM_KEYDOWN, VK_CONTROL, 0, false, true},
    {"VK_MENU", HC_ACTION, WM_KEYDOWN, VK_MENU, 0, false, true},
    // Not for the hook to judge: passed on, however locked the key.
    {"nCode < 0", -1, WM_KEYDOWN, VK_LWIN, LLKHF_ALTDOWN, true, false},
    {"nCode not HC_ACTION", HC_NOREMOVE, WM_KEYDOWN, VK_LWIN, 0, false, false},
    {"other message", HC_ACTION, WM_CHAR, VK_LWIN, LLKHF_ALTDOWN, true, false},
};
} // namespace

TEST(KeyboardHookProc, SwallowsExactlyTheLockedKeys) {
    for (const Case& c : cases) {
        KBDLLHOOKSTRUCT record{c.vkCode, 0x2A, c.flags, 123456, 77};
        mMain::KeyboardHookInfo = {0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD};
        SetKeyState(VK_CONTROL, c.ctrlHeld);
        const intptr_t result =
            mMain::KeyboardHookProc(c.nCode, c.message, reinterpret_cast<intptr_t>(&record));
        SetKeyState(VK_CONTROL, false);

        EXPECT_EQ(result, c.swallowed ? -1 : CallNextHookEx(0, c.nCode, c.message, 0)) << c.name;
        // Only the four key messages with HC_ACTION are examined and copied.
        const bool examined = c.nCode == HC_ACTION && c.message != WM_CHAR;
        const KBDLLHOOKSTRUCT& info = mMain::KeyboardHookInfo;
        if (examined) {
            EXPECT_EQ(
                std::tuple(info.vkCode, info.scanCode, info.flags, info.time, info.dwExtraInfo),
                std::tuple(c.vkCode, 0x2Au, c.flags, 123456u, 77u))
                << c.name;
        } else {
            EXPECT_EQ(info.vkCode, 0xDEADu) << c.name;
            EXPECT_EQ(info.dwExtraInfo, 0xDEADu) << c.name;
        }
    }
}
