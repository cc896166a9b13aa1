#pragma once

#include "DeviceContext.h"
#include "Gdi.h"

#include <QImage>
#include <cstdint>
#include <memory>

// A 24-bit device-independent bitmap section with its own memory device context.
// Pixel memory holds blue, green, red per pixel, each row padded to a multiple of 4
// bytes, the bottom row of the picture first. The context draws on a top-down image of
// the section; every change it reports is copied into the pixel memory at once, so what
// is drawn through the context is what the pixel memory holds.
// Width and Height are pixel counts. Failures are reported as false, never raised.
class cDIBSection {
public:
    using HDC = platform::HDC;

    cDIBSection();
    ~cDIBSection();
    // The context reports its changes to this object: it stays where it was made.
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // A section of the picture's size holding its pixels; without a picture, or when the
    // section cannot be made, the object is left without one.
    void CreateFromPicture(const QImage& picThis);
    bool Create(long lWidth, long lHeight);

    long BytesPerScanLine() const;
    long Width() const { return header_.biWidth; }
    long Height() const { return header_.biHeight; }
    const platform::gdi::BITMAPINFOHEADER& Header() const { return header_; }

    // Copies from lhDC at (lSrcLeft, lSrcTop) into the section at (0, 0); a negative
    // width or height stands for the section's own.
    void LoadPictureBlt(HDC lhDC, long lSrcLeft = 0, long lSrcTop = 0, long lSrcWidth = -1,
                        long lSrcHeight = -1, uint32_t eRop = platform::gdi::SRCCOPY);

    HDC hDC() const { return dc_.get(); }
    const void* hDib() const { return section_.get(); }
    // The pixel memory. After CreateFromPicture its rows are filled on the first request.
    uint8_t* DIBSectionBitsPtr() const;
    // The section's pixels as the top-down 32-bit image its context draws on, while the
    // pixel memory has not been asked for since CreateFromPicture; null otherwise. A
    // reader of every pixel takes them from here without the memory being filled at all.
    const QImage* PendingSurface() const;

    // Deletes the section and the context; the header keeps the last size.
    void ClearUp();

private:
    struct Section;

    bool CreateDIB(HDC lhDC, long lWidth, long lHeight, std::unique_ptr<Section>& hDib);
    // Copies an area of the context's image into the pixel memory.
    void CopyToBits(const QRect& area);

    std::unique_ptr<Section> section_;
    QImage* previousBitmap_ = nullptr;
    std::unique_ptr<platform::DeviceContext> dc_;
    uint8_t* bits_ = nullptr;
    // Packed as the file format has it; aligned here so that its fields can be read.
    alignas(int32_t) platform::gdi::BITMAPINFOHEADER header_;
    bool blank_ = true; // a new section starts black; else its pixels are all written next
    mutable bool bitsPending_ = false; // the pixel memory is yet to be filled from the surface
};
