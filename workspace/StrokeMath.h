#pragma once

#include <cstdint>

// The arithmetic of a stroke, kept apart from the window so that it can be checked alone.
namespace StrokeMath {

// One channel of a segment's colour: floor(r * 2J) + C - J for the draw r in [0, 1),
// clamped to 0..255, so the channel lies in C - J .. C + J - 1 before the clamping.
uint8_t JitterChannel(uint8_t channel, long jitter, float r);

// The number of steps between the stamps of a segment (dX, dY) with the brush spacing
// (sx, sy): |dX| / sx when |dY| < |dX|, else |dY| / sy, rounded half to even.
long StampSteps(float dX, float dY, long sx, long sy);

} // namespace StrokeMath
