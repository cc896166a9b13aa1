#pragma once

#include "RGBTriple.h"

#include <cstdint>
#include <vector>

namespace platform {
class PictureBox;
}

namespace mMain {

// The soft dark halo round a rectangle of a picture box: black at the rectangle's edge,
// fading into (red, green, blue) at `size` pixels out, with rounded corners.
struct ShadowStyle {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    long radius = 0; // corner radius of the rectangle
    bool enabled = false;
    long size = 0;    // halo width
    long offsetX = 0; // added to every drawn column
    long offsetY = 0; // added to every drawn row
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// A colour gradient over colour stops; direction 1 runs from top to bottom.
struct GradientStyle {
    long direction = 1;
    std::vector<RGBTriple> stops;
};

// Draws the halo pixel by pixel into the box's persistent image; the caller refreshes.
void DrawShadow(platform::PictureBox& picture, const ShadowStyle& style);

// Blends the gradient into the rectangle's rows over what is there already. -1 means a
// default: X and Y 0, Width and Height the box's scale size. The caller refreshes.
void DrawGradient(const GradientStyle& style, platform::PictureBox& picture, long X = -1,
                  long Y = -1, long Width = -1, long Height = -1);

} // namespace mMain
