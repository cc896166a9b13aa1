#pragma once

#include <cstdint>

// Three colour bytes: red, green, blue, in that order.
struct RGBTriple {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
};
