#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace platform {

// Scanline flood fills on an RGB32 image. Colours are 0x00RRGGBB as the image keeps them.
// Each returns the bounding rectangle of what it changed (empty when nothing changed).
// Connection is 4-way: a pixel joins through its left, right, upper or lower neighbour.

// Every pixel of `surface` colour connected to (x, y) becomes `fill`.
// Nothing happens when the start pixel is not the surface colour.
QRect FloodFillSurface(QImage& image, int x, int y, uint32_t surface, uint32_t fill);

// Every pixel connected to (x, y) that is neither the `border` colour nor already `fill`
// becomes `fill`.
QRect FloodFillBorder(QImage& image, int x, int y, uint32_t border, uint32_t fill);

// How far apart two colours are: the largest difference of their red, green and blue.
inline int ColourDistance(uint32_t a, uint32_t b) {
    const int red = std::abs(int((a >> 16) & 0xFFu) - int((b >> 16) & 0xFFu));
    const int green = std::abs(int((a >> 8) & 0xFFu) - int((b >> 8) & 0xFFu));
    const int blue = std::abs(int(a & 0xFFu) - int(b & 0xFFu));
    return std::max(red, std::max(green, blue));
}

// Every pixel connected to (x, y) whose colour lies within `tolerance` of `reference`
// becomes `fill`. No pixel may hold the fill colour beforehand: filled pixels are known
// by it. The pixels that stopped the fill are added to `edge` when it is given.
QRect FloodFillNear(QImage& image, int x, int y, uint32_t reference, int tolerance, uint32_t fill,
                    std::vector<QPoint>* edge = nullptr);

} // namespace platform
