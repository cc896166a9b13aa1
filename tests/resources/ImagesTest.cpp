// The pictures compiled into the program: every resource the windows load is there, with
// the size, hot spot, grey values or colours that the code relies on.
#include "Resources.h"

#include <QColor>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace res = platform::resources;

namespace {
int Darkest(const QImage& image) {
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qBlue(image.pixel(x, y)));
    return darkest;
}

bool IsBlack(QRgb p) {
    return (p & 0xFFFFFF) == 0;
}

bool IsGreyPixel(QRgb p) {
    return qRed(p) == qBlue(p) && qGreen(p) == qBlue(p);
}

bool IsGrey(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!IsGreyPixel(image.pixel(x, y)))
                return false;
        }
    }
    return true;
}
} // namespace

TEST(Images, BrushesAreGreyWithTheirSizesAndDarkestValues) {
    struct Case {
        const char* name;
        QSize size;
        int darkest;
    };
    for (const Case& c :
         {Case{"pBr0", {40, 35}, 114}, Case{"pBr1", {112, 106}, 126}, Case{"pBr2", {8, 8}, 165}}) {
        SCOPED_TRACE(c.name);
        const QImage brush = res::DesignPicture(QString::fromLatin1(c.name));
        ASSERT_FALSE(brush.isNull());
        EXPECT_EQ(brush.size(), c.size);
        EXPECT_TRUE(IsGrey(brush));
        EXPECT_EQ(Darkest(brush), c.darkest);
        // The corners carry no paint, so a stamp has no square edge.
        EXPECT_EQ(qBlue(brush.pixel(0, 0)), 255);
        EXPECT_EQ(qBlue(brush.pixel(brush.width() - 1, brush.height() - 1)), 255);
    }
}

TEST(Images, CursorsHaveTheirSizesAndTheToolTipAtTheHotSpot) {
    struct Case {
        int id;
        QSize size;
        QPoint hotSpot;
    };
    for (const Case& c : {Case{101, {32, 32}, {8, 1}}, Case{106, {69, 58}, {3, 52}},
                          Case{104, {67, 73}, {1, 69}}, Case{102, {65, 56}, {0, 51}}}) {
        SCOPED_TRACE(c.id);
        const auto cursor = res::Cursor(c.id);
        ASSERT_TRUE(cursor.has_value());
        EXPECT_EQ(cursor->image.size(), c.size);
        EXPECT_EQ(cursor->hotSpot, c.hotSpot);
        EXPECT_TRUE(cursor->image.hasAlphaChannel());
        // The drawing reaches the hot spot: an opaque pixel on it or right beside it.
        int opaque = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (cursor->image.rect().contains(c.hotSpot + QPoint(dx, dy)))
                    opaque =
                        std::max(opaque, qAlpha(cursor->image.pixel(c.hotSpot + QPoint(dx, dy))));
        EXPECT_GE(opaque, 128);
        // Around the drawing the cursor is see-through.
        EXPECT_EQ(qAlpha(cursor->image.pixel(c.size.width() - 1, c.size.height() - 1)), 0);
    }
}

namespace {
// A bubble sprite: round, on pure black, solid inside so that its mask has no holes,
// and bright enough everywhere inside that recolouring it keeps every pixel off black.
void ExpectBubble(const QImage& sprite) {
    ASSERT_FALSE(sprite.isNull());
    EXPECT_EQ(sprite.width(), sprite.height());
    const double radius = sprite.width() / 2.0;
    int holes = 0;
    int stray = 0;
    for (int y = 0; y < sprite.height(); ++y) {
        for (int x = 0; x < sprite.width(); ++x) {
            const double d = std::hypot(x + 0.5 - radius, y + 0.5 - radius);
            const QRgb p = sprite.pixel(x, y);
            if (d > radius && !IsBlack(p))
                ++stray;
            if (d < radius - 1.5 && std::max({qRed(p), qGreen(p), qBlue(p)}) < 6)
                ++holes;
        }
    }
    EXPECT_EQ(stray, 0) << "pixels off black outside the bubble";
    EXPECT_EQ(holes, 0) << "black or nearly black pixels inside the bubble";
}

QImage Design(const QString& name) {
    return res::DesignPicture(name);
}
} // namespace

