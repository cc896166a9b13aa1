#include "cNDib.h"

#include "Arithmetic.h"
#include "PictureBox.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using platform::RoundHalfEven;
namespace gdi = platform::gdi;

bool cNDib::Make_From_Picture(platform::PictureBox& picture) {
    return Make_From_Image(picture.Image());
}

bool cNDib::Make_From_Image(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return false;
    const QImage source =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return false;
    width_ = source.width();
    height_ = source.height();
    header_ = {};
    header_.biSize = 40;
    header_.biWidth = int32_t(width_);
    header_.biHeight = -int32_t(height_);
    header_.biPlanes = 1;
    header_.biBitCount = 32;
    header_.biCompression = 0;
    const size_t rowBytes = size_t(width_) * 4;
    if (size_t(source.bytesPerLine()) == rowBytes) {
        // Rows without padding: the pixels are one block, copied without clearing first.
        const uint8_t* pixels = source.constBits();
        Bits.assign(pixels, pixels + rowBytes * size_t(height_));
    } else {
        Bits.assign(rowBytes * size_t(height_), 0);
        for (long y = 0; y < height_; ++y)
            std::memcpy(Bits.data() + y * rowBytes, source.constScanLine(int(y)), rowBytes);
    }
    return true;
}

void cNDib::ThrowEmpty() {
    throw std::logic_error("cNDib used before it holds pixels");
}

void cNDib::ThrowOutside() {
    throw std::out_of_range("cNDib::Get_Channel outside the bitmap");
}

void cNDib::Set_dib(platform::PictureBox& picture, bool Resize) const {
    RequirePixels();
    if (Resize)
        picture.resize(int(width_), int(height_));
    gdi::SetDIBitsToDevice(picture.hDC(), 0, 0, int(width_), int(height_), 0, 0, 0, int(height_),
                           Bits.data(), header_, gdi::DIB_RGB_COLORS);
}

cNDib::Area cNDib::FitArea(long width, long height, long dX, long dy, long dWidth, long dHeight) {
    const double W = double(width);
    const double H = double(height);
    long newWidth, newHeight, left, top;
    if (W <= H) {
        newHeight = dHeight;
        newWidth = RoundHalfEven(double(dHeight) / H * W);
        left = RoundHalfEven(double(dWidth) / 2 + double(dX) - double(newWidth) / 2);
        top = dy;
    } else {
        newWidth = dWidth;
        newHeight = RoundHalfEven(double(dWidth) / W * H);
        left = dX;
        top = RoundHalfEven(double(dHeight) / 2 + double(dy) - double(newHeight) / 2);
    }
    if (newHeight > dHeight) {
        newWidth = RoundHalfEven(double(dHeight) / double(newHeight) * double(newWidth));
        newHeight = dHeight;
        left = RoundHalfEven(double(dWidth) / 2 + double(dX) - double(newWidth) / 2);
        top = dy;
    }
    if (newWidth > dWidth) {
        newHeight = RoundHalfEven(double(dWidth) / double(newWidth) * double(newHeight));
        newWidth = dWidth;
        top = RoundHalfEven(double(dHeight) / 2 + double(dy) - double(newHeight) / 2);
        left = dX;
    }
    return {left, top, newWidth, newHeight};
}

void cNDib::Set_dib_Fit(HDC hDC, long dX, long dy, long dWidth, long dHeight) const {
    RequirePixels();
    const Area area = FitArea(width_, height_, dX, dy, dWidth, dHeight);
    Stretch_dib_area(area.Left, area.Top, 0, 0, width_, height_, area.Width, area.Height, hDC);
}

void cNDib::Stretch_dib_area(long DestX, long DestY, long SourceX, long SourceY, long SourceWidth,
                             long SourceHeight, long DestWidth, long DestHeight, HDC hDC) const {
    RequirePixels();
    const int oldMode = gdi::SetStretchBltMode(hDC, gdi::HALFTONE);
    gdi::StretchDIBits(hDC, int(DestX), int(DestY), int(DestWidth), int(DestHeight), int(SourceX),
                       int(height_ - SourceY - SourceHeight), int(SourceWidth), int(SourceHeight),
                       Bits.data(), header_, gdi::DIB_RGB_COLORS, gdi::SRCCOPY);
    gdi::SetStretchBltMode(hDC, oldMode);
}

void cNDib::Bit_Blt_Dib(long DestX, long DestY, HDC hDC, uint32_t RasterOP) const {
    RequirePixels();
    gdi::StretchDIBits(hDC, int(DestX), int(DestY), int(width_), int(height_), 0, 0, int(width_),
                       int(height_), Bits.data(), header_, gdi::DIB_RGB_COLORS, RasterOP);
}

long cNDib::Set_dib_Area(long DestX, long DestY, long SourceX, long SourceY, long Width,
                         long Height, HDC hDC) const {
    RequirePixels();
    return gdi::SetDIBitsToDevice(hDC, int(DestX), int(DestY), int(Width), int(Height),
                                  int(SourceX), int(height_ - SourceY - Height), 0, int(height_),
                                  Bits.data(), header_, gdi::DIB_RGB_COLORS);
}

QImage cNDib::ToImage() const {
    if (Bits.empty())
        return {};
    QImage image(int(width_), int(height_), QImage::Format_RGB32);
    const size_t rowBytes = size_t(width_) * 4;
    for (long y = 0; y < height_; ++y)
        std::memcpy(image.scanLine(int(y)), Bits.data() + y * rowBytes, rowBytes);
    return image;
}
