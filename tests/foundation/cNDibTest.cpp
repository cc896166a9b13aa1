#include "cNDib.h"

#include "ColourValue.h"
#include "Fixtures.h"
#include "PictureBox.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
// A 100 x 50 bitmap whose pixel (x, y) has red x, green y and blue 7.
cNDib Gradient() {
    QImage image(100, 50, QImage::Format_RGB32);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    cNDib dib;
    EXPECT_TRUE(dib.Make_From_Image(image));
    return dib;
}

// The rectangle of non-black pixels of an image.
QRect Painted(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                r |= QRect(x, y, 1, 1);
    return r;
}
} // namespace

TEST(cNDib, SizesAreLargestIndexes) {
    EXPECT_EQ(fixtures::SolidDib(1, 3, 0).Width(), 0);
    const cNDib dib = Gradient();
    EXPECT_EQ(dib.Width(), 99);
    EXPECT_EQ(dib.Height(), 49);
    EXPECT_EQ(dib.Header().biSize, 40);
    EXPECT_EQ(dib.Header().biWidth, 100);
    EXPECT_EQ(dib.Header().biHeight, -50);
    EXPECT_EQ(dib.Header().biBitCount, 32);
    EXPECT_EQ(dib.Bits.size(), 100u * 50u * 4u);
    // Row y begins at byte 4 * W * y; each pixel is blue, green, red, alpha.
    EXPECT_EQ(dib.Bits[(4 * 100 * 10) + 4 * 20 + 0], 7);
    EXPECT_EQ(dib.Bits[(4 * 100 * 10) + 4 * 20 + 1], 10);
    EXPECT_EQ(dib.Bits[(4 * 100 * 10) + 4 * 20 + 2], 20);
}

TEST(cNDib, PixelAccessClampsOrSkipsAtTheEdges) {
    cNDib dib = Gradient();
    auto colour = [](long r, long g, long b) { return r + 256 * g + 65536 * b; };
    EXPECT_EQ(dib.Get_Pixel_Long(-5, 10), colour(0, 10, 7));
    EXPECT_EQ(dib.Get_Pixel_Long(200, 70), colour(99, 49, 7));
    EXPECT_EQ(dib.Get_Channel(150, 20, 2), 99); // red of pixel (99, 20)

    const std::vector<uint8_t> before = dib.Bits;
    dib.Set_Pixel(100, 0, 1, 2, 3);
    dib.Set_Pixel(0, -1, 1, 2, 3);
    EXPECT_EQ(dib.Bits, before);
    uint8_t r = 11, g = 12, b = 13;
    dib.Get_Pixel(100, 0, r, g, b);
    EXPECT_EQ(std::tuple(r, g, b), std::tuple(11, 12, 13));
    dib.Set_Pixel(3, 4, 200, 201, 202);
    dib.Get_Pixel(3, 4, r, g, b);
    EXPECT_EQ(std::tuple(r, g, b), std::tuple(200, 201, 202));
}

TEST(cNDib, MakeFromPictureFailsWithoutAnImage) {
    cNDib dib;
    EXPECT_FALSE(dib.Make_From_Image(QImage()));
    EXPECT_TRUE(dib.IsEmpty());
}

TEST(cNDib, SetDibFitKeepsTheAspectRatioCentred) {
    struct Case {
        int w, h;
        QRect box, expected;
    };
    const Case cases[] = {
        {200, 100, QRect(0, 0, 100, 100), QRect(0, 25, 100, 50)},
        {100, 300, QRect(10, 10, 100, 100), QRect(44, 10, 33, 100)}, // 43.5 goes to 44
        {100, 100, QRect(0, 0, 100, 60), QRect(20, 0, 60, 60)},
        {300, 100, QRect(0, 0, 60, 100), QRect(0, 40, 60, 20)},
    };
    for (const Case& c : cases) {
        const cNDib dib = fixtures::SolidDib(c.w, c.h, 0xFFFFFF);
        QImage target(120, 120, QImage::Format_RGB32);
        target.fill(0);
        platform::DeviceContext dc(&target);
        dib.Set_dib_Fit(&dc, c.box.x(), c.box.y(), c.box.width(), c.box.height());
        EXPECT_EQ(Painted(target), c.expected) << c.w << "x" << c.h;
    }
}

TEST(cNDib, TransfersKeepRowsUpright) {
    const cNDib dib = Gradient();
    QImage target(100, 50, QImage::Format_RGB32);
    target.fill(0);
    platform::DeviceContext dc(&target);
    dib.Stretch_dib_area(0, 0, 0, 0, 100, 50, 100, 50, &dc);
    EXPECT_EQ(target, dib.ToImage());

    // A sub-rectangle counted from the top row.
    target.fill(0);
    EXPECT_GT(dib.Set_dib_Area(5, 6, 20, 30, 4, 3, &dc), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(qRed(target.pixel(5 + x, 6 + y)), 20 + x) << x << "," << y;
    EXPECT_EQ(qGreen(target.pixel(5, 6)), 30);
    EXPECT_EQ(Painted(target), QRect(5, 6, 4, 3));
}

TEST(cNDib, RoundTripThroughAPictureBox) {
    platform::PictureBox box;
    box.resize(10, 10);
    const cNDib dib = Gradient();
    dib.Set_dib(box, true);
    EXPECT_EQ(box.ScaleWidth(), 100);
    EXPECT_EQ(box.ScaleHeight(), 50);
    cNDib back;
    ASSERT_TRUE(back.Make_From_Picture(box));
    EXPECT_EQ(back.ToImage(), dib.ToImage());
}

TEST(cNDib, RasterOperationsMaskAndPaint) {
    // A mask (white around, black inside) ANDed, then a sprite (black around) ORed.
    QImage target(3, 1, QImage::Format_RGB32);
    target.fill(qRgb(10, 20, 30));
    platform::DeviceContext dc(&target);
    QImage mask(3, 1, QImage::Format_RGB32);
    mask.fill(Qt::white);
    mask.setPixel(1, 0, qRgb(0, 0, 0));
    QImage sprite(3, 1, QImage::Format_RGB32);
    sprite.fill(Qt::black);
    sprite.setPixel(1, 0, qRgb(200, 100, 50));
    cNDib m, s;
    m.Make_From_Image(mask);
    s.Make_From_Image(sprite);
    m.Bit_Blt_Dib(0, 0, &dc, platform::gdi::SRCAND);
    s.Bit_Blt_Dib(0, 0, &dc, platform::gdi::SRCPAINT);
    EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, qRgb(10, 20, 30) & 0xFFFFFF);
    EXPECT_EQ(target.pixel(1, 0) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);
}
