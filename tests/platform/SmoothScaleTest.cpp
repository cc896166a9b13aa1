#include "SmoothScale.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

enum class Content { Noise, LineArt, OneColour, Gradient };

QImage Picture(int width, int height, Content content, quint32 seed) {
    QRandomGenerator random(seed);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (content) {
            case Content::Noise:
                row[x] = random.generate() | 0xFF000000u;
                break;
            case Content::LineArt: // white paper, black strokes, a few coloured patches
                row[x] = (x + 2 * y) % 37 < 3 || (x * x + y * y) % 997 < 20 ? qRgb(0, 0, 0)
                         : (x / 50 + y / 40) % 5 == 0                       ? qRgb(250, 20, 90)
                                                                            : qRgb(255, 255, 255);
                break;
            case Content::OneColour:
                row[x] = qRgb(12, 200, 77);
                break;
            case Content::Gradient:
                row[x] = qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF);
                break;
            }
        }
    }
    return picture;
}

::testing::AssertionResult SamePixels(const QImage& ours, const QImage& qt) {
    if (ours.size() != qt.size() || ours.format() != qt.format())
        return ::testing::AssertionFailure() << "size or format differs";
    for (int y = 0; y < qt.height(); ++y) {
        for (int x = 0; x < qt.width(); ++x) {
            if (ours.pixel(x, y) != qt.pixel(x, y))
                return ::testing::AssertionFailure() << "at " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

// Shrinking averages exactly as Qt's smooth scaling does, for every kind of picture and
// ratio; what it does not shrink in both directions goes to Qt itself.
TEST(SmoothScale, GivesQtsPixels) {
    struct Case {
        int width, height, toWidth, toHeight;
    };
    const Case cases[] = {
        {750, 480, 100, 64}, {480, 750, 64, 100}, {100, 100, 99, 99}, {101, 57, 100, 56},
        {640, 480, 1, 1},    {3000, 20, 100, 1},  {7, 900, 1, 100},   {333, 222, 111, 74},
        {1024, 768, 99, 74}, {2, 2, 1, 1},        {9, 5, 8, 4},       {1000, 1000, 997, 3},
        {10, 20, 50, 100},   {200, 50, 100, 50},  {50, 200, 60, 100}, {750, 480, 750, 480},
    };
    quint32 seed = 1;
    for (const Case& c : cases) {
        for (Content content :
             {Content::Noise, Content::LineArt, Content::OneColour, Content::Gradient}) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " to " << c.toWidth
                                            << "x" << c.toHeight << ", kind " << int(content));
            const QImage picture = Picture(c.width, c.height, content, seed++);
            const QSize size(c.toWidth, c.toHeight);
            EXPECT_TRUE(
                SamePixels(platform::SmoothScaled(picture, size),
                           picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        }
    }
}

TEST(SmoothScale, OtherFormatsGoToQt) {
    const QImage argb = Picture(300, 200, Content::Noise, 5).convertToFormat(QImage::Format_ARGB32);
    const QSize size(30, 20);
    EXPECT_TRUE(SamePixels(platform::SmoothScaled(argb, size),
                           argb.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

} // namespace
