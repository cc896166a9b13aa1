#include "SmoothScale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

// One output pixel's share of a row or column of source pixels: `count` pixels from
// `start`, the first weighing `first`, the last `last` and those between `middle`, in
// 1/16384 of the output pixel.
struct Span {
    int start;
    int count;
    uint32_t first;
    uint32_t middle;
    uint32_t last;
};

// The spans of `to` output pixels over `from` source pixels (to < from), in 16.16 fixed
// point as Qt steps through them; false if a span would run past the source.
bool Spans(int from, int to, std::vector<Span>& spans) {
    spans.resize(size_t(to));
    const int64_t step = (int64_t(from) << 16) / to;
    const int pixelWeight = ((to << 14) + from - 1) / from;
    int64_t position = 0;
    for (int i = 0; i < to; ++i, position += step) {
        Span& span = spans[size_t(i)];
        span.start = int(position >> 16);
        span.first = uint32_t(((0x10000 - (position & 0xFFFF)) * pixelWeight) >> 16);
        span.middle = uint32_t(pixelWeight);
        int count = 1;
        int rest = (1 << 14) - int(span.first);
        for (; rest > pixelWeight; rest -= pixelWeight)
            ++count;
        span.last = uint32_t(rest);
        span.count = count + 1;
        if (span.start + span.count > from)
            return false;
    }
    return true;
}

// Per span, with SSE2 where the processor has it:
// OneColour: whether the `count` pixels (red, green and blue) are all alike.
// PlainSum: the sums of a span of one colour, whose weights add up to 16384: the channels
// times 1024 once the sixteenth is taken.
// SpanSum: the weighted sum of a span's pixels, per channel (blue, green, red, alpha), a
// sixteenth of it kept. Weights are below 2^15 and channels below 2^8, so the sums stay
// below 2^23.
#if defined(__SSE2__)
bool OneColour(const QRgb* pixels, int count) {
    if (count < 4) {
        QRgb differs = 0;
        for (int i = 1; i < count; ++i)
            differs |= pixels[i] ^ pixels[0];
        return (differs & 0x00FFFFFF) == 0;
    }
    const __m128i colour = _mm_set1_epi32(int(pixels[0]));
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const auto differs = [&](int at) {
        return _mm_and_si128(
            _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + at)), colour),
            rgb);
    };
    // Four at a time; the last four may overlap the ones before.
    __m128i any = differs(count - 4);
    for (int i = 0; i + 4 < count; i += 4)
        any = _mm_or_si128(any, differs(i));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(any, _mm_setzero_si128())) == 0xFFFF;
}

void PlainSum(QRgb colour, uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i channels =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(colour)), zero), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_slli_epi32(channels, 10));
}

void SpanSum(const QRgb* pixel, const Span& span, uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    // Two pixels' channels side by side in 16-bit lanes (blue, blue, green, green, ...),
    // each pair multiplied by its two weights and added in one step.
    const auto pair = [zero](QRgb a, QRgb b) {
        return _mm_unpacklo_epi8(
            _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(a)), _mm_cvtsi32_si128(int(b))), zero);
    };
    const auto weights = [](uint32_t a, uint32_t b) { return _mm_set1_epi32(int(a | b << 16)); };
    const int last = span.count - 1;
    __m128i sum = _mm_madd_epi16(pair(pixel[0], pixel[1]),
                                 weights(span.first, last == 1 ? span.last : span.middle));
    const __m128i middle = weights(span.middle, span.middle);
    int i = 2;
    for (; i + 1 < last; i += 2)
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pair(pixel[i], pixel[i + 1]), middle));
    if (i == last - 1)
        sum = _mm_add_epi32(
            sum, _mm_madd_epi16(pair(pixel[i], pixel[last]), weights(span.middle, span.last)));
    else if (i == last)
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pair(pixel[last], 0), weights(span.last, 0)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_srli_epi32(sum, 4));
}
#else
bool OneColour(const QRgb* pixels, int count) {
    QRgb differs = 0;
    for (int i = 1; i < count; ++i)
        differs |= pixels[i] ^ pixels[0];
    return (differs & 0x00FFFFFF) == 0;
}

void PlainSum(QRgb colour, uint32_t* out) {
    for (int channel = 0; channel < 4; ++channel)
        out[channel] = (colour >> (8 * channel) & 0xFF) << 10;
}

void SpanSum(const QRgb* pixel, const Span& span, uint32_t* out) {
    const int last = span.count - 1;
    for (int channel = 0; channel < 4; ++channel) {
        const int shift = 8 * channel;
        uint32_t sum = (pixel[0] >> shift & 0xFF) * span.first;
        for (int i = 1; i < last; ++i)
            sum += (pixel[i] >> shift & 0xFF) * span.middle;
        out[channel] = (sum + (pixel[last] >> shift & 0xFF) * span.last) >> 4;
    }
}
#endif

// A source row averaged across each output column: four channels per column, the row's
// part of every output pixel before the vertical weights.
void AverageRow(const QRgb* row, const std::vector<Span>& columns, uint32_t* part) {
    for (size_t x = 0; x < columns.size(); ++x) {
        const Span& span = columns[x];
        const QRgb* pixels = row + span.start;
        if (OneColour(pixels, span.count))
            PlainSum(pixels[0], part + 4 * x);
        else
            SpanSum(pixels, span, part + 4 * x);
    }
}

} // namespace

QImage SmoothScaled(const QImage& picture, QSize size) {
    const int width = size.width();
    const int height = size.height();
    if (picture.format() != QImage::Format_RGB32 || width <= 0 || height <= 0 ||
        width >= picture.width() || height >= picture.height())
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::vector<Span> columns;
    std::vector<Span> rows;
    if (!Spans(picture.width(), width, columns) || !Spans(picture.height(), height, rows))
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage scaled(size, QImage::Format_RGB32);
    if (scaled.isNull())
        return scaled;

    // Four channels per output column: one source row's averages, the sum of the rows
    // between an output row's first and last (which share one weight), and the output
    // row's weighted sum (at most 255 x 1024 x 16384: within 32 bits).
    const size_t lanes = 4 * size_t(width);
    std::vector<uint32_t> part(lanes);
    std::vector<uint32_t> between(lanes);
    std::vector<uint32_t> sum(lanes);
    const QRgb* averaged = nullptr; // the source row whose averages are in `part`
    const size_t rowBytes = size_t(picture.width()) * 4;
    for (int y = 0; y < height; ++y) {
        const Span& span = rows[size_t(y)];
        if (span.count > 2)
            std::fill(between.begin(), between.end(), 0u);
        for (int i = 0; i < span.count; ++i) {
            // A row like the one before it (line drawings have many) has its averages.
            const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(span.start + i));
            if (row != averaged && (!averaged || std::memcmp(row, averaged, rowBytes) != 0))
                AverageRow(row, columns, part.data());
            averaged = row;
            if (i == 0) {
                for (size_t k = 0; k < lanes; ++k)
                    sum[k] = part[k] * span.first;
            } else if (i < span.count - 1) {
                for (size_t k = 0; k < lanes; ++k)
                    between[k] += part[k];
            } else if (span.count == 2) {
                for (size_t k = 0; k < lanes; ++k)
                    sum[k] += part[k] * span.last;
            } else {
                for (size_t k = 0; k < lanes; ++k)
                    sum[k] += part[k] * span.last + between[k] * span.middle;
            }
        }
        QRgb* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint32_t* channels = sum.data() + 4 * size_t(x);
            out[x] = qRgb(int(channels[2] >> 24), int(channels[1] >> 24), int(channels[0] >> 24));
        }
    }
    return scaled;
}

} // namespace platform
