#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

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

} // namespace platform
