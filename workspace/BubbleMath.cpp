#include "BubbleMath.h"

#include "Arithmetic.h"
#include "Gdi.h"
#include "cNDib.h"

#include <cmath>

namespace BubbleMath {

// The sums mix singles with double constants as the bubbles' arithmetic always has: the
// double result is stored back as a single.
void Move(BubbleRecord& bubble) {
    bubble.Phase = float(double(bubble.Phase) + 0.1);
    if (double(bubble.Phase) > 6.28)
        bubble.Phase = 0;
    bubble.DX = float(std::sin(double(bubble.Phase)) * 0.2);
    bubble.Y = bubble.Y + bubble.VY;
    bubble.X = bubble.X + bubble.DX;
}

QPoint DrawingPosition(const BubbleRecord& bubble) {
    const long left = platform::RoundHalfEven(double(bubble.X - bubble.Radius));
    const long top = platform::RoundHalfEven(double(bubble.Y - bubble.Radius));
    return QPoint(int(left < 0 ? 0 : left), int(top));
}

bool HasLeftTop(const BubbleRecord& bubble) {
    return bubble.Y < -bubble.Radius;
}

void Respawn(BubbleRecord& bubble, int scaleWidth, int scaleHeight, float divisor,
             const std::function<float()>& rnd) {
    bubble.Y = rnd() * 20 + float(scaleHeight) + bubble.Radius;
    bubble.X = rnd() * (float(scaleWidth) - 2 * bubble.Radius) + bubble.Radius;
    bubble.VY = float((-double(rnd()) - 0.5) / double(divisor));
}

void Step(std::vector<BubbleRecord>& bubbles, int scaleWidth, int scaleHeight, float divisor,
          const std::function<void(size_t, QPoint)>& draw, const std::function<void()>& pop,
          const std::function<float()>& rnd) {
    for (size_t i = 0; i < bubbles.size(); ++i) {
        BubbleRecord& bubble = bubbles[i];
        Move(bubble);
        draw(i, DrawingPosition(bubble));
        if (HasLeftTop(bubble)) {
            pop();
            Respawn(bubble, scaleWidth, scaleHeight, divisor, rnd);
        }
    }
}

void DrawBubble(const std::vector<cNDib>& sprites, size_t n, size_t i, QPoint at,
                platform::HDC dc) {
    if (n + i >= sprites.size())
        return;
    sprites[n + i].Bit_Blt_Dib(at.x(), at.y(), dc, platform::gdi::SRCAND);
    sprites[i].Bit_Blt_Dib(at.x(), at.y(), dc, platform::gdi::SRCPAINT);
}

int HitTest(const std::vector<BubbleRecord>& bubbles, float X, float Y, bool topFirst) {
    const int n = int(bubbles.size());
    for (int k = 0; k < n; ++k) {
        const int i = topFirst ? n - 1 - k : k;
        const double dx = double(bubbles[size_t(i)].X - X);
        const double dy = double(bubbles[size_t(i)].Y - Y);
        const float distance = float(std::sqrt(dx * dx + dy * dy));
        if (distance <= bubbles[size_t(i)].Radius)
            return i;
    }
    return -1;
}

bool InZone(const QPoint& pointer, long right, long bottom) {
    return pointer.x() <= right && pointer.y() <= bottom;
}

BarChange AutoHideCheck(long& counter, bool inZone, bool barVisible) {
    if (!inZone) {
        counter = 0;
        return barVisible ? BarChange::Hide : BarChange::None;
    }
    counter = counter + 1;
    if (counter != ChecksToShow)
        return BarChange::None;
    counter = 0;
    return barVisible ? BarChange::None : BarChange::Show;
}

void MakeMask(cNDib& sprite) {
    for (long y = 0; y <= sprite.Height(); ++y) {
        for (long x = 0; x <= sprite.Width(); ++x) {
            const uint8_t v = sprite.Get_Pixel_Long(x, y) == 0 ? 255 : 0;
            sprite.Set_Pixel(x, y, v, v, v);
        }
    }
}

int32_t TintPixel(int bubble, uint8_t r, uint8_t g, uint8_t b, const HSLColor& current) {
    const HSLColor pixel = modHSL::RGBToHSL(int32_t(platform::RGB(r, g, b)));
    HSLColor tinted;
    if (bubble <= 9) {
        tinted = current.Saturation == 0 ? HSLColor{0, 0, pixel.Luminance}
                                         : HSLColor{current.Hue, pixel.Saturation, pixel.Luminance};
    } else {
        const bool grey = r == g && g == b;
        tinted = grey ? pixel : HSLColor{current.Hue, current.Saturation, pixel.Luminance};
    }
    return modHSL::HSLToRGB(tinted);
}

} // namespace BubbleMath
