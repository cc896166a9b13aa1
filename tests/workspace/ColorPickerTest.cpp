#include "Arithmetic.h"
#include "BubbleMath.h"
#include "MainWindowFixture.h"
#include "WaitLimit.h"
#include "frmColorPicker.h"

#include <QTimer>

namespace {
// Shows the picker modally and, once it is up and loaded, runs `act` on it. A watchdog
// unloads a picker that the actions left open. True when it closed by itself.
bool ShowPickerWith(const std::function<void(frmColorPicker&)>& act,
                    const std::function<void()>& show = {}) {
    frmColorPicker& picker = frmColorPicker::Instance();
    bool closedByItself = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!picker.Visible() || picker.GetBusy())
            return;
        poll.stop();
        act(picker);
    });
    poll.start(5);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        closedByItself = false;
        picker.Unload();
    });
    watchdog.start(WaitLimitMs);
    if (show)
        show();
    else
        picker.Show(true);
    return closedByItself;
}

// Presses and releases on the centre of picture i.
void TakeBubble(frmColorPicker& picker, size_t i) {
    const BubbleRecord b = picker.GetBubbles()[i];
    picker.Pc_MouseDown(1, 0, b.X, b.Y);
    picker.Pc_MouseUp(1, 0, b.X, b.Y);
}

// The first picture whose centre no lower-numbered picture covers.
size_t FreeBubble(const frmColorPicker& picker, size_t from = 0) {
    const auto& bubbles = picker.GetBubbles();
    for (size_t i = from; i < bubbles.size(); ++i)
        if (BubbleMath::HitTest(bubbles, bubbles[i].X, bubbles[i].Y, false) == int(i))
            return i;
    return bubbles.size();
}

bool IsGrey(long c) {
    return (c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == ((c >> 16) & 0xFF);
}
} // namespace

TEST(ColorPicker, TakesTheCentreOfTheClickedPictureAndClosesOnRelease) {
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = 0x3366CC;
    picker.Result.clear();
    long expected = -2;
    size_t taken = 0;
    ASSERT_TRUE(ShowPickerWith([&](frmColorPicker& p) {
        // A panel full of bubbles from the start, each somewhere in its height.
        for (const BubbleRecord& b : p.GetBubbles()) {
            EXPECT_GE(b.Y, -2.0f);
            EXPECT_LE(b.Y, float(p.Pc->ScaleHeight()) + 2);
        }
        // A press on empty panel changes nothing, and the release keeps it open.
        p.Pc_MouseDown(1, 0, -500, -500);
        p.Pc_MouseUp(1, 0, -500, -500);
        EXPECT_TRUE(p.Visible());
        EXPECT_EQ(p.Color, 0x3366CC);
        taken = FreeBubble(p);
        ASSERT_LT(taken, p.GetBubbles().size());
        const cNDib& sprite = p.GetSprites()[taken];
        expected = sprite.Get_Pixel_Long(sprite.Width() / 2, sprite.Height() / 2);
        TakeBubble(p, taken);
    }));
    EXPECT_EQ(picker.Result, QStringLiteral("Ok"));
    EXPECT_EQ(picker.Color, expected);
    EXPECT_NE(picker.Color, -1);

    // The same picture in a second showing with the same current colour: the same colour.
    const long first = picker.Color;
    picker.Color = 0x3366CC;
    ASSERT_TRUE(ShowPickerWith([&](frmColorPicker& p) {
        const BubbleRecord b = p.GetBubbles()[taken];
        // Only that picture may answer at its centre: take it wherever the others are.
        if (BubbleMath::HitTest(p.GetBubbles(), b.X, b.Y, false) != int(taken)) {
            const cNDib& sprite = p.GetSprites()[taken];
            EXPECT_EQ(sprite.Get_Pixel_Long(sprite.Width() / 2, sprite.Height() / 2), first);
            p.Unload();
            return;
        }
        TakeBubble(p, taken);
    }));
    EXPECT_EQ(picker.Color, first);
}

