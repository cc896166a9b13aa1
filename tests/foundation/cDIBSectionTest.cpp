#include "cDIBSection.h"

#include "Gdi.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>

namespace {

// A picture whose pixel (x, y) has red 10 + x, green 100 + y and blue 200.
QImage Numbered(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + x, 100 + y, 200));
    return image;
}

// Blue, green, red of pixel (x, y) as the section's memory holds it, bottom row first.
std::array<int, 3> BitsAt(const cDIBSection& dib, int x, int y) {
    const uint8_t* p =
        dib.DIBSectionBitsPtr() + (dib.Height() - 1 - y) * dib.BytesPerScanLine() + 3 * x;
    return {p[0], p[1], p[2]};
}

void ExpectNoSection(const cDIBSection& dib) {
    EXPECT_EQ(dib.hDC(), nullptr);
    EXPECT_EQ(dib.hDib(), nullptr);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
}

} // namespace

struct ScanLineCase {
    long width;
    long bytesPerScanLine;
};

class cDIBSectionRows : public testing::TestWithParam<ScanLineCase> {};

TEST_P(cDIBSectionRows, RowsArePaddedToFourBytesAndTheHeaderDescribesThem) {
    const auto [width, scanLine] = GetParam();
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(width, 3));
    EXPECT_EQ(dib.BytesPerScanLine(), scanLine);
    EXPECT_EQ(dib.Width(), width);
    EXPECT_EQ(dib.Height(), 3);
    const auto& h = dib.Header();
    EXPECT_EQ(h.biSize, 40);
    EXPECT_EQ(h.biWidth, width);
    EXPECT_EQ(h.biHeight, 3); // positive: bottom-up
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, 0);
    EXPECT_EQ(h.biSizeImage, scanLine * 3);
    EXPECT_EQ(h.biXPelsPerMeter | h.biYPelsPerMeter | h.biClrUsed | h.biClrImportant, 0);
    EXPECT_NE(dib.hDC(), nullptr);
    EXPECT_NE(dib.hDib(), nullptr);
    ASSERT_NE(dib.DIBSectionBitsPtr(), nullptr);

    // Filled from a picture: pixels land bottom row first, pad bytes stay 0.
    dib.CreateFromPicture(Numbered(int(width), 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(BitsAt(dib, x, y), (std::array<int, 3>{200, 100 + y, 10 + x}))
                << x << "," << y;
        for (long pad = width * 3; pad < scanLine; ++pad)
            EXPECT_EQ(dib.DIBSectionBitsPtr()[y * scanLine + pad], 0);
    }
    // The first bytes in memory are the picture's bottom-left pixel.
    EXPECT_EQ(dib.DIBSectionBitsPtr()[1], 100 + 2);
}

INSTANTIATE_TEST_SUITE_P(Widths, cDIBSectionRows,
                         testing::Values(ScanLineCase{1, 4}, ScanLineCase{2, 8},
                                         ScanLineCase{3, 12}, ScanLineCase{4, 12},
                                         ScanLineCase{5, 16}, ScanLineCase{6, 20},
                                         ScanLineCase{7, 24}, ScanLineCase{9, 28},
                                         ScanLineCase{101, 304}));

