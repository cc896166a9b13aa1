#include "PictureFile.h"

#include "PictureBox.h"
#include "PictureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Green = 0x00FF00; // colour value 0x00BBGGRR

// A 4 x 3 picture with one ink pixel at (1, 1); the rest is as `rest`.
QImage FourByThree(QRgb rest, QRgb ink) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(rest);
    image.setPixel(1, 1, ink);
    return image;
}

class PictureFileTest : public testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(fixtures::WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(PictureFileTest, TransparentColourOfAGifIsPaperEvenWhenStoredAsBlack) {
    // Index 0 is the transparent colour, stored as black; index 1 is black ink.
    std::vector<uint8_t> indices(12, 0);
    indices[5] = 1;
    const QString gif = Write(QStringLiteral("cat.gif"),
                              fixtures::GifFile(4, 3, indices, {qRgb(0, 0, 0), qRgb(0, 0, 0)}, 0));
    for (uint32_t back : {White, Green}) {
        const QImage picture = platform::LoadPicture(gif, back);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        EXPECT_EQ(picture.pixel(0, 0), back == White ? qRgb(255, 255, 255) : qRgb(0, 255, 0));
        EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 0, 0)) << "the ink stays black";
    }
    // Without a transparent colour the same file is black all over.
    const QString opaque =
        Write(QStringLiteral("opaque.gif"), fixtures::GifFile(4, 3, indices, {qRgb(0, 0, 0)}, -1));
    EXPECT_EQ(platform::LoadPicture(opaque, White).pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(PictureFileTest, ThirtyTwoBitBitmapsAreTransparentOnlyWithAnAlphaMask) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QRgb rest; // what the pixels other than the ink show over green
        QRgb ink;
    };
    const QRgb ink = qRgb(10, 20, 30);
    const Case cases[] = {
        // A version 5 header with an alpha mask: transparent pixels take the back colour,
        // half transparent ones are blended over it.
        {"alpha.bmp",
         fixtures::Bmp32File(FourByThree(qRgba(0, 0, 0, 0), qRgba(10, 20, 30, 255)), true),
         qRgb(0, 255, 0), ink},
        {"half.bmp",
         fixtures::Bmp32File(FourByThree(qRgba(0, 0, 0, 128), qRgba(10, 20, 30, 255)), true),
         qRgb(0, 127, 0), ink},
        // A plain header: the fourth byte is padding, so 0 there is no transparency.
        {"plain.bmp", fixtures::Bmp32File(FourByThree(qRgb(0, 0, 0), ink), false, 0), qRgb(0, 0, 0),
         ink},
        {"plain-ff.bmp", fixtures::Bmp32File(FourByThree(qRgb(200, 100, 0), ink), false, 0xFF),
         qRgb(200, 100, 0), ink},
        // An alpha mask with every alpha byte 0: the writer meant the colours.
        {"zero-alpha.bmp",
         fixtures::Bmp32File(FourByThree(qRgba(200, 100, 0, 0), qRgba(10, 20, 30, 0)), true),
         qRgb(200, 100, 0), ink},
    };
    for (const Case& c : cases) {
        const QImage picture = platform::LoadPicture(Write(QLatin1String(c.name), c.bytes), Green);
        ASSERT_FALSE(picture.isNull()) << c.name;
        EXPECT_EQ(picture.format(), QImage::Format_RGB32) << c.name;
        const QRgb rest = picture.pixel(3, 2);
        EXPECT_EQ(qRed(rest), qRed(c.rest)) << c.name;
        EXPECT_NEAR(qGreen(rest), qGreen(c.rest), 1) << c.name;
        EXPECT_EQ(qBlue(rest), qBlue(c.rest)) << c.name;
        EXPECT_EQ(picture.pixel(1, 1), c.ink) << c.name;
    }
}

TEST_F(PictureFileTest, PictureBoxLaysATransparentPictureOverItsBackColour) {
    platform::PictureBox box;
    box.AutoSize = true;
    box.SetBackColor(Green);
    box.SetPicture(FourByThree(qRgba(0, 0, 0, 0), qRgba(10, 20, 30, 255)));
    EXPECT_EQ(box.Picture().format(), QImage::Format_RGB32);
    EXPECT_EQ(box.Image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(box.Image().pixel(1, 1), qRgb(10, 20, 30));
    box.Cls();
    EXPECT_EQ(box.Image().pixel(0, 0), qRgb(0, 255, 0)) << "Cls brings back the same picture";
}

} // namespace
