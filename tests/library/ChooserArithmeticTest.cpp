#include "ChooserScroll.h"
#include "SheetPlacer.h"

#include <gtest/gtest.h>

namespace {

// Places books of the given sizes on a sheet of the design width; the cells' corners.
std::vector<SheetPlacer::Point> Place(SheetPlacer& placer, std::initializer_list<int> books) {
    std::vector<SheetPlacer::Point> corners;
    for (int pictures : books) {
        if (pictures == 0)
            continue;
        placer.OpenBook();
        for (int i = 0; i < pictures; ++i)
            corners.push_back(placer.PlaceCell());
        placer.CloseBook();
    }
    return corners;
}

TEST(SheetPlacerTest, SixCellsARowAndFortyPixelsBetweenBooks) {
    SheetPlacer placer(644);
    const auto corners = Place(placer, {7, 1});
    ASSERT_EQ(corners.size(), 8u);
    const long columns[] = {6, 111, 216, 321, 426, 531};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(corners[i].X, columns[i]) << i;
        EXPECT_EQ(corners[i].Y, 1) << i;
    }
    EXPECT_EQ(corners[6].X, 6);
    EXPECT_EQ(corners[6].Y, 106);
    EXPECT_EQ(corners[7].X, 6);
    EXPECT_EQ(corners[7].Y, 246);
    EXPECT_EQ(placer.Height(), 246 + 105); // 5 pixels below the last row
}

TEST(SheetPlacerTest, ShortSheetsKeepTheDesignHeightAndEmptyBooksTakeNoRoom) {
    SheetPlacer one(644);
    Place(one, {0, 3, 0});
    EXPECT_EQ(one.Height(), SheetPlacer::DesignHeight);

    SheetPlacer two(644);
    const auto corners = Place(two, {0, 1, 0, 1});
    EXPECT_EQ(corners[0].Y, 1);
    EXPECT_EQ(corners[1].Y, 141);
    EXPECT_EQ(two.Height(), 141 + 105);
}

TEST(SheetPlacerTest, ARowTakesACellOnlyWithItsGap) {
    // 636 is the narrowest sheet that still takes six cells; one pixel less takes five.
    for (const auto& [width, perRow] : {std::pair{636L, 6}, {635L, 5}, {215L, 1}, {216L, 2}}) {
        SheetPlacer placer(width);
        const auto corners = Place(placer, {perRow + 1});
        EXPECT_EQ(corners[size_t(perRow - 1)].Y, 1) << width;
        EXPECT_EQ(corners[size_t(perRow)].Y, 106) << width;
    }
}

TEST(ChooserScrollTest, HitTestingIsStrictAndTheLastCellWins) {
    std::vector<ThumbCell> cells(3);
    cells[1] = {6, 1, QStringLiteral("a.bmp"), QStringLiteral("/b")};
    cells[2] = {50, 1, QStringLiteral("b.bmp"), QStringLiteral("/b")}; // overlaps cell 1
    struct Case {
        long x, y, cell;
    };
    for (const Case& c :
         {Case{7, 2, 1}, Case{6, 50, -1}, Case{20, 1, -1}, Case{105, 50, 2}, Case{150, 50, -1},
          Case{20, 101, -1}, Case{20, 100, 1}, Case{60, 50, 2}, Case{0, 0, -1}, Case{49, 99, 1}})
        EXPECT_EQ(ChooserScroll::HitTestThumb(cells, c.x, c.y), c.cell) << c.x << "," << c.y;
    EXPECT_EQ(ChooserScroll::HitTestThumb(std::vector<ThumbCell>(1), 10, 10), -1);
}

TEST(ChooserScrollTest, RunsStopAtTheEnds) {
    const long H = 441;
    const long S = 2000;
    struct Case {
        int direction;
        long top, first, last;
    };
    for (const Case& c : {
             Case{0, 0, 0, 0},                         // the top shown: nothing
             Case{0, -20, -20, 0},                     // the rest of the way up
             Case{0, -500, -500, -340},                // a whole step
             Case{0, -160, -160, 0},                   // a step that ends exactly at the top
             Case{1, 0, 0, -160},                      // a whole step down
             Case{1, H - S + 100, H - S + 100, H - S}, // 100 from the bottom: those 100
             Case{1, H - S + 160, H - S + 160, H - S}, // exactly one step left
             Case{1, H - S, H - S, H - S},             // the bottom shown: nothing
         }) {
        const ChooserScroll::Run run = c.direction == 0 ? ChooserScroll::ScrollUp(c.top)
                                                        : ChooserScroll::ScrollDown(c.top, H, S);
        EXPECT_EQ(run.First, c.first) << c.direction << " from " << c.top;
        EXPECT_EQ(run.Last, c.last) << c.direction << " from " << c.top;
    }
}

TEST(ChooserScrollTest, TheThumbTouchesAButtonAtEachEndAndDragsBetweenThem) {
    const ChooserScroll::Track track{32, 409, 45};
    const long H = 441;
    const long S = 2000;
    EXPECT_DOUBLE_EQ(ChooserScroll::ThumbTop(track, 0, H, S), 32);
    EXPECT_DOUBLE_EQ(ChooserScroll::ThumbTop(track, H - S, H, S), 409 - 45);

    EXPECT_EQ(ChooserScroll::DragThumbTop(track, 100, -500), 32);
    EXPECT_EQ(ChooserScroll::DragThumbTop(track, 100, 500), 409 - 45);
    EXPECT_EQ(ChooserScroll::DragThumbTop(track, 100, 10.5), 110); // halves to even
    EXPECT_DOUBLE_EQ(ChooserScroll::SheetTopForThumb(track, 32, H, S), 0);
    EXPECT_DOUBLE_EQ(ChooserScroll::SheetTopForThumb(track, 409 - 45, H, S), H - S);
}

} // namespace
