#pragma once

#include "DeviceContext.h"
#include "Gdi.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace platform {
class PictureBox;
}

// A 32-bit top-down bitmap in memory. Bits holds blue, green, red, alpha per pixel, the
// channel varying fastest, then the column, then the row, which is exactly the pixel data
// of a 32-bit top-down DIB, so whole-image transfers are single copies.
// Width and Height are the largest column and row index (pixel size minus one).
class cNDib {
public:
    using HDC = platform::HDC;

    // Copies the box's persistent image; false when there is none.
    bool Make_From_Picture(platform::PictureBox& picture);
    // The same from an image; false for a null image.
    bool Make_From_Image(const QImage& image);
    // Writes the pixels back into the box's image; with Resize the box takes their size.
    void Set_dib(platform::PictureBox& picture, bool Resize = false) const;
    // The whole image into the box, keeping its aspect ratio, centred (thumbnails).
    void Set_dib_Fit(HDC hDC, long dX, long dy, long dWidth, long dHeight) const;
    void Stretch_dib_area(long DestX, long DestY, long SourceX, long SourceY, long SourceWidth,
                          long SourceHeight, long DestWidth, long DestHeight, HDC hDC) const;
    void Bit_Blt_Dib(long DestX, long DestY, HDC hDC, uint32_t RasterOP) const;
    long Set_dib_Area(long DestX, long DestY, long SourceX, long SourceY, long Width, long Height,
                      HDC hDC) const;

    long Width() const { return width_ - 1; }
    long Height() const { return height_ - 1; }

    void Set_Pixel(long X, long Y, uint8_t R, uint8_t G, uint8_t b);
    void Get_Pixel(long X, long Y, uint8_t& R, uint8_t& G, uint8_t& b) const;
    long Get_Pixel_Long(long X, long Y) const;
    uint8_t Get_Channel(long X, long Y, int ChannelIndex) const;

    bool IsEmpty() const { return Bits.empty(); }
    const platform::gdi::BITMAPINFOHEADER& Header() const { return header_; }
    // The pixels as an image sharing nothing with this object.
    QImage ToImage() const;

    std::vector<uint8_t> Bits;

private:
    size_t Index(long X, long Y) const { return (size_t(Y) * size_t(width_) + size_t(X)) * 4; }
    void RequirePixels() const;

    platform::gdi::BITMAPINFOHEADER header_;
    long width_ = 0;
    long height_ = 0;
};