TEST(Images, ButtonStatesShareOneSizeAndDiffer) {
    const std::vector<std::vector<int>> buttons = {
        {102, 101},      {146, 147},      {110, 109}, {130, 131, 132}, {108, 106, 107},
        {105, 103, 104}, {119, 117, 118}, {115, 116}, {114, 113},      {127, 128, 129},
        {138, 139},      {136, 135},      {137, 140}, {148, 149},      {141, 142}};
    for (const std::vector<int>& states : buttons) {
        SCOPED_TRACE(states.front());
        std::vector<QImage> pictures;
        for (int id : states) {
            pictures.push_back(res::Bitmap(id));
            ASSERT_FALSE(pictures.back().isNull()) << id;
            EXPECT_EQ(pictures.back().size(), pictures.front().size()) << id;
        }
        for (size_t i = 0; i < pictures.size(); ++i)
            for (size_t j = i + 1; j < pictures.size(); ++j)
                EXPECT_NE(pictures[i], pictures[j]) << states[i] << " and " << states[j];
    }
}

// A button shows its picture less the last column and row (w - 1 by h - 1 pixels).
TEST(Images, ButtonsFitTheirWindows) {
    // The top bar, 100 pixels high, holds the seven action and tool buttons side by side
    // and leaves room for bubbles on an 800-pixel screen.
    const QSize bar = res::Bitmap(102).size();
    for (int id : {146, 110, 130, 108, 105, 119})
        EXPECT_EQ(res::Bitmap(id).size(), bar) << id;
    EXPECT_LE(bar.height() - 1, 92);
    EXPECT_NEAR(bar.width() - 1, 80, 4);
    EXPECT_GE(800 - 7 * (bar.width() - 1), 200);

    // The folded message window is 160 pixels high: the toggle at top 132, OK at 120
    // and Cancel 3 higher, side by side right-aligned in 354 pixels with 7-pixel gaps.
    const QSize ok = res::Bitmap(115).size() - QSize(1, 1);
    const QSize cancel = res::Bitmap(114).size() - QSize(1, 1);
    const QSize toggle = res::Bitmap(127).size() - QSize(1, 1);
    EXPECT_LE(132 + toggle.height(), 160);
    EXPECT_LE(120 + ok.height(), 160);
    EXPECT_LE(117 + cancel.height(), 160);
    EXPECT_LE(8 + toggle.width() + 7 + cancel.width() + 7 + ok.width() + 7, 354);

    // The chooser: the scroll buttons are 31 pixels wide, so the sheet is 644 wide, and
    // the thumb runs between them 2 pixels in; the bottom row is 48 pixels high below
    // the 441-pixel viewport, Cancel 3 and the new-page button 9 above the bottom, the
    // more-pictures button 5.
    EXPECT_EQ(res::Bitmap(136).width() - 1, 31);
    EXPECT_EQ(res::Bitmap(138).width() - 1, 31);
    EXPECT_LE(2 + res::Bitmap(137).width() - 1, 31);
    EXPECT_LE(cancel.height() + 3, 48);
    EXPECT_LE(cancel.height() + 9, 48 - 1) << "the new-page button would cover the viewport";
    EXPECT_LE(res::Bitmap(148).height() - 1, cancel.height() + 9);
    EXPECT_LE(res::Bitmap(141).height() - 1 + 5, 48);
}

TEST(Images, DesignPicturesHaveTheirSizes) {
    struct Case {
        const char* name;
        QSize size;
    };
    for (const Case& c : {Case{"comboUp", {16, 15}}, Case{"comboDown", {16, 15}},
                          Case{"options", {334, 421}}, Case{"splash", {621, 389}}}) {
        SCOPED_TRACE(c.name);
        const QImage picture = Design(QString::fromLatin1(c.name));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), c.size);
        EXPECT_FALSE(picture.hasAlphaChannel());
    }
    EXPECT_NE(Design(QStringLiteral("comboUp")), Design(QStringLiteral("comboDown")));
    const QImage icon = Design(QStringLiteral("icon"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), icon.height());
}

