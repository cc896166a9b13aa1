#include "mMain_Brush.h"

#include "cNDib.h"

#include <cmath>

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
            for (long x = x0; x < x1; ++x) {
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
