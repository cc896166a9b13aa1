#include "Arithmetic.h"
#include "BubbleMath.h"
#include "MainWindowFixture.h"
#include "SettingsRecord.h"

#include <QCursor>
#include <cmath>
#include <deque>

namespace {
BubbleRecord At(float x, float y, float radius) {
    BubbleRecord bubble;
    bubble.X = x;
    bubble.Y = y;
    bubble.Radius = radius;
    return bubble;
}

// A stand-in for Rnd that hands out the given numbers in turn.
std::function<float()> Draws(std::deque<float> values) {
    return [values]() mutable {
        const float v = values.front();
        values.pop_front();
        return v;
    };
}
} // namespace

TEST(BubbleMath, DrawingPositionRoundsHalvesToEvenAndClampsOnlyTheLeft) {
    struct Case {
        float x, y, radius;
        QPoint expected;
    };
    const Case cases[] = {
        {12.5f, 22.5f, 10, {2, 12}},   // 2.5 and 12.5 go to the even neighbour
        {13.5f, 23.5f, 10, {4, 14}},   // 3.5 and 13.5 likewise, upwards
        {9.5f, 7.5f, 10, {0, -2}},     // left -0.5 is 0; top -2.5 stays, rounded to -2
        {-4.0f, -13.5f, 10, {0, -24}}, // far left is drawn at 0; a high top stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(BubbleMath::DrawingPosition(At(c.x, c.y, c.radius)), c.expected)
            << c.x << "," << c.y;
}

TEST(BubbleMath, RespawnWaitsUntilTheBubbleIsAboveMinusRadius) {
    BubbleRecord bubble = At(50, -20, 20);
    EXPECT_FALSE(BubbleMath::HasLeftTop(bubble));
    bubble.Y = std::nextafter(-20.0f, -30.0f);
    EXPECT_TRUE(BubbleMath::HasLeftTop(bubble));

    // Three draws, in the order height, place across, speed.
    BubbleMath::Respawn(bubble, 300, 100, 4, Draws({0.5f, 0.25f, 0.75f}));
    EXPECT_FLOAT_EQ(bubble.Y, 0.5f * 20 + 100 + 20);
    EXPECT_FLOAT_EQ(bubble.X, 0.25f * (300 - 40) + 20);
    EXPECT_FLOAT_EQ(bubble.VY, (-0.75f - 0.5f) / 4);
}

TEST(BubbleMath, MoveSwaysAndRises) {
    BubbleRecord bubble = At(100, 50, 20);
    bubble.VY = -0.25f;
    bubble.Phase = 6.2f;
    BubbleMath::Move(bubble); // 6.3 is past 6.28: the phase starts again at 0
    EXPECT_EQ(bubble.Phase, 0.0f);
    EXPECT_EQ(bubble.DX, 0.0f);
    EXPECT_FLOAT_EQ(bubble.Y, 49.75f);
    BubbleMath::Move(bubble);
    EXPECT_FLOAT_EQ(bubble.DX, float(std::sin(0.1) * 0.2));
    EXPECT_FLOAT_EQ(bubble.X, 100 + float(std::sin(0.1) * 0.2));
}

TEST(BubbleMath, HitTestTakesTheRimAndPrefersTheTopBubble) {
    const std::vector<BubbleRecord> bubbles = {At(10, 10, 5), At(14, 10, 5)};
    EXPECT_EQ(BubbleMath::HitTest(bubbles, 10, 5, true), 0);      // on the rim of bubble 0
    EXPECT_EQ(BubbleMath::HitTest(bubbles, 10, 4.99f, true), -1); // just outside both
    EXPECT_EQ(BubbleMath::HitTest(bubbles, 19, 10, true), 1);     // rim of bubble 1 only
    EXPECT_EQ(BubbleMath::HitTest(bubbles, 12, 10, true), 1);     // both: the one on top
    EXPECT_EQ(BubbleMath::HitTest(bubbles, 12, 10, false), 0);    // the picker's order
    EXPECT_EQ(BubbleMath::HitTest({}, 12, 10, true), -1);
}

TEST(BubbleMath, TheBarComesBackAfter1500ChecksInTheZone) {
    // n checks per tick: the bar shows during tick ceil(1500 / n).
    for (const auto& [bubbles, tick] : {std::pair{23, 66}, std::pair{30, 50}}) {
        long counter = 0;
        int shownAt = 0;
        for (int t = 1; t <= 100 && shownAt == 0; ++t)
            for (int i = 0; i < bubbles; ++i)
                if (BubbleMath::AutoHideCheck(counter, true, false) == BubbleMath::BarChange::Show)
                    shownAt = t;
        EXPECT_EQ(shownAt, tick) << bubbles << " bubbles";
        EXPECT_LT(counter, bubbles);
    }
    long counter = 1499;
    EXPECT_EQ(BubbleMath::AutoHideCheck(counter, true, true), BubbleMath::BarChange::None);
    EXPECT_EQ(counter, 0); // the count starts again even though the bar was already there
    counter = 700;
    EXPECT_EQ(BubbleMath::AutoHideCheck(counter, false, true), BubbleMath::BarChange::Hide);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(BubbleMath::AutoHideCheck(counter, false, false), BubbleMath::BarChange::None);
    EXPECT_TRUE(BubbleMath::InZone({40, 30}, 40, 30));
    EXPECT_FALSE(BubbleMath::InZone({41, 30}, 40, 30));
    EXPECT_FALSE(BubbleMath::InZone({40, 31}, 40, 30));
}

TEST(BubbleMath, OddGreysComeBackOneLighter) {
    // A grey pixel keeps its grey through the picker's recolouring in every picture, an
    // odd level coming back one higher; black and white stay.
    const HSLColor blue = modHSL::RGBToHSL(0xCC6633);
    const HSLColor grey = modHSL::RGBToHSL(0x808080);
    for (const HSLColor& current : {blue, grey}) {
        for (int bubble : {0, 9, 10, 17}) {
            for (int v : {0, 1, 77, 128, 201, 254, 255}) {
                const int expected = v == 255 ? 255 : v % 2 ? v + 1 : v;
                const int32_t c =
                    BubbleMath::TintPixel(bubble, uint8_t(v), uint8_t(v), uint8_t(v), current);
                EXPECT_EQ(c, int32_t(expected * 0x010101)) << bubble << " " << v;
            }
        }
    }
}

TEST(BubbleMath, AGreyCurrentColourMakesEveryPictureGrey) {
    const HSLColor grey = modHSL::RGBToHSL(0x606060);
    for (int bubble : {0, 5, 10, 17}) {
        for (const auto& [r, g, b] : {std::tuple{200, 40, 40}, std::tuple{10, 240, 90},
                                      std::tuple{90, 90, 91}, std::tuple{255, 255, 0}}) {
            const int32_t c =
                BubbleMath::TintPixel(bubble, uint8_t(r), uint8_t(g), uint8_t(b), grey);
            EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF) << bubble;
            EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF) << bubble;
        }
    }
}

class BubbleWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        main.Timer1->SetEnabled(false); // the steps below are the test's own
        settings.AutoHide = false;
        settings.BubbleSpeed = 4;
    }
    void TearDown() override {
        settings.AutoHide = false;
        settings.BubbleSpeed = 4;
        for (platform::PictureBox* button : main.pFunc)
            button->setVisible(true);
        MainWindowTest::TearDown();
    }
    SettingsRecord& settings = SettingsRecord::Current();
};

TEST_F(BubbleWindowTest, AStepDrawsEveryBubbleInThePaletteOnly) {
    const QImage canvas = Canvas();
    const QImage panel = main.PB->Image().copy();
    const auto& bubbles = main.GetBubbles();
    const auto& sprites = main.GetSprites();
    ASSERT_EQ(sprites.size(), 2 * bubbles.size());
    // Step until the last bubble, drawn over all others, is wholly in view: its sprite is
    // then drawn at its drawing position.
    const size_t top = bubbles.size() - 1;
    const auto inView = [&] {
        const BubbleRecord& b = bubbles[top];
        return b.Y - b.Radius >= 0 && b.Y + b.Radius < float(main.Pc->ScaleHeight());
    };
    for (int step = 0; step < 5000 && !inView(); ++step)
        main.Timer1_Timer();
    ASSERT_TRUE(inView());
    const QPoint at = BubbleMath::DrawingPosition(bubbles[top]);
    const cNDib& sprite = sprites[top];
    const long cx = sprite.Width() / 2, cy = sprite.Height() / 2;
    const QRgb drawn = main.Pc->Image().pixel(at.x() + int(cx), at.y() + int(cy));
    EXPECT_EQ(long(qRed(drawn)) | long(qGreen(drawn)) << 8 | long(qBlue(drawn)) << 16,
              sprite.Get_Pixel_Long(cx, cy));
    EXPECT_EQ(Canvas(), canvas);
    EXPECT_EQ(main.PB->Image(), panel);
}

