#include "Arithmetic.h"
#include "PictureBox.h"
#include "mMain_Brush.h"
#include "mMain_Frame.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {
using Rgb = std::tuple<int, int, int>;
constexpr uint32_t Sentinel = 0xFF00FF; // magenta: never drawn by the frame
constexpr Rgb SentinelRgb{255, 0, 255};

Rgb PixelAt(platform::PictureBox& box, int x, int y) {
    const QRgb p = box.Image().pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p)};
}

// The canvas rectangle (30, 25) 40 x 30 with the system's radius 2 and size 10.
mMain::ShadowStyle CanvasShadow(uint8_t r, uint8_t g, uint8_t b) {
    mMain::ShadowStyle style;
    style.left = 30;
    style.top = 25;
    style.width = 40;
    style.height = 30;
    style.radius = 2;
    style.enabled = true;
    style.size = 10;
    style.red = r;
    style.green = g;
    style.blue = b;
    return style;
}

class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        box.resize(100, 80);
        box.SetBackColor(Sentinel);
    }
    platform::PictureBox box;
};
constexpr int X = 30, Y = 25, W = 40, H = 30;
} // namespace

TEST_F(FrameTest, HaloFadesFromBlackAtTheEdgeToTheColourAtSizePixelsOut) {
    mMain::DrawShadow(box, CanvasShadow(200, 100, 50));
    const int midY = Y + H / 2, midX = X + W / 2;
    struct Case {
        const char* where;
        int x, y;
        Rgb expected;
    };
    const Case cases[] = {
        {"left band X - 10", X - 10, midY, {200, 100, 50}},
        {"left band X - 5", X - 5, midY, {100, 50, 25}},
        {"left band X", X, midY, {0, 0, 0}},
        {"right band X + W", X + W, midY, {0, 0, 0}},
        {"right band X + W + 5", X + W + 5, midY, {100, 50, 25}},
        {"right band X + W + 10", X + W + 10, midY, {200, 100, 50}},
        {"top band Y - 10", midX, Y - 10, {200, 100, 50}},
        {"top band Y - 5", midX, Y - 5, {100, 50, 25}},
        {"bottom band Y + H + 10", midX, Y + H + 10, {200, 100, 50}},
        {"bottom band Y + H + 3", midX, Y + H + 3, {60, 30, 15}},
        // Corner, i = 5 and j = X: d = sqrt(4 + 25), f = (d - 2) / 10, at all four places.
        {"top-left corner", X, Y - 3, {68, 34, 17}},
        {"bottom-left corner", X, Y + H + 3, {68, 34, 17}},
        {"top-right corner", X + W, Y - 3, {68, 34, 17}},
        {"bottom-right corner", X + W, Y + H + 3, {68, 34, 17}},
        {"corner on the outer circle, i = 0", X - 10, Y + 2, {200, 100, 50}},
        {"inside the canvas", midX, midY, SentinelRgb},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelAt(box, c.x, c.y), c.expected) << c.where;
}

TEST_F(FrameTest, ChannelsRoundHalfToEvenAndNeverWrapPastWhite) {
    mMain::DrawShadow(box, CanvasShadow(201, 101, 51));
    EXPECT_EQ(PixelAt(box, X - 5, Y + H / 2), Rgb(100, 50, 26)); // 100.5, 50.5, 25.5
    box.Cls();
    // Corner i = 5, j = X - 9 lies just past the outer circle: f = 1.008.
    mMain::DrawShadow(box, CanvasShadow(255, 255, 255));
    EXPECT_EQ(PixelAt(box, X - 9, Y - 3), Rgb(255, 255, 255));
}

