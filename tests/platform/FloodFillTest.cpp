#include "FloodFill.h"

#include "ColourValue.h"
#include "Gdi.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Red = 0x0000FF; // colour value

// Rows of text: '#' black, '.' white.
QImage FromRows(const std::vector<std::string>& rows) {
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[size_t(y)][size_t(x)] == '#' ? 0xFF000000u : 0xFFFFFFFFu);
    return image;
}

std::vector<std::string> ToRows(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t c = ColourValueFromPixel(image.pixel(x, y));
            row += c == Black ? '#' : c == White ? '.' : c == Red ? 'r' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}
} // namespace

TEST(ExtFloodFill, SurfaceFillReachesFourWayNeighboursOnly) {
    QImage image = FromRows({
        "....#...",
        ".##.#.#.",
        ".#..#.#.",
        "...#..#.",
        "####.##.",
        "....#...",
    });
    DeviceContext dc(&image);
    dc.BrushColour = Red;
    EXPECT_TRUE(gdi::ExtFloodFill(&dc, 0, 0, White, gdi::FLOODFILLSURFACE));
    // The diagonal gap at (3,3)-(4,4) does not let the fill through.
    EXPECT_EQ(ToRows(image), (std::vector<std::string>{
                                 "rrrr#...",
                                 "r##r#.#.",
                                 "r#rr#.#.",
                                 "rrr#..#.",
                                 "####.##.",
                                 "....#...",
                             }));
}

TEST(ExtFloodFill, SurfaceFillFromAnotherColourFillsNothing) {
    QImage image = FromRows({"..#..", "..#.."});
    const QImage before = image;
    DeviceContext dc(&image);
    dc.BrushColour = Red;
    EXPECT_FALSE(gdi::ExtFloodFill(&dc, 2, 0, White, gdi::FLOODFILLSURFACE));
    EXPECT_FALSE(gdi::ExtFloodFill(&dc, 9, 0, White, gdi::FLOODFILLSURFACE));
    EXPECT_FALSE(gdi::ExtFloodFill(&dc, -1, 0, White, gdi::FLOODFILLSURFACE));
    EXPECT_EQ(image, before);
}

TEST(ExtFloodFill, SpiralAndFullImage) {
    // A spiral corridor needs seeds in both directions on many rows.
    QImage image = FromRows({
        ".........",
        "#######..",
        "......#..",
        ".####.#..",
        ".#....#..",
        ".######..",
        ".........",
    });
    DeviceContext dc(&image);
    dc.BrushColour = Red;
    EXPECT_TRUE(gdi::ExtFloodFill(&dc, 2, 4, White, gdi::FLOODFILLSURFACE));
    for (const std::string& row : ToRows(image))
        EXPECT_EQ(row.find('.'), std::string::npos) << row;
}

TEST(ExtFloodFill, BorderFillStopsAtTheBorderColour) {
    QImage image = FromRows({"..#..", "..#..", "..#.."});
    DeviceContext dc(&image);
    dc.BrushColour = Red;
    EXPECT_TRUE(gdi::ExtFloodFill(&dc, 0, 0, Black, gdi::FLOODFILLBORDER));
    EXPECT_EQ(ToRows(image), (std::vector<std::string>{"rr#..", "rr#..", "rr#.."}));
}

// The tolerance flood takes the colours near the reference, stops at the others and tells
// them as its edge.
TEST(FloodFillNear, TakesNearColoursAndTellsWhatStoppedIt) {
    QImage image = FromRows({"...#..", "...#..", "...#.."});
    image.setPixel(1, 1, 0xFFF0F0F0u); // a grain of noise, 15 from white
    image.setPixel(3, 1, 0xFFA0A0A0u); // a grey line pixel, 95 from white
    std::vector<QPoint> edge;
    EXPECT_EQ(FloodFillNear(image, 0, 0, 0xFFFFFFu, 35, 0xFF0000u, &edge), QRect(0, 0, 3, 3));
    EXPECT_EQ(ToRows(image), (std::vector<std::string>{"rrr#..", "rrr?..", "rrr#.."}));
    std::sort(edge.begin(), edge.end(),
              [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
    edge.erase(std::unique(edge.begin(), edge.end()), edge.end());
    EXPECT_EQ(edge, (std::vector<QPoint>{{3, 0}, {3, 1}, {3, 2}}));
}

// A reference that is the fill colour itself (an area whose mean colour is the key, which
// no pixel holds) still fills the area once and ends.
TEST(FloodFillNear, AReferenceOfTheFillColourEnds) {
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(0xFFFE0101u);
    EXPECT_EQ(FloodFillNear(image, 2, 1, 0xFF0000u, 35, 0xFF0000u), QRect(0, 0, 6, 3));
    EXPECT_EQ(image.pixel(5, 2), 0xFFFF0000u);
}
