#include "KeyTranslation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace platform::user32;

namespace {
// X keysyms.
constexpr uint32_t XK_Tab = 0xff09, XK_ISO_Left_Tab = 0xfe20, XK_Return = 0xff0d,
                   XK_KP_Enter = 0xff8d, XK_Escape = 0xff1b, XK_Shift_L = 0xffe1,
                   XK_Shift_R = 0xffe2, XK_Control_L = 0xffe3, XK_Control_R = 0xffe4,
                   XK_Alt_L = 0xffe9, XK_Alt_R = 0xffea, XK_Super_L = 0xffeb, XK_Super_R = 0xffec,
                   XK_Menu = 0xff67, XK_F4 = 0xffc1, XK_F10 = 0xffc7, XK_Left = 0xff51,
                   XK_KP_Left = 0xff96, XK_exclam = 0x21;

struct Case {
    const char* name;
    bool release;
    int qtKey;
    uint32_t keysym;
    Qt::KeyboardModifiers held; // the keyboard's modifiers before the event
    uint32_t vk;
    uint32_t flags;
    uintptr_t message;
};

const Case cases[] = {
    {"left Super", false, Qt::Key_Super_L, XK_Super_L, {}, VK_LWIN, LLKHF_EXTENDED, WM_KEYDOWN},
    {"right Super", false, Qt::Key_Super_R, XK_Super_R, {}, VK_RWIN, LLKHF_EXTENDED, WM_KEYDOWN},
    {"Menu", true, Qt::Key_Menu, XK_Menu, {}, VK_APPS, LLKHF_EXTENDED | LLKHF_UP, WM_KEYUP},
    {"left Shift", false, Qt::Key_Shift, XK_Shift_L, {}, VK_LSHIFT, 0, WM_KEYDOWN},
    {"right Shift", false, Qt::Key_Shift, XK_Shift_R, {}, VK_RSHIFT, 0, WM_KEYDOWN},
    {"left Ctrl", false, Qt::Key_Control, XK_Control_L, {}, VK_LCONTROL, 0, WM_KEYDOWN},
    {"right Ctrl release", true, Qt::Key_Control, XK_Control_R, Qt::ControlModifier, VK_RCONTROL,
     LLKHF_EXTENDED | LLKHF_UP, WM_KEYUP},
    // Alt is down for its own press, and no more for its own release.
    {"left Alt", false, Qt::Key_Alt, XK_Alt_L, {}, VK_LMENU, LLKHF_ALTDOWN, WM_SYSKEYDOWN},
    {"left Alt release", true, Qt::Key_Alt, XK_Alt_L, Qt::AltModifier, VK_LMENU, LLKHF_UP,
     WM_KEYUP},
    {"right Alt",
     false,
     Qt::Key_Alt,
     XK_Alt_R,
     {},
     VK_RMENU,
     LLKHF_ALTDOWN | LLKHF_EXTENDED,
     WM_SYSKEYDOWN},
    {"Tab of Alt+Tab", false, Qt::Key_Tab, XK_Tab, Qt::AltModifier, VK_TAB, LLKHF_ALTDOWN,
     WM_SYSKEYDOWN},
    {"F4 of Alt+F4 release", true, Qt::Key_F4, XK_F4, Qt::AltModifier, VK_F1 + 3,
     LLKHF_ALTDOWN | LLKHF_UP, WM_SYSKEYUP},
    {"Ctrl+Alt+Tab", false, Qt::Key_Tab, XK_Tab, Qt::ControlModifier | Qt::AltModifier, VK_TAB,
     LLKHF_ALTDOWN, WM_KEYDOWN},
    {"Shift+Tab", false, Qt::Key_Backtab, XK_ISO_Left_Tab, Qt::ShiftModifier, VK_TAB, 0,
     WM_KEYDOWN},
    {"F10", false, Qt::Key_F10, XK_F10, {}, VK_F10, 0, WM_SYSKEYDOWN},
    {"letter", false, Qt::Key_A, 'a', {}, 'A', 0, WM_KEYDOWN},
    {"capital letter", true, Qt::Key_Q, 'Q', Qt::ShiftModifier, 'Q', LLKHF_UP, WM_KEYUP},
    {"digit", false, Qt::Key_7, '7', {}, '7', 0, WM_KEYDOWN},
    {"shifted digit", false, Qt::Key_Exclam, XK_exclam, Qt::ShiftModifier, '1', 0, WM_KEYDOWN},
    {"Esc", false, Qt::Key_Escape, XK_Escape, {}, VK_ESCAPE, 0, WM_KEYDOWN},
    {"Enter", false, Qt::Key_Return, XK_Return, {}, VK_RETURN, 0, WM_KEYDOWN},
    {"keypad Enter", false, Qt::Key_Enter, XK_KP_Enter, {}, VK_RETURN, LLKHF_EXTENDED, WM_KEYDOWN},
    {"arrow", false, Qt::Key_Left, XK_Left, {}, VK_LEFT, LLKHF_EXTENDED, WM_KEYDOWN},
    {"keypad arrow", false, Qt::Key_Left, XK_KP_Left, {}, VK_LEFT, 0, WM_KEYDOWN},
    // Events that the program makes itself carry no keysym: generic modifier codes.
    {"made-up Shift", false, Qt::Key_Shift, 0, {}, VK_SHIFT, 0, WM_KEYDOWN},
    {"made-up Alt", false, Qt::Key_Alt, 0, {}, VK_MENU, LLKHF_ALTDOWN, WM_SYSKEYDOWN},
    {"made-up letter", false, Qt::Key_B, 0, {}, 'B', 0, WM_KEYDOWN},
    {"unknown key", false, Qt::Key_unknown, 0x10000e9, {}, 0, 0, WM_KEYDOWN},
};
} // namespace

TEST(TranslateKeyEvent, GivesTheRecordOfALowLevelHook) {
    for (const Case& c : cases) {
        QKeyEvent event(c.release ? QEvent::KeyRelease : QEvent::KeyPress, c.qtKey, c.held, 50,
                        c.keysym, 0);
        event.setTimestamp(987654);
        const KeyEventRecord record = TranslateKeyEvent(event);
        EXPECT_EQ(record.info.vkCode, c.vk) << c.name;
        EXPECT_EQ(record.info.flags, c.flags) << c.name;
        EXPECT_EQ(record.message, c.message) << c.name;
        EXPECT_EQ(record.info.scanCode, 42u) << c.name; // X key code 50: left Shift's
        EXPECT_EQ(record.info.time, 987654u) << c.name;
        EXPECT_EQ(record.ctrlHeld, c.held.testFlag(Qt::ControlModifier)) << c.name;
        EXPECT_EQ(record.altHeld, c.held.testFlag(Qt::AltModifier)) << c.name;
        EXPECT_EQ(record.shiftHeld, c.held.testFlag(Qt::ShiftModifier)) << c.name;
    }
}
