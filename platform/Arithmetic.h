#pragma once

#include <cmath>
#include <cstdint>

namespace platform {

// Every conversion of a fractional value to a whole number goes to the nearest whole
// number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline long RoundHalfEven(double value) {
    return static_cast<long>(std::nearbyint(value));
}

// Largest whole number not above the value (Int() of the original).
inline long Floor(double value) {
    return static_cast<long>(std::floor(value));
}

// A colour value holds red in the lowest byte, then green, then blue: 0x00BBGGRR.
constexpr uint32_t RGB(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

constexpr int TwipsPerPixel = 15;

} // namespace platform
