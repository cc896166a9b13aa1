#include "KeyState.h"

#include <array>

namespace platform::user32 {
namespace {
std::array<bool, 256> keysDown{};
}

int16_t GetKeyState(uint32_t virtualKey) {
    return virtualKey < keysDown.size() && keysDown[virtualKey] ? int16_t(0x8000u) : int16_t(0);
}

void SetKeyState(uint32_t virtualKey, bool down) {
    if (virtualKey < keysDown.size())
        keysDown[virtualKey] = down;
}

} // namespace platform::user32
