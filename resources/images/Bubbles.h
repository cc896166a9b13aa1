#pragma once

#include <QImage>
#include <vector>

// The colour bubbles: round shaded sprites on pure black. The main palette reads each
// bubble's colour from its centre pixel; the colour picker recolours its bubbles to the
// hue of the current colour, keeping their shading.
namespace bubbles {

std::vector<QImage> Palette(); // pCC0..pCC22; the last one opens the colour picker
std::vector<QImage> Picker();  // pickerCC0..pickerCC17

} // namespace bubbles
