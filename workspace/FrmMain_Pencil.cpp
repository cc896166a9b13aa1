// The colouring pencil: a three-pixel-wide anti-aliased line in integer arithmetic,
// kept inside the stroke's region.
#include "FrmMain.h"
#include "Gdi.h"

#include <cstdlib>

namespace gdi = platform::gdi;

void FrmMain::SetRGBComponents(long Color) {
    long palette = 0;
    const long result = long(TranslateColor(uint32_t(Color), palette));
    LineColour = result;
    if (result != 0) {
        LineRed = result & 255;
        LineGreen = (result / 256) & 255;
        LineBlue = result / 65536;
    } else {
        LineRed = LineGreen = LineBlue = 0;
    }
}

void FrmMain::LineGP(platform::HDC hDC, int X1, int Y1, int X2, int Y2, long Color,
                     long& Workon_color) {
    LineDC = hDC;
    LineColour = Color;
    const long dx = std::abs(X2 - X1);
    const long sx = X2 < X1 ? -1 : 1;
    const long dy = std::abs(Y2 - Y1);
    const long sy = Y2 < Y1 ? -1 : 1;
    if (dx + dy == 0)
        return;
    SetRGBComponents(Color);

    auto centre = [&](long x, long y) {
        if (RegionDib.Get_Pixel_Long(x, y) == Workon_color)
            gdi::SetPixelV(LineDC, int(x), int(y), uint32_t(LineColour));
    };
    if (dx <= dy) {
        const long a0 = dx * 85 / dy;
        PlotBlendPixel(X1 - sx, Y1 - sy, a0, Workon_color);
        PlotBlendPixel(X1, Y1 - sy, 127, Workon_color);
        PlotBlendPixel(X2 + sx, Y2 + sy, a0, Workon_color);
        PlotBlendPixel(X2, Y2 + sy, 127, Workon_color);
        long e = dy / 2;
        long x = X1, y = Y1;
        for (long i = 0; i <= dy; ++i) {
            centre(x, y);
            const long a = e * 255 / dy;
            PlotBlendPixel(x - sx, y, 255 - a, Workon_color);
            PlotBlendPixel(x + sx, y, a, Workon_color);
            e += dx;
            if (e >= dy) {
                e -= dy;
                x += sx;
            }
            y += sy;
        }
    } else {
        const long a0 = dy * 85 / dx;
        PlotBlendPixel(X1 - sx, Y1 - sy, a0, Workon_color);
        PlotBlendPixel(X1 - sx, Y1, 127, Workon_color);
        PlotBlendPixel(X2 + sx, Y2 + sy, a0, Workon_color);
        PlotBlendPixel(X2 + sx, Y2, 127, Workon_color);
        long e = dx / 2;
        long x = X1, y = Y1;
        for (long i = 0; i <= dx; ++i) {
            centre(x, y);
            const long a = e * 255 / dx;
            PlotBlendPixel(x, y - sy, 255 - a, Workon_color);
            PlotBlendPixel(x, y + sy, a, Workon_color);
            e += dy;
            if (e >= dx) {
                e -= dx;
                y += sy;
            }
            x += sx;
        }
    }
}

void FrmMain::PlotBlendPixel(long X, long Y, long Alpha, long& Workon_color) {
    if (Alpha >= 253) {
        if (RegionDib.Get_Pixel_Long(X, Y) == Workon_color)
            gdi::SetPixelV(LineDC, int(X), int(Y), uint32_t(LineColour));
        return;
    }
    const uint32_t pixel = gdi::GetPixel(LineDC, int(X), int(Y));
    const long r = long(pixel & 0xFF);
    const long g = long((pixel >> 8) & 0xFF);
    const long b = long((pixel >> 16) & 0xFF);
    const long red = (LineRed * Alpha + r * (255 - Alpha)) / 256;
    const long green = (LineGreen * Alpha + g * (255 - Alpha)) / 256;
    const long blue = (LineBlue * Alpha + b * (255 - Alpha)) / 256;
    if (RegionDib.Get_Pixel_Long(X, Y) == Workon_color)
        gdi::SetPixelV(LineDC, int(X), int(Y), uint32_t(red | (green << 8) | (blue << 16)));
}
