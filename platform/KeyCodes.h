#pragma once

#include <cstdint>

// Virtual-key codes, keyboard messages and the low-level keyboard record, as the
// keyboard code of the original platform knows them.
namespace platform::user32 {

constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_CLEAR = 0x0C;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12; // Alt
constexpr uint32_t VK_PAUSE = 0x13;
constexpr uint32_t VK_CAPITAL = 0x14;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_SNAPSHOT = 0x2C;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
constexpr uint32_t VK_LWIN = 0x5B;
constexpr uint32_t VK_RWIN = 0x5C;
constexpr uint32_t VK_APPS = 0x5D;
constexpr uint32_t VK_NUMPAD0 = 0x60;
constexpr uint32_t VK_MULTIPLY = 0x6A;
constexpr uint32_t VK_ADD = 0x6B;
constexpr uint32_t VK_SEPARATOR = 0x6C;
constexpr uint32_t VK_SUBTRACT = 0x6D;
constexpr uint32_t VK_DECIMAL = 0x6E;
constexpr uint32_t VK_DIVIDE = 0x6F;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F10 = 0x79;
constexpr uint32_t VK_NUMLOCK = 0x90;
constexpr uint32_t VK_SCROLL = 0x91;
constexpr uint32_t VK_LSHIFT = 0xA0;
constexpr uint32_t VK_RSHIFT = 0xA1;
constexpr uint32_t VK_LCONTROL = 0xA2;
constexpr uint32_t VK_RCONTROL = 0xA3;
constexpr uint32_t VK_LMENU = 0xA4;
constexpr uint32_t VK_RMENU = 0xA5;
constexpr uint32_t VK_OEM_1 = 0xBA;      // ;:
constexpr uint32_t VK_OEM_PLUS = 0xBB;   // =+
constexpr uint32_t VK_OEM_COMMA = 0xBC;  // ,<
constexpr uint32_t VK_OEM_MINUS = 0xBD;  // -_
constexpr uint32_t VK_OEM_PERIOD = 0xBE; // .>
constexpr uint32_t VK_OEM_2 = 0xBF;      // /?
constexpr uint32_t VK_OEM_3 = 0xC0;      // `~
constexpr uint32_t VK_OEM_4 = 0xDB;      // [{
constexpr uint32_t VK_OEM_5 = 0xDC;      // \|
constexpr uint32_t VK_OEM_6 = 0xDD;      // ]}
constexpr uint32_t VK_OEM_7 = 0xDE;      // '"

constexpr uintptr_t WM_KEYDOWN = 0x100;
constexpr uintptr_t WM_KEYUP = 0x101;
constexpr uintptr_t WM_SYSKEYDOWN = 0x104;
constexpr uintptr_t WM_SYSKEYUP = 0x105;

constexpr uint32_t LLKHF_EXTENDED = 0x01;
constexpr uint32_t LLKHF_ALTDOWN = 0x20;
constexpr uint32_t LLKHF_UP = 0x80;

// One key event as a low-level keyboard hook sees it: five 32-bit fields.
struct KBDLLHOOKSTRUCT {
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uint32_t dwExtraInfo = 0;
};
static_assert(sizeof(KBDLLHOOKSTRUCT) == 20);

} // namespace platform::user32
