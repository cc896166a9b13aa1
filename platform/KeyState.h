#pragma once

#include <cstdint>

namespace platform::user32 {

// The key state of the user-interface thread as the keyboard layer last reported it:
// the high bit (0x8000) is set while the key is down.
int16_t GetKeyState(uint32_t virtualKey);

// Called by the keyboard layer with the state of the keyboard when a key event comes in.
void SetKeyState(uint32_t virtualKey, bool down);

} // namespace platform::user32
