#pragma once

#include <QImage>

// The brush textures of the three tools: grey pictures whose value is the coverage of a
// stamp, 255 leaving the canvas as it is and darker values painting more.
namespace brushes {

QImage Crayon();     // 40 x 35, waxy grain, darkest 114
QImage Paintbrush(); // 112 x 106, soft round blob, darkest 126
QImage Pencil();     // 8 x 8, small grainy dot, darkest 165

} // namespace brushes
