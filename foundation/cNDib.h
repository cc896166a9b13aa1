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
    // Where Set_dib_Fit puts a picture of width x height pixels.
    struct Area {
        long Left, Top, Width, Height;
    };
    static Area FitArea(long width, long height, long dX, long dy, long dWidth, long dHeight);
    void Stretch_dib_area(long DestX, long DestY, long SourceX, long SourceY, long SourceWidth,
                          long SourceHeight, long DestWidth, long DestHeight, HDC hDC) const;
    void Bit_Blt_Dib(long DestX, long DestY, HDC hDC, uint32_t RasterOP) const;
    long Set_dib_Area(long DestX, long DestY, long SourceX, long SourceY, long Width, long Height,
                      HDC hDC) const;

    long Width() const { return width_ - 1; }
    long Height() const { return height_ - 1; }

    // The pixel members are called once per pixel by the brush engine: kept inline.
    void Set_Pixel(long X, long Y, uint8_t R, uint8_t G, uint8_t b) {
        if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
            return;
        uint8_t* pixel = Bits.data() + Index(X, Y);
        pixel[0] = b;
        pixel[1] = G;
        pixel[2] = R;
    }
    void Get_Pixel(long X, long Y, uint8_t& R, uint8_t& G, uint8_t& b) const {
        if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
            return;
        const uint8_t* pixel = Bits.data() + Index(X, Y);
        b = pixel[0];
        G = pixel[1];
        R = pixel[2];
    }
    // Clamped into the bitmap on both sides.
    long Get_Pixel_Long(long X, long Y) const {
        RequirePixels();
        X = X < 0 ? 0 : X > width_ - 1 ? width_ - 1 : X;
        Y = Y < 0 ? 0 : Y > height_ - 1 ? height_ - 1 : Y;
        const uint8_t* pixel = Bits.data() + Index(X, Y);
        return long(pixel[2]) + 256L * pixel[1] + 65536L * pixel[0];
    }
    // Clamped at the far edges only; a negative coordinate or channel raises.
    uint8_t Get_Channel(long X, long Y, int ChannelIndex) const {
        RequirePixels();
        if (X > width_ - 1)
            X = width_ - 1;
        if (Y > height_ - 1)
            Y = height_ - 1;
        if (X < 0 || Y < 0 || ChannelIndex < 0 || ChannelIndex > 3)
            ThrowOutside();
        return Bits[Index(X, Y) + size_t(ChannelIndex)];
    }

    bool IsEmpty() const { return Bits.empty(); }
    const platform::gdi::BITMAPINFOHEADER& Header() const { return header_; }
    // The pixels as an image sharing nothing with this object.
    QImage ToImage() const;

    std::vector<uint8_t> Bits;

private:
    size_t Index(long X, long Y) const { return (size_t(Y) * size_t(width_) + size_t(X)) * 4; }
    void RequirePixels() const {
        if (Bits.empty())
            ThrowEmpty();
    }
    [[noreturn]] static void ThrowEmpty();
    [[noreturn]] static void ThrowOutside();

    platform::gdi::BITMAPINFOHEADER header_;
    long width_ = 0;
    long height_ = 0;
};
