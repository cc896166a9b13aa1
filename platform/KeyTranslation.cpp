#include "KeyTranslation.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace platform::user32 {
namespace {

// X keysyms (keysymdef.h) of the keys that have a virtual-key code of their own.
constexpr std::pair<uint32_t, uint32_t> KeysymCodes[] = {
    {0xff08, VK_BACK},     {0xff09, VK_TAB},      {0xfe20, VK_TAB}, // ISO_Left_Tab
    {0xff0d, VK_RETURN},   {0xff8d, VK_RETURN},   {0xff13, VK_PAUSE},     {0xff14, VK_SCROLL},
    {0xff1b, VK_ESCAPE},   {0xff50, VK_HOME},     {0xff51, VK_LEFT},      {0xff52, VK_UP},
    {0xff53, VK_RIGHT},    {0xff54, VK_DOWN},     {0xff55, VK_PRIOR},     {0xff56, VK_NEXT},
    {0xff57, VK_END},      {0xff61, VK_SNAPSHOT}, {0xff63, VK_INSERT},    {0xff67, VK_APPS},
    {0xff7f, VK_NUMLOCK},  {0xff95, VK_HOME},     {0xff96, VK_LEFT},      {0xff97, VK_UP},
    {0xff98, VK_RIGHT},    {0xff99, VK_DOWN},     {0xff9a, VK_PRIOR},     {0xff9b, VK_NEXT},
    {0xff9c, VK_END},      {0xff9d, VK_CLEAR},    {0xff9e, VK_INSERT},    {0xff9f, VK_DELETE},
    {0xffaa, VK_MULTIPLY}, {0xffab, VK_ADD},      {0xffac, VK_SEPARATOR}, {0xffad, VK_SUBTRACT},
    {0xffae, VK_DECIMAL},  {0xffaf, VK_DIVIDE},   {0xffe1, VK_LSHIFT},    {0xffe2, VK_RSHIFT},
    {0xffe3, VK_LCONTROL}, {0xffe4, VK_RCONTROL}, {0xffe5, VK_CAPITAL},   {0xffe7, VK_LMENU},
    {0xffe8, VK_RMENU}, // Meta: the Alt keys with Shift
    {0xffe9, VK_LMENU},    {0xffea, VK_RMENU},    {0xfe03, VK_RMENU}, // AltGr
    {0xffeb, VK_LWIN},     {0xffec, VK_RWIN},     {0xffed, VK_LWIN},  // Hyper
    {0xffee, VK_RWIN},     {0xffff, VK_DELETE},
};

// Punctuation of the US layout, unshifted and shifted, and the shifted digits.
constexpr std::pair<char, uint32_t> PunctuationCodes[] = {
    {';', VK_OEM_1},      {':', VK_OEM_1},      {'=', VK_OEM_PLUS},  {'+', VK_OEM_PLUS},
    {',', VK_OEM_COMMA},  {'<', VK_OEM_COMMA},  {'-', VK_OEM_MINUS}, {'_', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD}, {'>', VK_OEM_PERIOD}, {'/', VK_OEM_2},     {'?', VK_OEM_2},
    {'`', VK_OEM_3},      {'~', VK_OEM_3},      {'[', VK_OEM_4},     {'{', VK_OEM_4},
    {'\\', VK_OEM_5},     {'|', VK_OEM_5},      {']', VK_OEM_6},     {'}', VK_OEM_6},
    {'\'', VK_OEM_7},     {'"', VK_OEM_7},      {'!', '1'},          {'@', '2'},
    {'#', '3'},           {'$', '4'},           {'%', '5'},          {'^', '6'},
    {'&', '7'},           {'*', '8'},           {'(', '9'},          {')', '0'},
};

// Keys whose record carries the extended-key flag.
bool IsExtended(uint32_t keysym, uint32_t vk) {
    switch (vk) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_NUMLOCK:
    case VK_DIVIDE:
    case VK_SNAPSHOT:
        return true;
    case VK_RETURN:
        return keysym == 0xff8d; // KP_Enter
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return keysym < 0xff95 || keysym > 0xff9f; // not the keypad's
    default:
        return false;
    }
}

} // namespace

uint32_t VirtualKeyFromKeysym(uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z')
        return keysym - 'a' + 'A';
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9') || keysym == ' ')
        return keysym;
    if (keysym >= 0xffb0 && keysym <= 0xffb9) // KP_0 .. KP_9
        return VK_NUMPAD0 + (keysym - 0xffb0);
    if (keysym >= 0xffbe && keysym <= 0xffd5) // F1 .. F24
        return VK_F1 + (keysym - 0xffbe);
    for (const auto& [sym, vk] : KeysymCodes)
        if (sym == keysym)
            return vk;
    for (const auto& [c, vk] : PunctuationCodes)
        if (uint32_t(uint8_t(c)) == keysym)
            return vk;
    return 0;
}

uint32_t VirtualKeyFromQtKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) ||
        key == Qt::Key_Space)
        return uint32_t(key); // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + uint32_t(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return VK_LWIN;
    case Qt::Key_Super_R:
        return VK_RWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    default:
        return 0;
    }
}

KeyEventRecord TranslateKeyEvent(const QKeyEvent& event) {
    KeyEventRecord record;
    const uint32_t keysym = event.nativeVirtualKey();
    uint32_t vk = keysym ? VirtualKeyFromKeysym(keysym) : 0;
    if (!vk)
        vk = VirtualKeyFromQtKey(event.key());
    const bool up = event.type() == QEvent::KeyRelease;

    // The event's own modifiers are the keyboard's state before this key changed it.
    const Qt::KeyboardModifiers before = event.QInputEvent::modifiers();
    record.shiftHeld = before.testFlag(Qt::ShiftModifier);
    record.ctrlHeld = before.testFlag(Qt::ControlModifier);
    record.altHeld = before.testFlag(Qt::AltModifier);
    // Alt counts as down for its own press, and no more for its own release.
    const bool isAlt = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    const bool altDown = isAlt ? !up : record.altHeld;

    record.info.vkCode = vk;
    // X key codes are the kernel's codes moved up by 8, and those are the PC scan codes.
    const uint32_t keycode = event.nativeScanCode();
    record.info.scanCode = keycode >= 8 ? keycode - 8 : keycode;
    record.info.flags = (altDown ? LLKHF_ALTDOWN : 0u) | (up ? LLKHF_UP : 0u) |
                        (IsExtended(keysym, vk) ? LLKHF_EXTENDED : 0u);
    record.info.time = uint32_t(event.timestamp());
    record.info.dwExtraInfo = 0;
    const bool system = (altDown && !record.ctrlHeld) || vk == VK_F10;
    record.message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
    return record;
}

} // namespace platform::user32
