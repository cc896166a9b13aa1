#include "mMain_Frame.h"

#include "Arithmetic.h"
#include "Gdi.h"
#include "PictureBox.h"
#include "mMain_Brush.h"

#include <algorithm>
#include <cmath>

namespace mMain {
namespace {

// A channel computed in floating point, to the nearest byte (halves to even); values
// past 255 are taken as 255, as the colour-value builder does.
uint8_t ChannelByte(double value) {
    return uint8_t(std::clamp(platform::RoundHalfEven(value), 0L, 255L));
}

// Sets one halo pixel: the style's colour times the factor f, moved by the offsets.
class HaloPainter {
public:
    HaloPainter(platform::PictureBox& picture, const ShadowStyle& style)
        : dc_(picture.hDC()), style_(style) {}

    void Set(long x, long y, double f) const {
        const uint32_t colour = platform::RGB(ChannelByte(std::fabs(style_.red * f)),
                                              ChannelByte(std::fabs(style_.green * f)),
                                              ChannelByte(std::fabs(style_.blue * f)));
        platform::gdi::SetPixelV(dc_, int(x + style_.offsetX), int(y + style_.offsetY), colour);
    }

private:
    platform::HDC dc_;
    const ShadowStyle& style_;
};

} // namespace

void DrawShadow(platform::PictureBox& picture, const ShadowStyle& style) {
    // A halo of no width has nothing to fade over.
    if (!style.enabled || style.size <= 0)
        return;
    const HaloPainter painter(picture, style);
    const long X = style.left, Y = style.top, W = style.width, H = style.height;
    const long R = style.radius;
    const double S = double(style.size);
    const long s = style.size;

    // Side bands.
    for (long y = Y + R; y <= Y + H - R; ++y) {
        for (long x = X - s; x <= X; ++x)
            painter.Set(x, y, 1.0 - double(x - (X - s)) / S);
        for (long x = X + W; x <= X + W + s; ++x)
            painter.Set(x, y, double(x - (X + W)) / S);
    }

    // Corners: i is the vertical distance from the corner circles' centres; each row
    // runs from the outer circle (radius R + S) to the rectangle's own corner circle.
    for (long i = 0; i <= R + s; ++i) {
        const double outer = std::sqrt(double((R + s) * (R + s) - i * i));
        const long first = X + R + s - platform::RoundHalfEven(outer + S);
        const long last =
            i <= R ? platform::RoundHalfEven(X + R - std::sqrt(double(R * R - i * i))) : X + R;
        for (long j = first; j <= last; ++j) {
            const double dx = double(j - (X + R));
            const double f = (std::sqrt(dx * dx + double(i * i)) - double(R)) / S;
            const long mirrored = 2 * X + W - j;
            painter.Set(j, Y + R - i, f);
            painter.Set(j, Y + H - R + i, f);
            painter.Set(mirrored, Y + R - i, f);
            painter.Set(mirrored, Y + H - R + i, f);
        }
    }

    // Top and bottom bands.
    const long right = X + R + platform::RoundHalfEven(double(W - 2 * R));
    for (long i = 0; i <= s; ++i) {
        const double f = 1.0 - double(i) / S;
        for (long x = X + R; x <= right; ++x) {
            painter.Set(x, Y - s + i, f);
            painter.Set(x, Y + H + s - i, f);
        }
    }
}

void DrawGradient(const GradientStyle& style, platform::PictureBox& picture, long X, long Y,
                  long Width, long Height) {
    if (X == -1)
        X = 0;
    if (Y == -1)
        Y = 0;
    if (Width == -1)
        Width = picture.ScaleWidth();
    if (Height == -1)
        Height = picture.ScaleHeight();
    // Only the vertical gradient is drawn; it needs two stops or more.
    const long n = long(style.stops.size()) - 1;
    if (style.direction != 1 || n < 1 || Height == 0)
        return;
    platform::HDC dc = picture.hDC();
    const float h = float(std::labs(Height)) / float(n);

    for (long k = 0; k < n; ++k) {
        const RGBTriple& c1 = style.stops[size_t(k)];
        const RGBTriple& c2 = style.stops[size_t(k + 1)];
        const float stepR = float(c2.R - c1.R) / h;
        const float stepG = float(c2.G - c1.G) / h;
        const float stepB = float(c2.B - c1.B) / h;
        float r = c1.R, g = c1.G, b = c1.B;
        // Row offsets are counted from the segment's own first row, so that each segment
        // starts at full weight of its first stop.
        const long start = platform::RoundHalfEven(h * float(k));
        const long end = platform::RoundHalfEven(h * float(k) + h);
        for (long j = start; j <= end; ++j) {
            const double t = (double(h) - double(j - start)) / double(h);
            for (long x = X; x <= X + Width; ++x) {
                const uint32_t old = platform::gdi::GetPixel(dc, int(x), int(Y + j));
                if (old == platform::gdi::CLR_INVALID)
                    continue;
                uint8_t oldR, oldG, oldB;
                SplitRGB(long(old), oldR, oldG, oldB);
                const uint32_t colour = platform::RGB(ChannelByte(r * t + oldR * (1.0 - t)),
                                                      ChannelByte(g * t + oldG * (1.0 - t)),
                                                      ChannelByte(b * t + oldB * (1.0 - t)));
                platform::gdi::SetPixelV(dc, int(x), int(Y + j), colour);
            }
            r += stepR;
            g += stepG;
            b += stepB;
        }
    }
}

} // namespace mMain
