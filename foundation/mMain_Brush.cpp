#include "mMain_Brush.h"

#include "cNDib.h"

#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace mMain {
namespace {

// Rounds a value in 0..255 to the nearest whole number, halves to even: adding and
// taking away 1.5 * 2^23 leaves no fraction bits, and the float addition itself rounds
// to nearest even. Much cheaper than a library call per channel.
inline uint8_t RoundByte(float value) {
    const float shifted = value + 12582912.0f;
    return uint8_t(shifted - 12582912.0f);
}

// a = v / 255 for every coverage byte, as singles.
struct Coverage {
    float a[256];
    Coverage() {
        for (int v = 0; v < 256; ++v)
            a[v] = float(v) / 255.0f;
    }
};
const Coverage coverage;

#if defined(__SSE2__)
// Four pixels of a stamp row at a time, with the very arithmetic of the single pixel:
// each channel's product with the coverage, plus the colour's product with its
// complement, rounded through the same 1.5 * 2^23 shift (separate multiplies and adds,
// never fused, so the bytes come out the same). The brush row starts at canvas column
// bx. Returns the first column left for the single-pixel loop.
long BlendRow(uint8_t* pixelRow, const uint8_t* keyRow, const uint8_t* coverageRow, long bx,
              long x0, long x1, uint32_t key, uint8_t R, uint8_t G, uint8_t B) {
    if (key > 0xFFFFFFu)
        return x1; // no pixel of the region has such a key
    // The key as the pixels hold it: blue lowest, then green, then red.
    const uint32_t keyPixel = (key & 0xFFu) << 16 | (key & 0xFF00u) | (key >> 16 & 0xFFu);
    const __m128i keyVector = _mm_set1_epi32(int(keyPixel));
    const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 full = _mm_set1_ps(255.0f);
    const __m128 shift = _mm_set1_ps(12582912.0f);
    const __m128 colourB = _mm_set1_ps(float(B));
    const __m128 colourG = _mm_set1_ps(float(G));
    const __m128 colourR = _mm_set1_ps(float(R));
    long x = x0;
    for (; x + 4 <= x1; x += 4) {
        __m128i keys;
        std::memcpy(&keys, keyRow + size_t(x) * 4, 16);
        const __m128i inside = _mm_cmpeq_epi32(_mm_and_si128(keys, rgbMask), keyVector);
        if (_mm_movemask_epi8(inside) == 0)
            continue;
        __m128i pixels, cover;
        std::memcpy(&pixels, pixelRow + size_t(x) * 4, 16);
        std::memcpy(&cover, coverageRow + size_t(x - bx) * 4, 16);
        const __m128 a = _mm_div_ps(_mm_cvtepi32_ps(_mm_and_si128(cover, byteMask)), full);
        const __m128 k = _mm_sub_ps(one, a);
        auto channel = [&](int bits, __m128 colour) {
            const __m128 old =
                _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(pixels, bits), byteMask));
            const __m128 mixed = _mm_add_ps(_mm_mul_ps(old, a), _mm_mul_ps(colour, k));
            const __m128 rounded = _mm_sub_ps(_mm_add_ps(mixed, shift), shift);
            return _mm_slli_epi32(_mm_cvttps_epi32(rounded), bits);
        };
        const __m128i blended =
            _mm_or_si128(_mm_or_si128(_mm_and_si128(pixels, alphaMask), channel(0, colourB)),
                         _mm_or_si128(channel(8, colourG), channel(16, colourR)));
        const __m128i result =
            _mm_or_si128(_mm_and_si128(inside, blended), _mm_andnot_si128(inside, pixels));
        std::memcpy(pixelRow + size_t(x) * 4, &result, 16);
    }
    return x;
}
#endif

#if defined(__GNUC__) && defined(__x86_64__)
// The same, eight pixels at a time, where the processor has AVX2 (multiplies and adds
// still separate: FMA stays off).
__attribute__((target("avx2"))) long BlendRow8(uint8_t* pixelRow, const uint8_t* keyRow,
                                               const uint8_t* coverageRow, long bx, long x0,
                                               long x1, uint32_t key, uint8_t R, uint8_t G,
                                               uint8_t B) {
    if (key > 0xFFFFFFu)
        return x1;
    const uint32_t keyPixel = (key & 0xFFu) << 16 | (key & 0xFF00u) | (key >> 16 & 0xFFu);
    const __m256i keyVector = _mm256_set1_epi32(int(keyPixel));
    const __m256i rgbMask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u));
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 full = _mm256_set1_ps(255.0f);
    const __m256 shift = _mm256_set1_ps(12582912.0f);
    const __m256 colourB = _mm256_set1_ps(float(B));
    const __m256 colourG = _mm256_set1_ps(float(G));
    const __m256 colourR = _mm256_set1_ps(float(R));
    long x = x0;
    for (; x + 8 <= x1; x += 8) {
        const __m256i keys =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(keyRow + size_t(x) * 4));
        const __m256i inside = _mm256_cmpeq_epi32(_mm256_and_si256(keys, rgbMask), keyVector);
        if (_mm256_movemask_epi8(inside) == 0)
            continue;
        const __m256i pixels =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixelRow + size_t(x) * 4));
        const __m256i cover =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(coverageRow + size_t(x - bx) * 4));
        const __m256 a = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(cover, byteMask)), full);
        const __m256 k = _mm256_sub_ps(one, a);
        auto channel = [&](int bits, __m256 colour) __attribute__((target("avx2"))) {
            const __m256 old =
                _mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(pixels, bits), byteMask));
            const __m256 mixed = _mm256_add_ps(_mm256_mul_ps(old, a), _mm256_mul_ps(colour, k));
            const __m256 rounded = _mm256_sub_ps(_mm256_add_ps(mixed, shift), shift);
            return _mm256_slli_epi32(_mm256_cvttps_epi32(rounded), bits);
        };
        const __m256i blended = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(pixels, alphaMask), channel(0, colourB)),
            _mm256_or_si256(channel(8, colourG), channel(16, colourR)));
        const __m256i result = _mm256_blendv_epi8(pixels, blended, inside);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixelRow + size_t(x) * 4), result);
    }
    return x;
}

