#pragma once

#include <cstdint>

namespace platform {

// Colour values (0x00BBGGRR) and the pixels of RGB32 images (0xAARRGGBB).
constexpr uint32_t PixelFromColourValue(uint32_t colour) {
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

constexpr uint32_t ColourValueFromPixel(uint32_t pixel) {
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

} // namespace platform
