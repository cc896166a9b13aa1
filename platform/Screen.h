#pragma once

#include <functional>

namespace platform {

// The whole screen's size in pixels and its colour depth, as the device context of the
// screen reports them (HORZRES, VERTRES, BITSPIXEL).
struct ScreenMetrics {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
};

ScreenMetrics CurrentScreen();
// Tests stand in a screen of their choice; an empty function gives the real one back.
void SetScreenForTesting(std::function<ScreenMetrics()> screen);

} // namespace platform
