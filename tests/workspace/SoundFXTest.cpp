// The main window's sound effects: which resource each kind chooses, the sound setting
// that gates them, and the sound of a button press through SDL's disk driver.
#include "MainWindowFixture.h"
#include "PictureBox.h"
#include "Resources.h"
#include "Sound.h"
#include "WaitLimit.h"

#include <QFile>
#include <QTest>
#include <set>
#include <vector>

namespace sound = platform::sound;

namespace {
constexpr float Top = 0.99999994f; // the largest Rnd below 1
constexpr unsigned Normal = 0x40007;
constexpr unsigned Pop = 0x40017;

// A draw function that hands out the given numbers in order and counts its calls.
struct Draws {
    std::vector<float> values;
    std::size_t used = 0;
    std::function<float()> Function() {
        return [this] { return used < values.size() ? values[used++] : 0.0f; };
    }
};

struct Case {
    long kind;
    std::vector<float> draws;
    const char* name; // "" for no sound
    unsigned flags;
};

TEST(SoundFXChoice, EachKindPicksItsStemAndIndexFromItsDraws) {
    const Case cases[] = {
        {0, {0.0f}, "POP0", Pop},
        {0, {0.25f}, "POP1", Pop},
        {0, {Top}, "POP3", Pop},
        {1, {0.0f, 0.0f}, "B0", Normal},
        {1, {0.0f, 0.5f}, "B3", Normal},
        {1, {0.0f, Top}, "B5", Normal},
        {1, {0.5f, 0.0f}, "MESSAGE0", Normal},
        {1, {Top, 0.5f}, "MESSAGE1", Normal},
        {1, {Top, Top}, "MESSAGE2", Normal},
        {4, {0.0f, 0.0f}, "PRESS0", Normal},
        {4, {0.0f, Top}, "PRESS1", Normal},
        {4, {0.5f, 0.0f}, "B0", Normal},
        {4, {Top, Top}, "B5", Normal},
        {5, {0.0f}, "NEW0", Normal},
        {5, {Top}, "NEW1", Normal},
        {2, {}, "", 0},
        {3, {}, "", 0},
        {6, {}, "", 0},
        {-1, {}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", draw " << c.draws.size());
        Draws draws{c.draws};
        const FrmMain::SoundFX fx = FrmMain::ChooseSoundFX(c.kind, draws.Function());
        EXPECT_EQ(fx.name, QLatin1String(c.name));
        EXPECT_EQ(fx.flags, c.flags);
        EXPECT_EQ(draws.used, c.draws.size()) << "silent kinds draw nothing";
    }
}

// Over the whole range of draws, the kinds reach exactly the sounds they are meant to,
// each of them stored as a WAVE resource; BEEP, CLICK, DOWN and UP are never chosen.
TEST(SoundFXChoice, TheKindsReachEveryPlayedSoundAndOnlyThose) {
    const float grid[] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, Top};
    std::set<QString> reached;
    for (long kind = -1; kind <= 6; ++kind)
        for (float first : grid)
            for (float second : grid) {
                Draws draws{{first, second}};
                const QString name = FrmMain::ChooseSoundFX(kind, draws.Function()).name;
                if (!name.isEmpty())
                    reached.insert(name);
            }
    const std::set<QString> expected{"B0",       "B1",       "B2",       "B3",     "B4",    "B5",
                                     "MESSAGE0", "MESSAGE1", "MESSAGE2", "NEW0",   "NEW1",  "POP0",
                                     "POP1",     "POP2",     "POP3",     "PRESS0", "PRESS1"};
    EXPECT_EQ(reached, expected);
    for (const QString& name : reached)
        EXPECT_FALSE(platform::resources::Wave(name).isEmpty()) << name.toStdString();
}

// The main window with its sound played through SDL's disk driver into a file.
class SoundFXTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(audio_.isValid());
        output_ = audio_.filePath(QStringLiteral("played.raw"));
        sound::CloseDevice();
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", output_.toLocal8Bit());
    }

    void TearDown() override {
        main.PlaySounds = false;
        sound::CloseDevice();
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SDL_DISKAUDIOFILE");
        MainWindowTest::TearDown();
    }

    // Whether the device wrote anything but silence. The disk driver writes in real time,
    // so the sound is first let play to its end.
    bool SomethingWasPlayed() {
        EXPECT_TRUE(QTest::qWaitFor([] { return !sound::IsPlaying(); }, WaitLimitMs));
        sound::CloseDevice();
        QFile file(output_);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        return std::any_of(bytes.begin(), bytes.end(), [](char b) { return b != 0; });
    }

    void ClickTool(int tool) {
        QTest::mouseClick(&main.pTool[size_t(tool)]->Face(), Qt::LeftButton, {}, QPoint(5, 5));
    }

    QTemporaryDir audio_;
    QString output_;
};

TEST_F(SoundFXTest, ClickingAToolButtonPlaysASound) {
    main.PlaySounds = true;
    ClickTool(1);
    EXPECT_EQ(main.CurrentTool, 1);
    EXPECT_TRUE(sound::IsPlaying());
    EXPECT_TRUE(SomethingWasPlayed());
}

TEST_F(SoundFXTest, UndoButtonClickPlaysAndUndoes) {
    main.PlaySounds = true;
    Stroke({QPointF(120, 20), QPointF(120, 40)});
    main.c_Click(2);
    EXPECT_EQ(main.UndoTop, -1);
    EXPECT_TRUE(sound::IsPlaying());
    EXPECT_TRUE(SomethingWasPlayed());
}

TEST_F(SoundFXTest, NothingPlaysWithSoundsOffButTheGeneratorIsStillReseeded) {
    main.PlaySounds = false;
    platform::SeedRandom(1);
    const float fixedDraw = platform::Rnd();
    platform::SeedRandom(1);
    ClickTool(2);
    main.c_Click(2);
    EXPECT_EQ(main.CurrentTool, 2);
    EXPECT_FALSE(sound::IsPlaying());
    EXPECT_FALSE(SomethingWasPlayed());
    // Reseeded from the clock, the generator no longer gives seed 1's first draw.
    EXPECT_NE(platform::Rnd(), fixedDraw);
}
} // namespace
