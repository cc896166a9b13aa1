#pragma once

#include <cstdint>

// Colours between red-green-blue and hue-saturation-luminance, every component on a
// 0 to 255 scale, in double precision with half-to-even rounding. The two directions are
// not an exact inverse of each other. Colours are 0x00BBGGRR.
struct HSLColor {
    int32_t Hue = 0;
    int32_t Saturation = 0;
    int32_t Luminance = 0; // 256 for pure white
};

namespace modHSL {

int32_t iRed(int32_t colour);
int32_t iGreen(int32_t colour);
int32_t iBlue(int32_t colour);
int32_t iMax(int32_t a, int32_t b);
int32_t iMin(int32_t a, int32_t b);

HSLColor RGBToHSL(int32_t colour);
// A channel above 255 counts as 255.
int32_t HSLToRGB(const HSLColor& hsl);
// One channel from the two bounds that HSLToRGB makes; a hue one turn out of range
// is brought back once.
int32_t HueToRGB(int32_t M1, int32_t M2, int32_t hue);

} // namespace modHSL
