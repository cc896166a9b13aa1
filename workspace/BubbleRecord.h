#pragma once

#include <cstdint>

// One floating colour bubble: its centre, sway, rise speed and size in pixels of the
// palette, and its colour (0x00BBGGRR; -1 for the bubble that opens the colour picker).
struct BubbleRecord {
    float X = 0;
    float Y = 0;
    float DX = 0; // current sway offset, added to X at every step
    float VY = 0; // rise speed in pixels per step, negative upwards
    float Radius = 0;
    float Phase = 0; // sway phase in radians
    int32_t Colour = 0;
};