TEST_F(BubbleWindowTest, AClickedBubbleRisesAtTheFixedSpeedAndGivesItsColour) {
    settings.BubbleSpeed = 10;
    // A colour bubble whose centre no bubble above it covers.
    const auto& bubbles = main.GetBubbles();
    size_t i = 0;
    while (i < bubbles.size() &&
           (bubbles[i].Colour == -1 ||
            BubbleMath::HitTest(bubbles, bubbles[i].X, bubbles[i].Y, true) != int(i)))
        ++i;
    ASSERT_LT(i, bubbles.size());
    const BubbleRecord target = bubbles[i];
    main.Pc_MouseDown(1, 0, target.X, target.Y);
    const BubbleRecord& after = bubbles[i];
    EXPECT_GE(after.VY, -1.5f / 3);
    EXPECT_LE(after.VY, -0.5f / 3);
    EXPECT_GT(after.Y, float(main.Pc->ScaleHeight()));
    EXPECT_EQ(platform::RGB(main.CurrentColour.R, main.CurrentColour.G, main.CurrentColour.B),
              uint32_t(target.Colour));
}

TEST_F(BubbleWindowTest, SetColorPaintsThePanelAndLeavesTheCanvas) {
    const QImage canvas = Canvas();
    const long colour = 0x3366CC;
    main.SetColor(colour);
    EXPECT_EQ(std::tuple(main.CurrentColour.R, main.CurrentColour.G, main.CurrentColour.B),
              std::tuple(0xCC, 0x66, 0x33));
    const QImage& panel = main.PB->Image();
    const QRgb rgb = qRgb(0xCC, 0x66, 0x33);
    EXPECT_EQ(panel.pixel(2, panel.height() - 2), rgb);          // the panel
    EXPECT_EQ(panel.pixel(panel.width() / 2, 0) & 0xFFFFFF, 0u); // the band's top row
    EXPECT_EQ(panel.pixel(main.P->x() - 1, main.P->y() + 20), qRgb(0x14, 0x0A, 0x05)); // shadow
    EXPECT_EQ(panel.pixel(main.P->x() - 11, main.P->y() + 20), rgb);
    EXPECT_EQ(Canvas(), canvas);
}

TEST_F(BubbleWindowTest, AutoHideShowsTheBarAfterRestingInTheCornerAndHidesItOnLeaving) {
    settings.AutoHide = true;
    for (platform::PictureBox* button : main.pFunc)
        button->setVisible(false);
    QCursor::setPos(0, 0);
    ASSERT_EQ(QCursor::pos(), QPoint(0, 0));
    ASSERT_EQ(main.GetBubbles().size(), 23u);
    const int ticks = 66; // 1500 checks, 23 a tick
    for (int t = 1; t < ticks; ++t)
        main.Timer1_Timer();
    EXPECT_TRUE(main.pFunc[0]->isHidden());
    main.Timer1_Timer();
    for (platform::PictureBox* button : main.pFunc)
        EXPECT_FALSE(button->isHidden());
    QCursor::setPos(600, 500);
    main.Timer1_Timer();
    for (platform::PictureBox* button : main.pFunc)
        EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(main.GetHideCounter(), 0);
}
