#include "modHSL.h"

#include <gtest/gtest.h>

namespace {
struct Row {
    int32_t colour;
    HSLColor hsl;
    int32_t back;
};

// Colours in, their hue, saturation and luminance, and the colour made from those.
const Row Rows[] = {
    {0x000000, {0, 0, 0}, 0x000000},      {0xFFFFFF, {0, 0, 256}, 0xFFFFFF},
    {0x808080, {0, 0, 128}, 0x808080},    {0x0000FF, {0, 255, 128}, 0x0202FE},
    {0x00FF00, {85, 255, 128}, 0x02FE02}, {0xFF0000, {170, 255, 128}, 0xFE0202},
    {0x00FFFF, {42, 255, 128}, 0x02FEFE}, {0x3366CC, {14, 153, 128}, 0x3468CC},
};
} // namespace

TEST(modHSL, ConvertsBothWaysAsTheTableSays) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.colour);
        const HSLColor hsl = modHSL::RGBToHSL(row.colour);
        EXPECT_EQ(hsl.Hue, row.hsl.Hue);
        EXPECT_EQ(hsl.Saturation, row.hsl.Saturation);
        EXPECT_EQ(hsl.Luminance, row.hsl.Luminance);
        EXPECT_EQ(modHSL::HSLToRGB(hsl), row.back);
    }
}

TEST(modHSL, HueBelowZeroWrapsOnce) {
    // Red the largest and blue above green: the red rule gives a hue below 0.
    EXPECT_EQ(modHSL::RGBToHSL(0x8000FF).Hue, 234); // -21.33 + 255
    EXPECT_EQ(modHSL::RGBToHSL(0xFF00FF).Hue, 212); // magenta: -42.5 + 255, halves to even
}

TEST(modHSL, HueToRGBSwitchesRuleAt42And128And170) {
    const int32_t M1 = 10, M2 = 95; // M2 - M1 = 85: the rising ramp is 2 per hue step
    struct Case {
        int32_t hue, value;
    };
    const Case cases[] = {
        {0, 10},   // round(10 + 21.25 / 42.5) = round(10.5) = 10
        {41, 92},  // rising: 10 + (85 * 41 + 21.25) / 42.5 = 92.5 -> 92
        {42, 95},  // M2 from here
        {127, 95}, //
        {128, 94}, // falling: 10 + (85 * 42 + 21.25) / 42.5 = 94.5 -> 94
        {169, 12}, // 10 + (85 + 21.25) / 42.5 = 12.5 -> 12
        {170, 10}, // M1 from here
        {255, 10}, //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hue);
        EXPECT_EQ(modHSL::HueToRGB(M1, M2, c.hue), c.value);
    }
}

TEST(modHSL, HueOneTurnOutOfRangeIsBroughtBackOnce) {
    const int32_t M1 = 10, M2 = 95;
    EXPECT_EQ(modHSL::HueToRGB(M1, M2, -85), modHSL::HueToRGB(M1, M2, 170));
    EXPECT_EQ(modHSL::HueToRGB(M1, M2, 340), modHSL::HueToRGB(M1, M2, 85));
    EXPECT_EQ(modHSL::HueToRGB(M1, M2, -1), modHSL::HueToRGB(M1, M2, 254));
}

TEST(modHSL, ChannelsAndBounds) {
    EXPECT_EQ(modHSL::iRed(0x123456), 0x56);
    EXPECT_EQ(modHSL::iGreen(0x123456), 0x34);
    EXPECT_EQ(modHSL::iBlue(0x123456), 0x12);
    EXPECT_EQ(modHSL::iMax(3, 7), 7);
    EXPECT_EQ(modHSL::iMin(3, 7), 3);
    EXPECT_EQ(modHSL::iMax(-2, -2), -2);
}
