#pragma once

#include <cstdint>

namespace platform {

// The program's one uniform random number generator.
// Rnd() gives a number in [0, 1) as a Single.
float Rnd();
// Seeds the generator from the time of day (Randomize).
void Randomize();
// Seeds the generator with a fixed value, for repeatable runs and tests.
void SeedRandom(uint32_t seed);

} // namespace platform
