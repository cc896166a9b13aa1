#include "StrokeMath.h"

#include "Arithmetic.h"

#include <algorithm>
#include <cmath>

namespace StrokeMath {

uint8_t JitterChannel(uint8_t channel, long jitter, float r) {
    const long v = platform::Floor(double(r) * double(2 * jitter)) + long(channel) - jitter;
    return uint8_t(std::clamp(v, 0L, 255L));
}

long StampSteps(float dX, float dY, long sx, long sy) {
    // A brush too small to have a spacing steps one pixel at a time.
    const float n = std::fabs(dY) < std::fabs(dX) ? std::fabs(dX) / float(std::max(sx, 1L))
                                                  : std::fabs(dY) / float(std::max(sy, 1L));
    return platform::RoundHalfEven(n);
}

} // namespace StrokeMath