const bool HasAvx2 = __builtin_cpu_supports("avx2");
#endif

} // namespace

void SplitRGB(long Color, uint8_t& R, uint8_t& G, uint8_t& B) {
    R = uint8_t(Color & 0xFF);
    G = uint8_t((Color >> 8) & 0xFF);
    B = uint8_t((Color >> 16) & 0xFF);
}

void StampBrush(cNDib& canvas, const cNDib& region, const cNDib& brush, long X, long Y,
                long regionKey, long Color, platform::HDC hDC) {
    const long hw = brush.Width() / 2;
    const long hh = brush.Height() / 2;
    const long bx = X - hw;
    const long by = Y - hh;
    const long x0 = X - hw < 0 ? 0 : X - hw;
    const long y0 = Y - hh < 0 ? 0 : Y - hh;
    const long x1 = X + hw > canvas.Width() ? canvas.Width() + 1 : X + hw + 1;
    const long y1 = Y + hh > canvas.Height() ? canvas.Height() + 1 : Y + hh + 1;

    uint8_t R, G, B;
    SplitRGB(Color, R, G, B);
    // One pixel of the stamp: the blend of the canvas towards the colour by coverage v.
    auto blend = [&](uint8_t* pixel, uint8_t v) {
        const float a = coverage.a[v];
        const float k = 1.0f - a;
        if (k == 0.0f)
            return;
        pixel[0] = RoundByte(float(pixel[0]) * a + float(B) * k);
        pixel[1] = RoundByte(float(pixel[1]) * a + float(G) * k);
        pixel[2] = RoundByte(float(pixel[2]) * a + float(R) * k);
    };
    const bool sameSize = region.Width() == canvas.Width() && region.Height() == canvas.Height();
    if (sameSize && x0 < x1 && y0 < y1) {
        // Every visited pixel lies inside the canvas, the region and the brush, so the
        // clamping of the pixel members never applies: walk the rows directly.
        const uint32_t key = uint32_t(regionKey);
        const size_t canvasRow = size_t(canvas.Width() + 1) * 4;
        const size_t brushRow = size_t(brush.Width() + 1) * 4;
        for (long y = y0; y < y1; ++y) {
            const uint8_t* keyRow = region.Bits.data() + size_t(y) * canvasRow;
            uint8_t* pixelRow = canvas.Bits.data() + size_t(y) * canvasRow;
            const uint8_t* coverageRow = brush.Bits.data() + size_t(y - by) * brushRow;
            long x = x0;
#if defined(__GNUC__) && defined(__x86_64__)
            if (HasAvx2)
                x = BlendRow8(pixelRow, keyRow, coverageRow, bx, x0, x1, key, R, G, B);
#endif
#if defined(__SSE2__)
            x = BlendRow(pixelRow, keyRow, coverageRow, bx, x, x1, key, R, G, B);
#endif
            for (; x < x1; ++x) {
                const uint8_t* k = keyRow + size_t(x) * 4;
                if ((uint32_t(k[2]) | uint32_t(k[1]) << 8 | uint32_t(k[0]) << 16) != key)
                    continue;
                blend(pixelRow + size_t(x) * 4, coverageRow[size_t(x - bx) * 4]);
            }
        }
    } else {
        for (long y = y0; y < y1; ++y) {
            for (long x = x0; x < x1; ++x) {
                if (region.Get_Pixel_Long(x, y) != regionKey)
                    continue;
                const uint8_t v = brush.Get_Channel(x - bx, y - by, 0);
                uint8_t pixel[4] = {};
                canvas.Get_Pixel(x, y, pixel[2], pixel[1], pixel[0]);
                blend(pixel, v);
                canvas.Set_Pixel(x, y, pixel[2], pixel[1], pixel[0]);
            }
        }
    }
    canvas.Set_dib_Area(x0, y0, x0, y0, (x1 - x0) + 2, (y1 - y0) + 2, hDC);
}

} // namespace mMain
