#pragma once

#include <cstdint>

namespace platform {

// The program's one uniform random number generator.
// Rnd() gives a number in [0, 1) as a Single.
float Rnd();
// Mixes the time of day into the generator's state (Randomize). The sequence goes on from
// where it stood, so two calls within the same millisecond still give different numbers.
void Randomize();
// The same with a given millisecond of the day, for simulations of the program's run.
void Randomize(uint32_t millisecondOfDay);
// Seeds the generator with a fixed value, for repeatable runs and tests.
void SeedRandom(uint32_t seed);

} // namespace platform
