// The WAVE sounds compiled into the program: each has the format and length the program
// was made with, and plays at a pleasant level that never reaches full scale.
#include "Resources.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {
struct Wave {
    int formatTag = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    QByteArray data;
};

// Reads a RIFF WAVE file chunk by chunk; nothing when it is not one.
std::optional<Wave> ParseWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    const char* const bytes = file.constData();
    Wave wave;
    bool haveFormat = false, haveData = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const auto size = static_cast<qsizetype>(qFromLittleEndian<quint32>(bytes + at + 4));
        const qsizetype body = at + 8;
        if (body + size > file.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wave.formatTag = qFromLittleEndian<quint16>(bytes + body);
            wave.channels = qFromLittleEndian<quint16>(bytes + body + 2);
            wave.rate = static_cast<int>(qFromLittleEndian<quint32>(bytes + body + 4));
            wave.bits = qFromLittleEndian<quint16>(bytes + body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wave.data = file.mid(body, size);
            haveData = true;
        }
        at = body + size + (size % 2);
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return wave;
}

// Every sample as a fraction of full scale, -1 to 1.
std::vector<double> Samples(const Wave& wave) {
    std::vector<double> out;
    if (wave.bits == 8) {
        for (char byte : wave.data)
            out.push_back((static_cast<unsigned char>(byte) - 128) / 128.0);
    } else {
        for (qsizetype i = 0; i + 1 < wave.data.size(); i += 2)
            out.push_back(qFromLittleEndian<qint16>(wave.data.constData() + i) / 32768.0);
    }
    return out;
}

struct Expected {
    const char* name;
    int rate;
    int bits;
    double seconds;
};

void PrintTo(const Expected& expected, std::ostream* out) {
    *out << expected.name;
}

class Sounds : public testing::TestWithParam<Expected> {};
} // namespace

TEST_P(Sounds, HaveTheirFormatAndLength) {
    const Expected& expected = GetParam();
    const std::optional<Wave> wave =
        ParseWave(platform::resources::Wave(QString::fromLatin1(expected.name)));
    ASSERT_TRUE(wave.has_value()) << "no WAVE resource";
    EXPECT_EQ(wave->formatTag, 1); // PCM
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->rate, expected.rate);
    EXPECT_EQ(wave->bits, expected.bits);
    const double seconds =
        static_cast<double>(wave->data.size()) / (expected.rate * expected.bits / 8);
    EXPECT_NEAR(seconds, expected.seconds, expected.seconds * 0.1);
}

TEST_P(Sounds, AreClearlyAudibleWithoutClippingAndStartAndEndInSilence) {
    const std::optional<Wave> wave =
        ParseWave(platform::resources::Wave(QString::fromLatin1(GetParam().name)));
    ASSERT_TRUE(wave.has_value());
    const std::vector<double> samples = Samples(*wave);
    ASSERT_FALSE(samples.empty());
    double peak = 0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.15);
    EXPECT_LT(peak, 0.7); // well below full scale
    // No click at either end: the sound fades in from and out to silence.
    EXPECT_LT(std::abs(samples.front()), 0.02);
    EXPECT_LT(std::abs(samples.back()), 0.02);
}

INSTANTIATE_TEST_SUITE_P(
    Resources, Sounds,
    testing::Values(Expected{"B0", 44100, 8, 0.20}, Expected{"B1", 44100, 8, 0.20},
                    Expected{"B2", 11025, 8, 0.18}, Expected{"B3", 22050, 16, 0.19},
                    Expected{"B4", 11025, 8, 0.38}, Expected{"B5", 11025, 8, 0.46},
                    Expected{"BEEP", 11025, 8, 0.08}, Expected{"CANCEL0", 11025, 8, 2.10},
                    Expected{"CANCEL1", 11025, 8, 1.30}, Expected{"CANCEL2", 11025, 8, 1.31},
                    Expected{"CANCEL3", 44100, 8, 0.61}, Expected{"CLICK", 11025, 8, 0.05},
                    Expected{"DOWN", 11025, 8, 0.68}, Expected{"MESSAGE0", 11025, 8, 1.73},
                    Expected{"MESSAGE1", 11025, 8, 0.79}, Expected{"MESSAGE2", 44100, 8, 0.64},
                    Expected{"NEW0", 11025, 8, 2.97}, Expected{"NEW1", 22050, 16, 3.05},
                    Expected{"OK", 11025, 8, 0.40}, Expected{"POP0", 22050, 16, 0.14},
                    Expected{"POP1", 22050, 16, 0.29}, Expected{"POP2", 22050, 16, 0.07},
                    Expected{"POP3", 22050, 16, 0.14}, Expected{"PRESS0", 44100, 8, 0.17},
                    Expected{"PRESS1", 44100, 8, 0.08}, Expected{"UP", 11025, 8, 0.68}),
    [](const testing::TestParamInfo<Expected>& info) { return std::string(info.param.name); });

TEST(SoundResources, AnUnknownNameHasNoSound) {
    EXPECT_TRUE(platform::resources::Wave(QStringLiteral("POP4")).isEmpty());
}
