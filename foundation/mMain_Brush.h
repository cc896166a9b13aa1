#pragma once

#include "DeviceContext.h"

#include <cstdint>

class cNDib;

namespace mMain {

// Splits a colour value 0x00BBGGRR into its red, green and blue bytes.
void SplitRGB(long Color, uint8_t& R, uint8_t& G, uint8_t& B);

// Presses the brush once into the canvas, centred on (X, Y), in Color, on the pixels whose
// colour in the region bitmap is the region key only, and copies the changed rectangle
// from the canvas to hDC. The brush's blue channel is its coverage: 0 full paint, 255 none.
void StampBrush(cNDib& canvas, const cNDib& region, const cNDib& brush, long X, long Y,
                long regionKey, long Color, platform::HDC hDC);

} // namespace mMain
