#pragma once

#include <QImage>
#include <cstdint>

// The arithmetic of a stroke, kept apart from the window so that it can be checked alone.
namespace StrokeMath {

// One channel of a segment's colour: floor(r * 2J) + C - J for the draw r in [0, 1),
// clamped to 0..255, so the channel lies in C - J .. C + J - 1 before the clamping.
uint8_t JitterChannel(uint8_t channel, long jitter, float r);

// The number of steps between the stamps of a segment (dX, dY) with the brush spacing
// (sx, sy): |dX| / sx when |dY| < |dX|, else |dY| / sy, rounded half to even.
long StampSteps(float dX, float dY, long sx, long sy);

// The lines and the areas of a drawing, told apart by darkness: every pixel with a grey
// level below LineGrey (a quarter dark or more) becomes black, every other pixel white.
// The anti-aliased, compressed or noisy lines of a scanned or JPEG drawing then bound
// their areas as closed as a pure black-and-white drawing's do, and such a drawing stays
// exactly as it was. The image is RGB32.
constexpr int LineGrey = 192;
void SeparateLines(QImage& image);

} // namespace StrokeMath
