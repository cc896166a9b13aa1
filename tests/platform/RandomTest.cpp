#include "Random.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<float> Draws(int count) {
    std::vector<float> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(platform::Rnd());
    return draws;
}
} // namespace

TEST(Random, TheClockIsMixedInAndTheSequenceGoesOn) {
    // Two reseeds within one millisecond: the second must not repeat the first's numbers,
    // or things drawn right after each (two bubbles popping in one step) come out the same.
    platform::SeedRandom(1);
    platform::Randomize(36'000'000);
    const std::vector<float> first = Draws(4);
    platform::Randomize(36'000'000);
    const std::vector<float> second = Draws(4);
    EXPECT_NE(first, second);

    // The state and the clock together decide what follows: a run can be repeated.
    platform::SeedRandom(1);
    platform::Randomize(36'000'000);
    EXPECT_EQ(Draws(4), first);

    // Another millisecond from the same state leads elsewhere.
    platform::SeedRandom(1);
    platform::Randomize(36'000'001);
    EXPECT_NE(Draws(4), first);
}

TEST(Random, DrawsStayWithinZeroToOne) {
    platform::SeedRandom(7);
    for (int i = 0; i < 10000; ++i) {
        if (i % 100 == 0)
            platform::Randomize(uint32_t(i));
        const float r = platform::Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}
