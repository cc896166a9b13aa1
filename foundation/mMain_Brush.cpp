#include "mMain_Brush.h"

#include "cNDib.h"

#include <cmath>

namespace mMain {

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
    for (long y = y0; y < y1; ++y) {
        for (long x = x0; x < x1; ++x) {
            if (region.Get_Pixel_Long(x, y) != regionKey)
                continue;
            const uint8_t v = brush.Get_Channel(x - bx, y - by, 0);
            const float a = float(v) / 255.0f;
            const float k = 1.0f - a;
            if (k == 0.0f)
                continue;
            uint8_t r = 0, g = 0, b = 0;
            canvas.Get_Pixel(x, y, r, g, b);
            // Single-precision blend, rounded half to even (nearbyint in the default mode).
            canvas.Set_Pixel(x, y, uint8_t(std::nearbyint(float(r) * a + float(R) * k)),
                             uint8_t(std::nearbyint(float(g) * a + float(G) * k)),
                             uint8_t(std::nearbyint(float(b) * a + float(B) * k)));
        }
    }
    canvas.Set_dib_Area(x0, y0, x0, y0, (x1 - x0) + 2, (y1 - y0) + 2, hDC);
}

} // namespace mMain