TEST(Images, FunctionBarStartsWithSaveAndPrintGreyedOut) {
    const QSize size = Design(QStringLiteral("pFunc0")).size();
    ASSERT_FALSE(size.isEmpty());
    EXPECT_LE(size.height(), 20);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Design(QStringLiteral("pFunc%1").arg(i)).size(), size) << i;
    // pE0 and pE1 are the enabled pictures of save (pFunc1) and print (pFunc2).
    for (int i = 0; i < 2; ++i) {
        const QImage enabled = Design(QStringLiteral("pE%1").arg(i));
        const QImage disabled = Design(QStringLiteral("pFunc%1").arg(i + 1));
        EXPECT_EQ(enabled.size(), size);
        EXPECT_NE(enabled, disabled);
        // Greyed out: the drawing is paler than the enabled one.
        const auto darkest = [](const QImage& image) {
            int v = 255;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    v = std::min(v, qGray(image.pixel(x, y)));
            return v;
        };
        EXPECT_GT(darkest(disabled), darkest(enabled) + 40) << i;
    }
}

TEST(Images, PaletteBubblesCarryTheirColourAtTheCentre) {
    std::vector<QRgb> colours;
    for (int i = 0; i < 23; ++i) {
        SCOPED_TRACE(i);
        const QImage sprite = Design(QStringLiteral("pCC%1").arg(i));
        ExpectBubble(sprite);
        // Start-up reads the colour at (ScaleWidth / 2, ScaleHeight / 2); bubbles rise
        // through a 100-pixel panel.
        EXPECT_LE(sprite.height(), 64);
        const QRgb centre = sprite.pixel(sprite.width() / 2, sprite.height() / 2);
        EXPECT_FALSE(IsBlack(centre));
        if (i < 22)
            colours.push_back(centre & 0xFFFFFF);
    }
    std::vector<QRgb> distinct = colours;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()) - distinct.begin(), 22);
    // A child's palette has white, black and grey too (never pure black: that is the
    // sprites' transparent colour).
    const auto has = [&](auto test) { return std::any_of(colours.begin(), colours.end(), test); };
    EXPECT_TRUE(has([](QRgb c) { return qRed(c) >= 240 && qGreen(c) >= 240 && qBlue(c) >= 240; }));
    EXPECT_TRUE(has([](QRgb c) { return qRed(c) <= 50 && qGreen(c) <= 50 && qBlue(c) <= 50; }));
    EXPECT_TRUE(has([](QRgb c) { return IsGreyPixel(c) && qRed(c) > 90 && qRed(c) < 170; }));
}

TEST(Images, PickerBubblesTakeAShadeAtTheCentre) {
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(i);
        const QImage sprite = Design(QStringLiteral("pickerCC%1").arg(i));
        ExpectBubble(sprite);
        // The picker reads the centre as (Width / 2, Height / 2) of the largest indexes.
        const QRgb centre = sprite.pixel((sprite.width() - 1) / 2, (sprite.height() - 1) / 2);
        EXPECT_FALSE(IsBlack(centre));
        EXPECT_FALSE(IsGreyPixel(centre)) << "the centre must take the current colour";
        int greys = 0;
        for (int y = 0; y < sprite.height(); ++y)
            for (int x = 0; x < sprite.width(); ++x)
                greys += !IsBlack(sprite.pixel(x, y)) && IsGreyPixel(sprite.pixel(x, y));
        // 10..17 keep grey highlights whatever the colour; 0..9 are coloured all over.
        if (i >= 10) {
            EXPECT_GT(greys, 20);
        }
    }
}

TEST(Images, MissingPicturesAreNull) {
    EXPECT_TRUE(res::Bitmap(100).isNull());
    EXPECT_FALSE(res::Cursor(99).has_value());
    EXPECT_TRUE(res::DesignPicture(QStringLiteral("pBr3")).isNull());
}
