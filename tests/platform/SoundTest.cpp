#include "Sound.h"

#include "WaitLimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace platform::sound;

namespace {
constexpr unsigned Normal = SND_RESOURCE | SND_NODEFAULT | SND_ASYNC;
constexpr unsigned Pop = Normal | SND_NOSTOP;
constexpr unsigned Confirmation = SND_RESOURCE | SND_NODEFAULT;

// Every test plays through SDL's disk driver, which writes what the device plays
// (signed 16-bit, one channel, 44100 Hz) into a file, in real time.
class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        output_ = dir_.filePath(QStringLiteral("played.raw"));
        UseDriver("disk");
        qputenv("SDL_DISKAUDIOFILE", output_.toLocal8Bit());
    }

    void TearDown() override {
        CloseDevice();
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SDL_DISKAUDIOFILE");
    }

    static void UseDriver(const char* driver) {
        CloseDevice();
        qputenv("SDL_AUDIODRIVER", driver);
    }

    // Waits until the sound has been played.
    static void WaitUntilQuiet() {
        EXPECT_TRUE(QTest::qWaitFor([] { return !IsPlaying(); }, WaitLimitMs));
    }

    // What the device played, read once the device is closed.
    std::vector<int16_t> Played() {
        CloseDevice();
        QFile file(output_);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        std::vector<int16_t> samples(static_cast<std::size_t>(bytes.size()) / 2);
        if (!samples.empty()) // memcpy takes no null pointer, even for nothing
            std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }

    // The span from the first to the last sample that is not silent, in seconds.
    static double SoundingSeconds(const std::vector<int16_t>& samples) {
        const auto sounding = [](int16_t sample) { return sample != 0; };
        const auto first = std::find_if(samples.begin(), samples.end(), sounding);
        if (first == samples.end())
            return 0.0;
        const auto last = std::find_if(samples.rbegin(), samples.rend(), sounding).base();
        return static_cast<double>(last - first) / 44100.0;
    }

    QTemporaryDir dir_;
    QString output_;
};
} // namespace

TEST_F(SoundTest, SynchronousPlayReturnsOnceTheWholeSoundHasBeenPlayed) {
    ASSERT_TRUE(PlaySoundA(QStringLiteral("POP1"), Confirmation));
    EXPECT_FALSE(IsPlaying());
    // POP1 lasts 0.29 s; its fade-out ends in silence a little before the end.
    const double seconds = SoundingSeconds(Played());
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 0.32);
}

TEST_F(SoundTest, AsynchronousPlayReturnsAtOnceAndGoesOnInTheBackground) {
    ASSERT_TRUE(PlaySoundA(QStringLiteral("NEW1"), Normal));
    EXPECT_TRUE(IsPlaying());
}

TEST_F(SoundTest, ANewSoundCutsOffThePlayingOne) {
    ASSERT_TRUE(PlaySoundA(QStringLiteral("NEW1"), Normal));
    // The press replaces the three-second jingle: once the press has ended, nothing plays.
    ASSERT_TRUE(PlaySoundA(QStringLiteral("PRESS1"), Confirmation));
    EXPECT_FALSE(IsPlaying());
    EXPECT_LT(SoundingSeconds(Played()), 1.0);
}

TEST_F(SoundTest, APopIsDroppedWhileAnotherSoundPlays) {
    ASSERT_TRUE(PlaySoundA(QStringLiteral("NEW1"), Normal));
    EXPECT_FALSE(PlaySoundA(QStringLiteral("POP0"), Pop));
    EXPECT_TRUE(IsPlaying()); // the jingle goes on
}

TEST_F(SoundTest, APopPlaysWhenNothingElseDoes) {
    EXPECT_TRUE(PlaySoundA(QStringLiteral("POP0"), Pop));
    WaitUntilQuiet();
    EXPECT_GT(SoundingSeconds(Played()), 0.0);
}

TEST_F(SoundTest, AMissingResourceIsSilentAndLeavesThePlayingSoundAlone) {
    EXPECT_FALSE(PlaySoundA(QStringLiteral("NOSUCHSOUND"), Normal));
    EXPECT_FALSE(PlaySoundA(QStringLiteral("NOSUCHSOUND"), Confirmation));
    EXPECT_EQ(SoundingSeconds(Played()), 0.0);

    ASSERT_TRUE(PlaySoundA(QStringLiteral("NEW1"), Normal));
    EXPECT_FALSE(PlaySoundA(QStringLiteral("NOSUCHSOUND"), Normal));
    EXPECT_TRUE(IsPlaying());
}

TEST_F(SoundTest, NamesAreFoundWithoutRegardToCase) {
    EXPECT_TRUE(PlaySoundA(QStringLiteral("pop2"), Confirmation));
}

TEST_F(SoundTest, NoAudioDeviceGivesSilenceWithoutHanging) {
    UseDriver("no-such-driver");
    EXPECT_FALSE(PlaySoundA(QStringLiteral("NEW1"), Normal));
    EXPECT_FALSE(PlaySoundA(QStringLiteral("NEW1"), Confirmation));
    EXPECT_FALSE(IsPlaying());
}

TEST_F(SoundTest, TheDummyDriverPlaysWithoutHardware) {
    UseDriver("dummy");
    EXPECT_TRUE(PlaySoundA(QStringLiteral("POP2"), Confirmation));
    EXPECT_TRUE(PlaySoundA(QStringLiteral("NEW0"), Normal));
    EXPECT_TRUE(IsPlaying());
}

TEST_F(SoundTest, OpeningTheDeviceLeavesTheSignalHandlersAlone) {
    struct sigaction before {};
    struct sigaction after {};
    sigaction(SIGTERM, nullptr, &before);
    ASSERT_TRUE(PlaySoundA(QStringLiteral("POP2"), Normal));
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(before.sa_handler, after.sa_handler);
}
