#pragma once

#include "cNDib.h"

#include <QImage>
#include <cstdint>

namespace fixtures {

// A grainy grey-scale brush: coverage falls off from the centre, with a fixed-seed grain,
// and the darkest value is exactly `darkest`.
QImage GrainyBrush(int width, int height, int darkest, uint32_t seed = 7);

// A line drawing: black outlines 3 pixels wide on white, making several closed regions:
// a frame round the edge, a vertical bar splitting the inside in two, and a ring in the
// left half. Size 200 x 120.
QImage LineDrawing();

// A line drawing as a drawing program makes one: anti-aliased black outlines 1.5 to 3
// pixels wide on white, with grey edges. A frame round the edge; an ellipse centred at
// about (86, 86); a five-pointed star centred at about (235, 91); a wavy line across the
// lower part from edge to edge; and a thin slanting line that ends in the open. Size 320 x
// 240.
QImage AntialiasedDrawing();

// A bitmap filled with one colour value (0x00BBGGRR).
cNDib SolidDib(int width, int height, uint32_t colour);

} // namespace fixtures
