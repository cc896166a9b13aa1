#include "cDIBSection.h"

#include <QPainter>
#include <cstring>
#include <immintrin.h>
#include <limits>
#include <new>

// The section: its pixel memory and the image that a context draws on.
struct cDIBSection::Section {
    std::unique_ptr<uint8_t[]> Bits;
    QImage Surface;
};

namespace {

int64_t ScanLineBytes(int64_t width) {
    return (width * 3 + 3) & ~int64_t(3);
}

QPainter::CompositionMode ModeFor(uint32_t rop) {
    switch (rop) {
    case platform::gdi::SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case platform::gdi::SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

// A block transfer between two contexts; parts of the source rectangle outside the
// source image come out black.
void BitBlt(platform::HDC dest, int x, int y, int width, int height, platform::HDC source, int xSrc,
            int ySrc, uint32_t rop) {
    if (!dest || !source || !dest->Surface() || !source->Surface() || width <= 0 || height <= 0)
        return;
    const QRect to = QRect(x, y, width, height).intersected(dest->Surface()->rect());
    if (to.isEmpty())
        return;
    const QImage from = source->Surface()->copy(xSrc, ySrc, width, height);
    if (from.isNull())
        return;
    QPainter painter(dest->Surface());
    painter.setCompositionMode(ModeFor(rop));
    painter.drawImage(QPoint(x, y), from);
    painter.end();
    dest->Changed(to);
}

} // namespace

cDIBSection::cDIBSection() = default;

namespace {
// Blue, green, red of each 4-byte pixel into 3 bytes: four pixels at a time with SSSE3's
// byte shuffle where the processor has it.
__attribute__((target("ssse3"))) void PackRowShuffled(const uint8_t* from, uint8_t* to,
                                                      size_t width) {
    const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    size_t x = 0;
    // Each store writes 16 bytes of which 12 are pixels; the last four pixels go singly.
    for (; x + 5 < width; x += 4, from += 16, to += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(pixels, order));
    }
    for (; x < width; ++x, from += 4, to += 3)
        std::memcpy(to, from, 3);
}

void PackRowPlain(const uint8_t* from, uint8_t* to, size_t width) {
    for (size_t x = 0; x < width; ++x, from += 4, to += 3)
        std::memcpy(to, from, 3);
}

const bool HasSsse3 = __builtin_cpu_supports("ssse3");

void PackRow(const uint8_t* from, uint8_t* to, size_t width) {
    if (HasSsse3)
        PackRowShuffled(from, to, width);
    else
        PackRowPlain(from, to, width);
}
} // namespace

cDIBSection::~cDIBSection() {
    ClearUp();
}

void cDIBSection::CreateFromPicture(const QImage& picThis) {
    // Every pixel is written below, so the new section is neither blacked out nor given
    // a surface of its own first: it takes the picture's pixels as they are, and its
    // bottom-up rows are filled from them in one pass.
    blank_ = false;
    const bool created = Create(picThis.width(), picThis.height());
    blank_ = true;
    if (!created)
        return;
    section_->Surface = picThis.convertToFormat(QImage::Format_RGB32);
    if (section_->Surface.isNull()) {
        ClearUp();
        return;
    }
    bitsPending_ = true;
}

uint8_t* cDIBSection::DIBSectionBitsPtr() const {
    if (bitsPending_) {
        bitsPending_ = false;
        const_cast<cDIBSection*>(this)->CopyToBits(section_->Surface.rect());
    }
    return bits_;
}

const QImage* cDIBSection::PendingSurface() const {
    return bitsPending_ ? &section_->Surface : nullptr;
}

bool cDIBSection::Create(long lWidth, long lHeight) {
    ClearUp();
    dc_ = std::make_unique<platform::DeviceContext>(
        nullptr, [this](const QRect& area) { CopyToBits(area); });
    if (CreateDIB(dc_.get(), lWidth, lHeight, section_)) {
        previousBitmap_ = dc_->Surface();
        dc_->SetSurface(&section_->Surface);
        return true;
    }
    dc_.reset();
    return false;
}

bool cDIBSection::CreateDIB(HDC, long lWidth, long lHeight, std::unique_ptr<Section>& hDib) {
    header_ = {};
    header_.biSize = 40;
    header_.biWidth = int32_t(lWidth);
    header_.biHeight = int32_t(lHeight);
    header_.biPlanes = 1;
    header_.biBitCount = 24;
    header_.biCompression = 0;
    const int64_t size = ScanLineBytes(lWidth) * int64_t(lHeight);
    const bool fits = lWidth > 0 && lHeight > 0 && lWidth <= std::numeric_limits<int32_t>::max() &&
                      lHeight <= std::numeric_limits<int32_t>::max() &&
                      size <= std::numeric_limits<int32_t>::max();
    header_.biSizeImage = fits ? int32_t(size) : 0;
    hDib.reset();
    bits_ = nullptr;
    if (!fits)
        return false;
    try {
        auto section = std::make_unique<Section>();
        if (blank_) {
            section->Surface = QImage(int(lWidth), int(lHeight), QImage::Format_RGB32);
            if (section->Surface.isNull())
                return false;
            section->Surface.fill(Qt::black);
            section->Bits.reset(new uint8_t[size_t(size)]());
        } else {
            section->Bits.reset(new uint8_t[size_t(size)]);
        }
        hDib = std::move(section);
    } catch (const std::bad_alloc&) {
        return false;
    }
    bits_ = hDib->Bits.get();
    return true;
}

long cDIBSection::BytesPerScanLine() const {
    return long(ScanLineBytes(header_.biWidth));
}

void cDIBSection::LoadPictureBlt(HDC lhDC, long lSrcLeft, long lSrcTop, long lSrcWidth,
                                 long lSrcHeight, uint32_t eRop) {
    if (lSrcWidth < 0)
        lSrcWidth = Width();
    if (lSrcHeight < 0)
        lSrcHeight = Height();
    BitBlt(dc_.get(), 0, 0, int(lSrcWidth), int(lSrcHeight), lhDC, int(lSrcLeft), int(lSrcTop),
           eRop);
}

void cDIBSection::CopyToBits(const QRect& area) {
    // While the memory is pending, the whole surface is copied in on its first request.
    if (!section_ || !dc_ || dc_->Surface() != &section_->Surface || bitsPending_)
        return;
    const QImage& surface = section_->Surface;
    const QRect r = area.intersected(surface.rect());
    const size_t stride = size_t(BytesPerScanLine());
    if (r == surface.rect()) {
        // The whole surface, row by row into the bottom-up rows.
        const size_t width = size_t(surface.width());
        for (int y = 0; y < surface.height(); ++y) {
            uint8_t* row = bits_ + size_t(surface.height() - 1 - y) * stride;
            PackRow(surface.constScanLine(y), row, width);
            std::memset(row + width * 3, 0, stride - width * 3);
        }
        return;
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uint8_t* from = surface.constScanLine(y) + size_t(r.left()) * 4;
        uint8_t* to = bits_ + size_t(surface.height() - 1 - y) * stride + size_t(r.left()) * 3;
        for (int x = 0; x < r.width(); ++x, from += 4, to += 3)
            std::memcpy(to, from, 3);
    }
}

void cDIBSection::ClearUp() {
    if (dc_) {
        if (section_) {
            dc_->SetSurface(previousBitmap_);
            section_.reset();
        }
        dc_.reset();
    }
    section_.reset();
    previousBitmap_ = nullptr;
    bits_ = nullptr;
    bitsPending_ = false;
}
