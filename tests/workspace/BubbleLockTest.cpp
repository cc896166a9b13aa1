// An hour of rising bubbles at each speed, stepped as the timer steps them, with the
// program's own generator reseeded from the clock at every pop: no two bubbles may stay
// on top of each other beyond the pass in which they happen to meet.
#include "BubbleMath.h"
#include "MainWindowFixture.h"
#include "PictureBox.h"
#include "SystemTimer.h"
#include "frmColorPicker.h"

#include <algorithm>
#include <cmath>

namespace {
struct Palette {
    std::vector<BubbleRecord> bubbles;
    int width = 0, height = 0;
    float divisor = 4;
    bool sounds = false; // a pop's sound draws from the generator before the respawn
};

struct Hour {
    long longestTogether = 0; // steps two bubbles stayed in one row, over each other
    long longestPass = 0;     // steps from one respawn of a bubble to its next
    long sharedPops = 0;      // steps in which two or more bubbles popped
};

Hour SimulateAnHour(Palette palette) {
    constexpr double tick = platform::SystemTimer::TickMilliseconds;
    const long steps = std::lround(3600 * 1000 / tick);
    const size_t n = palette.bubbles.size();
    std::vector<long> together(n * n, 0);
    std::vector<long> sincePop(n, 0);
    std::vector<long> rows(n, 0);
    Hour hour;
    const uint32_t start = 9 * 3600 * 1000; // 9 o'clock in the morning
    for (long k = 0; k < steps; ++k) {
        // The millisecond of the day at which this timer event runs.
        const uint32_t now = start + uint32_t(std::floor(double(k) * tick));
        int pops = 0;
        BubbleMath::Step(
            palette.bubbles, palette.width, palette.height, palette.divisor, [](size_t, QPoint) {},
            [&] {
                ++pops;
                platform::Randomize(now);
                if (palette.sounds)
                    FrmMain::ChooseSoundFX(0, platform::Rnd);
            },
            platform::Rnd);
        hour.sharedPops += pops > 1 ? 1 : 0;
        for (size_t i = 0; i < n; ++i) {
            const BubbleRecord& b = palette.bubbles[i];
            rows[i] = std::lround(b.Y);
            const bool respawned = b.Y > float(palette.height);
            sincePop[i] = respawned && sincePop[i] > 1 ? 0 : sincePop[i] + 1;
            hour.longestPass = std::max(hour.longestPass, sincePop[i]);
        }
        // Two bubbles cover each other: centres in the same pixel row, less than a radius
        // apart.
        for (size_t i = 0; i < n; ++i) {
            const BubbleRecord& a = palette.bubbles[i];
            for (size_t j = i + 1; j < n; ++j) {
                const BubbleRecord& b = palette.bubbles[j];
                long& run = together[i * n + j];
                run = rows[i] == rows[j] && std::fabs(a.X - b.X) < std::min(a.Radius, b.Radius)
                          ? run + 1
                          : 0;
                hour.longestTogether = std::max(hour.longestTogether, run);
            }
        }
    }
    return hour;
}

void ExpectNoLock(const Palette& palette, const char* what) {
    const Hour hour = SimulateAnHour(palette);
    EXPECT_GT(hour.sharedPops, 0) << what << ": bubbles popped together at some step";
    EXPECT_GT(hour.longestPass, 0) << what;
    EXPECT_LE(hour.longestTogether, hour.longestPass) << what;
}
} // namespace

TEST_F(MainWindowTest, BubblesNeverStayOnTopOfEachOther) {
    const std::vector<BubbleRecord> first = main.GetBubbles();
    for (float speed : {2.0f, 4.0f, 10.0f}) {
        Palette palette{first, main.Pc->ScaleWidth(), main.Pc->ScaleHeight(), speed, false};
        ExpectNoLock(palette, speed == 2 ? "fast" : speed == 4 ? "medium" : "slow");
    }
    ExpectNoLock({first, main.Pc->ScaleWidth(), main.Pc->ScaleHeight(), 4, true},
                 "medium, with sounds");
}

TEST_F(MainWindowTest, PickerBubblesNeverStayOnTopOfEachOther) {
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = 0x3366CC;
    picker.Load();
    Palette palette{picker.GetBubbles(), picker.Pc->ScaleWidth(), picker.Pc->ScaleHeight(), 2,
                    true};
    picker.Unload();
    ExpectNoLock(palette, "picker");
}
