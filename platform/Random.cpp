#include "Random.h"

#include <QTime>
#include <random>

namespace platform {
namespace {
std::mt19937& Generator() {
    static std::mt19937 generator(12345u);
    return generator;
}
} // namespace

float Rnd() {
    // 24 random bits give every Single in [0, 1) that a step of 2^-24 can hold.
    return float(Generator()() >> 8) / float(1u << 24);
}

void Randomize() {
    Randomize(uint32_t(QTime::currentTime().msecsSinceStartOfDay()));
}

void Randomize(uint32_t millisecondOfDay) {
    // The new state comes from the old one and the clock together: restarting from the
    // clock alone would repeat the numbers of every call within one millisecond.
    std::mt19937& generator = Generator();
    std::seed_seq mixed{uint32_t(generator()), uint32_t(generator()), millisecondOfDay};
    generator.seed(mixed);
}

void SeedRandom(uint32_t seed) {
    Generator().seed(seed);
}

} // namespace platform
