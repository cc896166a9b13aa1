#include "Gdi.h"

#include "ColourValue.h"
#include "FloodFill.h"

#include <QPainter>
#include <cstring>

namespace platform::gdi {
namespace {

bool Valid(HDC dc) {
    return dc && dc->Surface() && !dc->Surface()->isNull();
}

// The bits of a 32-bit DIB seen as an image without copying them; rows run top-down
// for a negative height and bottom-up for a positive one.
QImage WrapBits(const void* bits, const BITMAPINFOHEADER& header) {
    if (!bits || header.biBitCount != 32 || header.biWidth <= 0 || header.biHeight == 0)
        return {};
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    QImage image(static_cast<const uchar*>(bits), header.biWidth, height, header.biWidth * 4,
                 QImage::Format_RGB32);
    return header.biHeight < 0 ? image : image.mirrored(false, true);
}

// The source rectangle in top-down rows, from the distance of its lowest row to the
// bitmap's bottom row.
QRect SourceRect(int xSrc, int ySrc, int width, int height, int bitmapHeight) {
    return QRect(xSrc, bitmapHeight - ySrc - height, width, height);
}

QPainter::CompositionMode ModeFor(uint32_t rop) {
    switch (rop) {
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

} // namespace

int SetStretchBltMode(HDC dc, int mode) {
    if (!dc)
        return 0;
    const int old = dc->StretchMode;
    dc->StretchMode = mode;
    return old;
}

int GetStretchBltMode(HDC dc) {
    return dc ? dc->StretchMode : 0;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFOHEADER& header,
                  unsigned, uint32_t rop) {
    const QImage source = WrapBits(bits, header);
    if (!Valid(dc) || source.isNull() || destWidth == 0 || destHeight == 0 || srcWidth <= 0 ||
        srcHeight <= 0)
        return 0;
    const QRect from = SourceRect(xSrc, ySrc, srcWidth, srcHeight, source.height());
    const QRect to(xDest, yDest, destWidth, destHeight);
    QImage& target = *dc->Surface();
    const bool plainRop = rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT;
    if (plainRop && to.size() == from.size() && source.rect().contains(from)) {
        // 1:1 transfers are row loops: copies, or the mask and sprite of the bubbles,
        // ANDed and ORed into the colour bits (the target keeps its alpha).
        const QRect clipped = to.intersected(target.rect());
        if (clipped.isEmpty())
            return srcHeight;
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            const int sy = from.top() + (y - to.top());
            const int sx = from.left() + (clipped.left() - to.left());
            auto* out = reinterpret_cast<uint32_t*>(target.scanLine(y)) + clipped.left();
            const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(sy)) + sx;
            const int n = clipped.width();
            if (rop == SRCCOPY) {
                std::memcpy(out, in, size_t(n) * 4);
            } else if (rop == SRCAND) {
                for (int i = 0; i < n; ++i)
                    out[i] &= in[i] | 0xFF000000u;
            } else {
                for (int i = 0; i < n; ++i)
                    out[i] |= in[i] & 0x00FFFFFFu;
            }
        }
        dc->Changed(clipped);
        return srcHeight;
    }
    QPainter painter(&target);
    painter.setCompositionMode(ModeFor(rop));
    const bool smooth = dc->StretchMode == HALFTONE;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (smooth && to.size() != from.size()) {
        // Halftone: an area-averaged scale of the source rectangle.
        const QImage whole = from == source.rect() ? source : source.copy(from);
        const QImage part = whole.scaled(to.size().expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
        painter.drawImage(to.topLeft(), part);
    } else {
        painter.drawImage(to, source, from);
    }
    dc->Changed(to.normalized().intersected(target.rect()));
    return srcHeight;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                      int startScan, int lines, const void* bits, const BITMAPINFOHEADER& header,
                      unsigned) {
    const QImage source = WrapBits(bits, header);
    if (!Valid(dc) || source.isNull() || startScan != 0 || lines <= 0)
        return 0;
    const QRect from = SourceRect(xSrc, ySrc, width, height, source.height());
    // Clip the source to the bitmap, moving the destination with it, then to the target.
    const QRect available = from.intersected(source.rect());
    QRect to = available.translated(xDest - from.left(), yDest - from.top());
    QImage& target = *dc->Surface();
    const QRect clipped = to.intersected(target.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const int sy = available.top() + (y - to.top());
        const int sx = available.left() + (clipped.left() - to.left());
        std::memcpy(target.scanLine(y) + clipped.left() * 4, source.constScanLine(sy) + sx * 4,
                    size_t(clipped.width()) * 4);
    }
    dc->Changed(clipped);
    return lines;
}

uint32_t GetPixel(HDC dc, int x, int y) {
    if (!Valid(dc) || !dc->Surface()->rect().contains(x, y))
        return CLR_INVALID;
    const auto* line = reinterpret_cast<const uint32_t*>(dc->Surface()->constScanLine(y));
    return ColourValueFromPixel(line[x]);
}

bool SetPixelV(HDC dc, int x, int y, uint32_t colour) {
    if (!Valid(dc) || !dc->Surface()->rect().contains(x, y))
        return false;
    auto* line = reinterpret_cast<uint32_t*>(dc->Surface()->scanLine(y));
    line[x] = PixelFromColourValue(colour);
    dc->Changed(QRect(x, y, 1, 1));
    return true;
}

bool ExtFloodFill(HDC dc, int x, int y, uint32_t colour, unsigned type) {
    if (!Valid(dc) || !dc->Surface()->rect().contains(x, y))
        return false;
    QImage& image = *dc->Surface();
    const uint32_t surface = PixelFromColourValue(colour);
    const uint32_t fill = PixelFromColourValue(dc->BrushColour);
    const uint32_t start = reinterpret_cast<const uint32_t*>(image.constScanLine(y))[x];
    if (type == FLOODFILLSURFACE) {
        if ((start & 0xFFFFFFu) != (surface & 0xFFFFFFu))
            return false;
        dc->Changed(FloodFillSurface(image, x, y, surface, fill));
        return true;
    }
    if ((start & 0xFFFFFFu) == (surface & 0xFFFFFFu))
        return false;
    dc->Changed(FloodFillBorder(image, x, y, surface, fill));
    return true;
}

void MoveToEx(HDC dc, int x, int y) {
    if (dc)
        dc->PenPosition = QPoint(x, y);
}

} // namespace platform::gdi