TEST(cDIBSection, PicturesOfOtherFormatsArrivePixelForPixel) {
    QImage mono(9, 4, QImage::Format_Mono);
    mono.fill(1);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    mono.setPixel(2, 1, 0);
    cDIBSection dib;
    dib.CreateFromPicture(mono);
    ASSERT_NE(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 9);
    EXPECT_EQ(BitsAt(dib, 2, 1), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(BitsAt(dib, 3, 1), (std::array<int, 3>{255, 255, 255}));

    QImage argb = Numbered(6, 5).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    dib.CreateFromPicture(argb);
    EXPECT_EQ(BitsAt(dib, 5, 4), (std::array<int, 3>{200, 104, 15}));
}

TEST(cDIBSection, DrawingThroughTheContextReachesThePixelMemory) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(7, 5));
    EXPECT_TRUE(platform::gdi::SetPixelV(dib.hDC(), 6, 0, 0x00332211)); // 0x00BBGGRR
    EXPECT_EQ(BitsAt(dib, 6, 0), (std::array<int, 3>{0x33, 0x22, 0x11}));
    EXPECT_EQ(platform::gdi::GetPixel(dib.hDC(), 6, 0), 0x00332211u);
    EXPECT_EQ(BitsAt(dib, 5, 0), (std::array<int, 3>{0, 0, 0}));

    // Also on a section made from a picture, whose memory is filled only when asked for;
    // the picture itself is left as it was.
    const QImage picture = Numbered(7, 5);
    dib.CreateFromPicture(picture);
    ASSERT_NE(dib.PendingSurface(), nullptr);
    EXPECT_TRUE(platform::gdi::SetPixelV(dib.hDC(), 6, 0, 0x00332211));
    EXPECT_EQ(dib.PendingSurface()->pixel(6, 0), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(BitsAt(dib, 6, 0), (std::array<int, 3>{0x33, 0x22, 0x11}));
    EXPECT_EQ(BitsAt(dib, 5, 0), (std::array<int, 3>{200, 100, 15}));
    EXPECT_EQ(dib.PendingSurface(), nullptr);
    EXPECT_TRUE(platform::gdi::SetPixelV(dib.hDC(), 0, 4, 0x00000000));
    EXPECT_EQ(BitsAt(dib, 0, 4), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(picture.pixel(6, 0), qRgb(16, 100, 200));
}

TEST(cDIBSection, LoadPictureBltCopiesTheGivenSourceArea) {
    QImage source = Numbered(20, 10);
    platform::DeviceContext from(&source);
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(8, 6));
    dib.LoadPictureBlt(&from, 5, 3, 4, 2);
    EXPECT_EQ(BitsAt(dib, 0, 0), (std::array<int, 3>{200, 103, 15}));
    EXPECT_EQ(BitsAt(dib, 3, 1), (std::array<int, 3>{200, 104, 18}));
    EXPECT_EQ(BitsAt(dib, 4, 0), (std::array<int, 3>{0, 0, 0})); // outside the width given
    EXPECT_EQ(BitsAt(dib, 0, 2), (std::array<int, 3>{0, 0, 0}));

    // Negative sizes take the section's; past the source's edge comes out black.
    dib.LoadPictureBlt(&from, 15, 6);
    EXPECT_EQ(BitsAt(dib, 4, 3), (std::array<int, 3>{200, 109, 29}));
    EXPECT_EQ(BitsAt(dib, 5, 3), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(BitsAt(dib, 0, 4), (std::array<int, 3>{0, 0, 0}));
}

TEST(cDIBSection, ClearUpReleasesEverythingButTheSize) {
    cDIBSection never;
    never.ClearUp();
    ExpectNoSection(never);

    cDIBSection dib;
    ASSERT_TRUE(dib.Create(12, 4));
    dib.ClearUp();
    ExpectNoSection(dib);
    EXPECT_EQ(dib.Width(), 12);
    EXPECT_EQ(dib.Height(), 4);
    EXPECT_EQ(dib.BytesPerScanLine(), 36);
}

TEST(cDIBSection, CreateAgainStartsAFreshSection) {
    cDIBSection dib;
    dib.CreateFromPicture(Numbered(10, 10));
    ASSERT_TRUE(dib.Create(3, 2));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.BytesPerScanLine(), 12);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(dib.DIBSectionBitsPtr()[i], 0);
    platform::gdi::SetPixelV(dib.hDC(), 2, 1, 0x00FFFFFF);
    EXPECT_EQ(BitsAt(dib, 2, 1), (std::array<int, 3>{255, 255, 255}));
}

TEST(cDIBSection, SizesThatCannotBeMadeLeaveNoSection) {
    const std::pair<long, long> sizes[] = {{0, 5}, {5, 0}, {-3, 4}, {4, -3}, {1L << 20, 1L << 20}};
    for (const auto& [w, h] : sizes) {
        cDIBSection dib;
        ASSERT_TRUE(dib.Create(2, 2));
        EXPECT_FALSE(dib.Create(w, h)) << w << " x " << h;
        ExpectNoSection(dib);
    }
    cDIBSection fromNothing;
    fromNothing.CreateFromPicture(QImage());
    ExpectNoSection(fromNothing);
}
