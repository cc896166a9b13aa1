#include "modHSL.h"

#include "Arithmetic.h"

#include <algorithm>

using platform::RoundHalfEven;

namespace modHSL {
namespace {
constexpr double HueSixth = 42.5;     // 255 / 6
constexpr double HueTwelfth = 21.25;  // 255 / 12
constexpr int32_t HueThird = 85;      // 255 / 3
constexpr int32_t HueTwoThirds = 170; // 510 / 3

int32_t Round(double value) {
    return int32_t(RoundHalfEven(value));
}
} // namespace

int32_t iRed(int32_t colour) {
    return colour & 0xFF;
}

int32_t iGreen(int32_t colour) {
    return (colour >> 8) & 0xFF;
}

int32_t iBlue(int32_t colour) {
    return (colour >> 16) & 0xFF;
}

int32_t iMax(int32_t a, int32_t b) {
    return a > b ? a : b;
}

int32_t iMin(int32_t a, int32_t b) {
    return a < b ? a : b;
}

HSLColor RGBToHSL(int32_t colour) {
    const int32_t R = iRed(colour);
    const int32_t G = iGreen(colour);
    const int32_t B = iBlue(colour);
    const int32_t Max = iMax(iMax(R, G), B);
    const int32_t Min = iMin(iMin(R, G), B);
    const int32_t Sum = Max + Min;
    const int32_t Delta = Max - Min;
    const double L = (Sum * 255.0 + 255.0) / 510.0;
    double H = 0;
    double S = 0;
    if (Max != Min) {
        S = L <= 127.5 ? (Delta * 255.0 + 0.5) / Sum : (Delta * 255.0 + 0.5) / (510.0 - Sum);
        const double RDelta = (HueSixth * (Max - R) + 0.5) / Delta;
        const double GDelta = (HueSixth * (Max - G) + 0.5) / Delta;
        const double BDelta = (HueSixth * (Max - B) + 0.5) / Delta;
        if (Max == R)
            H = BDelta - GDelta;
        else if (Max == G)
            H = HueThird + RDelta - BDelta;
        else
            H = HueTwoThirds + GDelta - RDelta;
        if (H < 0)
            H += 255;
    }
    return {Round(H), Round(S), Round(L)};
}

int32_t HSLToRGB(const HSLColor& hsl) {
    const double H = hsl.Hue;
    const double S = hsl.Saturation;
    const double L = hsl.Luminance;
    int32_t red, green, blue;
    if (hsl.Saturation == 0) {
        red = green = blue = Round(L * 255.0 / 255.0);
    } else {
        const int32_t M2 = L <= 127.5 ? Round((L * (255.0 + S) + 127.5) / 255.0)
                                      : Round((S + L) - (S * L + 127.5) / 255.0);
        const int32_t M1 = 2 * hsl.Luminance - M2;
        auto channel = [&](int32_t hue) {
            return Round((HueToRGB(M1, M2, hue) * 255.0 + 127.5) / 255.0);
        };
        red = channel(Round(H + HueThird));
        green = channel(hsl.Hue);
        blue = channel(Round(H - HueThird));
    }
    auto limit = [](int32_t value) { return std::clamp(value, 0, 255); };
    return limit(red) | (limit(green) << 8) | (limit(blue) << 16);
}

int32_t HueToRGB(int32_t M1, int32_t M2, int32_t hue) {
    if (hue < 0)
        hue += 255;
    else if (hue > 255)
        hue -= 255;
    if (hue < 42)
        return Round(M1 + ((M2 - M1) * double(hue) + HueTwelfth) / HueSixth);
    if (hue < 128)
        return M2;
    if (hue < HueTwoThirds)
        return Round(M1 + ((M2 - M1) * double(HueTwoThirds - hue) + HueTwelfth) / HueSixth);
    return M1;
}

} // namespace modHSL
