#pragma once

#include <cstdint>

namespace platform {

// Translates an OLE colour: a system-colour reference (0x80000000 | index) becomes the
// current RGB value of that colour in the application palette; a plain RGB colour value
// comes back unchanged. False for an unknown reference.
bool OleTranslateColor(uint32_t colour, uint32_t palette, uint32_t& rgb);

} // namespace platform
