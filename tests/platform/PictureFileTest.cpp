#include "PictureFile.h"

#include "PictureBox.h"
#include "PictureFiles.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Palette bitmaps (1 and 8 bits a pixel) come out pixel for pixel in their table's
// colours, also where a row ends inside a byte.
TEST(PaletteBitmapTest, KeepsEveryPixel) {
    QTemporaryDir dir;
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_Indexed8}) {
        QImage picture(13, 3, format);
        picture.setColorTable({qRgb(200, 10, 10), qRgb(10, 10, 200)});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x)
                picture.setPixel(x, y, (x + y) % 3 == 0 ? 1 : 0);
        const QString path = dir.filePath(QStringLiteral("p%1.bmp").arg(int(format)));
        ASSERT_TRUE(picture.save(path, "BMP"));

        const QImage loaded = platform::LoadPicture(path);
        ASSERT_EQ(loaded.size(), QSize(13, 3));
        ASSERT_EQ(loaded.format(), QImage::Format_RGB32);
        const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x)
                EXPECT_EQ(QColor(loaded.pixel(x, y)), QColor(expected.pixel(x, y)))
                    << int(format) << " at " << x << "," << y;
        EXPECT_EQ(QColor(loaded.pixel(0, 0)), QColor(10, 10, 200));
        EXPECT_EQ(QColor(loaded.pixel(12, 0)), QColor(10, 10, 200));
        EXPECT_EQ(QColor(loaded.pixel(11, 0)), QColor(200, 10, 10));
    }
}

} // namespace

namespace {

// Only regular files are pictures: a named pipe, a folder or a device under a picture's
// name is no picture, and is refused at once rather than waited on.
TEST(PictureFileKindTest, OnlyRegularFilesAreRead) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("cat.gif"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString folder = dir.filePath(QStringLiteral("dog.bmp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const QString& path : {pipe, folder, QStringLiteral("/dev/zero")})
        EXPECT_TRUE(platform::LoadPicture(path).isNull()) << path.toStdString();
}

// A tiny file whose header claims a huge picture is refused before memory is taken for it.
TEST(PictureFileKindTest, AHeaderClaimingTooManyPixelsIsRefused) {
    QTemporaryDir dir;
    // GIF89a, 10000 x 3300, two colours, one image of that size with almost no data.
    const QByteArray gif = QByteArray::fromHex("4749463839611027e40c800000000000ffffff"
                                               "2c000000001027e40c0002024c01003b");
    const QString path = dir.filePath(QStringLiteral("huge.gif"));
    ASSERT_TRUE(fixtures::WriteFile(path, gif));
    EXPECT_TRUE(platform::LoadPicture(path).isNull());

    // At the limit a picture opens; a row more and it is refused.
    for (const int height : {2000, 2001}) {
        QImage drawing(2000, height, QImage::Format_Mono);
        drawing.fill(1);
        const QString bitmap = dir.filePath(QStringLiteral("tall%1.bmp").arg(height));
        ASSERT_TRUE(drawing.save(bitmap, "BMP"));
        EXPECT_EQ(platform::LoadPicture(bitmap).isNull(),
                  qint64(2000) * height > platform::MaxPicturePixels)
            << height;
    }
}

} // namespace