TEST(ColorPicker, AGreyCurrentColourGivesOnlyGreys) {
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = 0x808080;
    ASSERT_TRUE(ShowPickerWith([](frmColorPicker& p) {
        for (const cNDib& sprite : p.GetSprites())
            for (long y = 0; y <= sprite.Height(); ++y)
                for (long x = 0; x <= sprite.Width(); ++x)
                    ASSERT_TRUE(IsGrey(sprite.Get_Pixel_Long(x, y))) << x << "," << y;
        TakeBubble(p, FreeBubble(p));
    }));
    EXPECT_TRUE(IsGrey(picker.Color));
}

TEST(ColorPicker, MasksStayAsThePicturesWere) {
    // Recolouring keeps black black, so each mask still fits its picture.
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = 0x2080E0;
    ASSERT_TRUE(ShowPickerWith([](frmColorPicker& p) {
        const size_t n = p.GetBubbles().size();
        ASSERT_EQ(n, 18u);
        ASSERT_EQ(p.GetSprites().size(), 2 * n);
        for (size_t i = 0; i < n; ++i) {
            const cNDib& sprite = p.GetSprites()[i];
            const cNDib& mask = p.GetSprites()[n + i];
            for (long y = 0; y <= sprite.Height(); ++y)
                for (long x = 0; x <= sprite.Width(); ++x)
                    ASSERT_EQ(sprite.Get_Pixel_Long(x, y) == 0,
                              mask.Get_Pixel_Long(x, y) == 0xFFFFFF)
                        << i << ": " << x << "," << y;
        }
        TakeBubble(p, FreeBubble(p));
    }));
}

class PickerBubbleTest : public MainWindowTest {};

TEST_F(PickerBubbleTest, ThePickerBubbleOpensThePickerAndItsShadeBecomesCurrent) {
    main.SetCurrentColour({0xCC, 0x66, 0x33});
    const auto& bubbles = main.GetBubbles();
    ASSERT_EQ(bubbles.size(), 23u);
    ASSERT_EQ(bubbles[22].Colour, -1);
    const BubbleRecord rainbow = bubbles[22];
    ASSERT_TRUE(main.Timer1->Enabled());
    long taken = -2;
    bool timerStopped = false;
    ASSERT_TRUE(ShowPickerWith(
        [&](frmColorPicker& p) {
            timerStopped = !main.Timer1->Enabled();
            EXPECT_EQ(p.Color, 0x3366CC); // the current colour went in
            TakeBubble(p, FreeBubble(p));
            taken = p.Color;
        },
        [&] { main.Pc_MouseDown(1, 0, rainbow.X, rainbow.Y); }));
    EXPECT_TRUE(timerStopped);
    EXPECT_TRUE(main.Timer1->Enabled());
    EXPECT_NE(taken, -1);
    EXPECT_EQ(long(platform::RGB(main.CurrentColour.R, main.CurrentColour.G, main.CurrentColour.B)),
              taken);
    EXPECT_EQ(main.PB->Image().pixel(2, main.PB->height() - 2) & 0xFFFFFF,
              uint32_t(qRgb(taken & 0xFF, (taken >> 8) & 0xFF, (taken >> 16) & 0xFF)) & 0xFFFFFF);
    // The picker bubble went back below the palette, rising at the clicked speed.
    EXPECT_GT(bubbles[22].Y + bubbles[22].VY, float(main.Pc->ScaleHeight()) - 1);
}

TEST_F(PickerBubbleTest, APickerClosedWithoutAColourKeepsTheColourAndTheStoppedTimer) {
    main.SetCurrentColour({0x10, 0x20, 0x30});
    frmColorPicker::Instance().Result.clear();
    main.Timer1->SetEnabled(false);
    const BubbleRecord rainbow = main.GetBubbles()[22];
    ShowPickerWith([](frmColorPicker& p) { p.Unload(); },
                   [&] { main.Pc_MouseDown(1, 0, rainbow.X, rainbow.Y); });
    EXPECT_EQ(std::tuple(main.CurrentColour.R, main.CurrentColour.G, main.CurrentColour.B),
              std::tuple(0x10, 0x20, 0x30));
    EXPECT_FALSE(main.Timer1->Enabled());
}