TEST_F(FrameTest, CornerRowsRunFromTheOuterCircleToTheCorner) {
    mMain::DrawShadow(box, CanvasShadow(200, 100, 50));
    struct Case {
        int i;
        int first, last; // columns relative to X
    };
    // i = 0: X - 10 to X + 2 - sqrt(4); i = 12 (R + S): one pixel at X + 2;
    // i = 5: X + 12 - nearest(sqrt(119) + 10) to X + 2.
    const Case cases[] = {{1, -10, 0}, {5, -9, 2}, {12, 2, 2}};
    for (const Case& c : cases) {
        const int row = Y + 2 - c.i;
        EXPECT_EQ(PixelAt(box, X + c.first - 1, row), SentinelRgb) << "before, i = " << c.i;
        EXPECT_NE(PixelAt(box, X + c.first, row), SentinelRgb) << "first, i = " << c.i;
        EXPECT_NE(PixelAt(box, X + c.last, row), SentinelRgb) << "last, i = " << c.i;
        if (c.i == 1) { // a row beside the canvas: the canvas starts next
            EXPECT_EQ(PixelAt(box, X + c.last + 1, row), SentinelRgb) << "after, i = " << c.i;
        }
    }
    // Nothing above the outermost corner row.
    for (int x = 0; x < box.ScaleWidth(); ++x)
        ASSERT_EQ(PixelAt(box, x, Y - 11), SentinelRgb) << x;
    // i = 12 meets the top band's first column: the row holds only the band.
    EXPECT_EQ(PixelAt(box, X + 1, Y - 10), SentinelRgb);
    EXPECT_EQ(PixelAt(box, X + 2, Y - 10), Rgb(200, 100, 50));
    EXPECT_EQ(PixelAt(box, X + W - 2, Y - 10), Rgb(200, 100, 50));
    EXPECT_EQ(PixelAt(box, X + W - 1, Y - 10), SentinelRgb);
}

TEST_F(FrameTest, OffsetsMoveTheWholeHaloAndDisabledDrawsNothing) {
    mMain::ShadowStyle style = CanvasShadow(200, 100, 50);
    style.offsetX = 3;
    style.offsetY = -2;
    mMain::DrawShadow(box, style);
    EXPECT_EQ(PixelAt(box, X - 10 + 3, Y + H / 2 - 2), Rgb(200, 100, 50));
    EXPECT_EQ(PixelAt(box, X + 3, Y - 3 - 2), Rgb(68, 34, 17));
    EXPECT_EQ(PixelAt(box, X - 10, Y + H / 2), SentinelRgb);

    box.Cls();
    style.enabled = false;
    mMain::DrawShadow(box, style);
    const QImage& image = box.Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(PixelAt(box, x, y), SentinelRgb) << x << "," << y;
}

TEST_F(FrameTest, HaloOnTheBoxEdgeSkipsOutsidePixels) {
    mMain::ShadowStyle style = CanvasShadow(200, 100, 50);
    style.left = 2;
    style.top = 1;
    style.width = 96;
    style.height = 78;
    mMain::DrawShadow(box, style);
    EXPECT_EQ(PixelAt(box, 0, 40), Rgb(40, 20, 10)); // X - 2: f = 0.2
}

namespace {
class GradientTest : public testing::Test {
protected:
    void SetUp() override {
        box.resize(50, 30);
        box.SetBackColor(platform::RGB(200, 100, 50));
    }
    mMain::GradientStyle Band() const { return {1, {{0, 0, 0}, {200, 100, 50}}}; }
    platform::PictureBox box;
};
} // namespace

TEST_F(GradientTest, TenRowBandRunsFromBlackToTheBackColour) {
    mMain::DrawGradient(Band(), box, 0, 0, box.ScaleWidth(), 10);
    for (int x : {0, 25, 49}) {
        EXPECT_EQ(PixelAt(box, x, 0), Rgb(0, 0, 0)) << x;
        // Running colour (100, 50, 25) at weight 0.5 over the back colour; 37.5 to even.
        EXPECT_EQ(PixelAt(box, x, 5), Rgb(150, 75, 38)) << x;
        EXPECT_EQ(PixelAt(box, x, 10), Rgb(200, 100, 50)) << x;
        EXPECT_EQ(PixelAt(box, x, 11), Rgb(200, 100, 50)) << x;
    }
}

TEST_F(GradientTest, MinusOneMeansTheWholeBox) {
    mMain::DrawGradient(Band(), box, -1, -1, -1, -1);
    EXPECT_EQ(PixelAt(box, 49, 0), Rgb(0, 0, 0));
    // h = 30, so row 10 is a third of the way: running colour (66.7, 33.3, 16.7) at 2/3.
    EXPECT_EQ(PixelAt(box, 0, 10), Rgb(111, 56, 28));
    box.Cls();
    mMain::DrawGradient(Band(), box, 0, 4, -1, 10);
    EXPECT_EQ(PixelAt(box, 49, 4), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(box, 49, 3), Rgb(200, 100, 50));
}
