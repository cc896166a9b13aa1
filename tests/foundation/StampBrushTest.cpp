#include "Fixtures.h"
#include "cNDib.h"
#include "mMain_Brush.h"

#include <QImage>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {
constexpr long White = 0xFFFFFF;
constexpr long Key = 0x0000FF; // red: the flooded region

// A brush of one coverage value everywhere.
cNDib FlatBrush(int size, int value) {
    return fixtures::SolidDib(size, size, uint32_t(value) * 0x010101u);
}
} // namespace

TEST(SplitRGB, SplitsTheColourValue) {
    uint8_t r, g, b;
    mMain::SplitRGB(0x336699, r, g, b);
    EXPECT_EQ(std::tuple(r, g, b), std::tuple(0x99, 0x66, 0x33));
}

TEST(StampBrush, CoverageBlendsTowardsTheColour) {
    struct Case {
        int coverage;
        long colour;
        std::tuple<int, int, int> expected; // r, g, b
    };
    const Case cases[] = {
        {0, 0x336699, {0x99, 0x66, 0x33}}, // full paint: exactly the colour
        {255, 0x336699, {255, 255, 255}},  // no paint
        {128, 0x0000FF, {255, 128, 128}},  // pure red at half coverage on white
    };
    for (const Case& c : cases) {
        cNDib canvas = fixtures::SolidDib(20, 20, White);
        const cNDib region = fixtures::SolidDib(20, 20, Key);
        mMain::StampBrush(canvas, region, FlatBrush(5, c.coverage), 10, 10, Key, c.colour, nullptr);
        uint8_t r = 0, g = 0, b = 0;
        canvas.Get_Pixel(10, 10, r, g, b);
        EXPECT_EQ((std::tuple<int, int, int>(r, g, b)), c.expected) << c.coverage;
    }
}

TEST(StampBrush, CornerStampVisitsOnlyTheCanvasAndCopiesItsRectangle) {
    cNDib canvas = fixtures::SolidDib(40, 40, White);
    const cNDib region = fixtures::SolidDib(40, 40, Key);
    QImage screen(40, 40, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QRect copied;
    platform::DeviceContext dc(&screen, [&](const QRect& r) { copied |= r; });
    mMain::StampBrush(canvas, region, FlatBrush(31, 0), 0, 0, Key, 0x000000, &dc);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(canvas.Get_Pixel_Long(x, y), x <= 15 && y <= 15 ? 0 : White) << x << y;
    EXPECT_EQ(copied, QRect(0, 0, 18, 18));
}

TEST(StampBrush, PaintStaysOnTheRegionKey) {
    // The region holds a black line at column 5 and another region (white) right of it.
    QImage regionImage(12, 12, QImage::Format_RGB32);
    regionImage.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 12; ++y) {
        regionImage.setPixel(5, y, qRgb(0, 0, 0));
        for (int x = 6; x < 12; ++x)
            regionImage.setPixel(x, y, qRgb(255, 255, 255));
    }
    cNDib region;
    region.Make_From_Image(regionImage);
    cNDib canvas = fixtures::SolidDib(12, 12, White);
    canvas.Set_Pixel(5, 3, 0, 0, 0);
    mMain::StampBrush(canvas, region, FlatBrush(11, 0), 5, 5, Key, 0x00FF00, nullptr);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 12; ++x) {
            const long expected = x < 5 ? 0x00FF00 : x == 5 && y == 3 ? 0 : White;
            EXPECT_EQ(canvas.Get_Pixel_Long(x, y), expected) << x << "," << y;
        }
    }
}

TEST(StampBrush, EvenBrushNeverPaintsItsLastColumnAndRow) {
    // A 4 x 4 brush: hw = hh = 1, so columns and rows 0..2 of the brush are used.
    cNDib canvas = fixtures::SolidDib(10, 10, White);
    const cNDib region = fixtures::SolidDib(10, 10, Key);
    mMain::StampBrush(canvas, region, FlatBrush(4, 0), 5, 5, Key, 0, nullptr);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(canvas.Get_Pixel_Long(x, y),
                      x >= 4 && x <= 6 && y >= 4 && y <= 6 ? 0 : White);
}

TEST(StampBrush, StampOutsideTheCanvasChangesNothing) {
    cNDib canvas = fixtures::SolidDib(10, 10, White);
    const std::vector<uint8_t> before = canvas.Bits;
    mMain::StampBrush(canvas, fixtures::SolidDib(10, 10, Key), FlatBrush(5, 0), 40, -30, Key, 0,
                      nullptr);
    EXPECT_EQ(canvas.Bits, before);
}

TEST(StampBrush, EveryPixelIsTheSinglePixelBlend) {
    // Random canvas, coverage and a region of two keys, at odd offsets so that rows begin
    // and end anywhere: each pixel must come out as the blend of one pixel by itself,
    // alpha bytes untouched.
    std::mt19937 random(11);
    const auto byte = [&random] { return uint8_t(random() & 0xFF); };
    const int w = 61, h = 37;
    cNDib canvas = fixtures::SolidDib(w, h, White);
    cNDib region = fixtures::SolidDib(w, h, Key);
    for (uint8_t& b : canvas.Bits)
        b = byte();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (random() % 3 == 0)
                region.Set_Pixel(x, y, 255, 255, 255);
    cNDib brush = FlatBrush(23, 0);
    for (uint8_t& b : brush.Bits)
        b = random() % 4 == 0 ? uint8_t(255 * (random() % 2)) : byte();
    const long colour = 0x3366CC;
    for (const QPoint centre : {QPoint(30, 18), QPoint(3, 5), QPoint(58, 35), QPoint(17, 2)}) {
        std::vector<uint8_t> expected = canvas.Bits;
        const long bx = centre.x() - brush.Width() / 2, by = centre.y() - brush.Height() / 2;
        for (long y = std::max(0L, by); y < std::min(long(h), by + brush.Width() + 1); ++y) {
            for (long x = std::max(0L, bx); x < std::min(long(w), bx + brush.Width() + 1); ++x) {
                if (region.Get_Pixel_Long(x, y) != Key)
                    continue;
                const float a = float(brush.Get_Channel(x - bx, y - by, 0)) / 255.0f;
                const float k = 1.0f - a;
                const uint8_t channels[3] = {0x33, 0x66, 0xCC}; // blue, green, red
                for (int c = 0; c < 3; ++c) {
                    uint8_t& value = expected[size_t((y * w + x) * 4 + c)];
                    const volatile float mixed = float(value) * a + float(channels[c]) * k;
                    value = uint8_t(std::nearbyint(float(mixed)));
                }
            }
        }
        mMain::StampBrush(canvas, region, brush, centre.x(), centre.y(), Key, colour, nullptr);
        const auto diff = std::mismatch(expected.begin(), expected.end(), canvas.Bits.begin());
        ASSERT_TRUE(diff.first == expected.end())
            << "stamp at " << centre.x() << "," << centre.y() << ": byte "
            << (diff.first - expected.begin()) << " is " << int(*diff.second) << ", not "
            << int(*diff.first);
    }
}
