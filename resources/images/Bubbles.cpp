#include "Bubbles.h"

#include <QColor>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

namespace bubbles {
namespace {
struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb FromQColor(const QColor& c) {
    return {double(c.red()), double(c.green()), double(c.blue())};
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A bubble `size` pixels across on black. `shade` gives the colour at a point of the
// unit disc (centre 0, rim 1). Each pixel averages 4 x 4 samples; pixels that the disc
// covers less than a third stay pure black, the others are never pure black.
QImage Sprite(int size, const std::function<Rgb(double, double)>& shade) {
    QImage sprite(size, size, QImage::Format_RGB32);
    const double radius = size / 2.0 - 0.5;
    const double centre = size / 2.0;
    const int n = 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{0, 0, 0};
            int inside = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double ux = (x + (sx + 0.5) / n - centre) / radius;
                    const double uy = (y + (sy + 0.5) / n - centre) / radius;
                    if (ux * ux + uy * uy > 1)
                        continue;
                    const Rgb c = shade(ux, uy);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++inside;
                }
            }
            if (inside * 3 < n * n) {
                sprite.setPixel(x, y, qRgb(0, 0, 0));
                continue;
            }
            const auto channel = [&](double v) {
                return std::clamp(int(std::lround(v / (n * n))), 0, 255);
            };
            int r = channel(sum.r), g = channel(sum.g), b = channel(sum.b);
            if (r == 0 && g == 0 && b == 0)
                r = g = b = 1;
            sprite.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return sprite;
}

// Light and shade of a glossy bubble, zero over a flat middle so that the centre pixel
// is exactly the bubble's colour.
struct Light {
    double highlight; // 0..1, towards white, upper left
    double shadow;    // 0..1, towards dark, at the rim, more at the lower right
    double glint;     // 0..1, the thin reflection along the lower right rim
};

Light LightAt(double ux, double uy) {
    const double r = std::hypot(ux, uy);
    const double spot = std::hypot(ux + 0.36, uy + 0.4);
    const double towardsLowerRight = r > 0 ? (ux + uy) / (r * std::sqrt(2.0)) : 0;
    return {
        SmoothStep(0.32, 0.06, spot),
        SmoothStep(0.5, 1.0, r) * (0.55 + 0.25 * towardsLowerRight),
        SmoothStep(0.07, 0.0, std::abs(r - 0.8)) * SmoothStep(0.3, 0.9, towardsLowerRight),
    };
}

Rgb Glossy(Rgb base, double ux, double uy) {
    const Light light = LightAt(ux, uy);
    const Rgb white{255, 255, 255};
    Rgb c = Mix(base, {base.r * 0.35, base.g * 0.35, base.b * 0.35}, light.shadow * 0.8);
    c = Mix(c, white, light.glint * 0.45);
    return Mix(c, white, light.highlight * 0.9);
}

// The bubble that opens the colour picker: a rainbow wheel with a white star in it.
Rgb Rainbow(double ux, double uy) {
    static const QPolygonF star = [] {
        QPolygonF points;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? 0.5 : 0.22;
            const double a = i * 3.14159265358979 / 5;
            points << QPointF(std::sin(a) * r, -std::cos(a) * r + 0.03);
        }
        return points;
    }();
    const double r = std::hypot(ux, uy);
    const double hue = std::fmod(std::atan2(uy, ux) / (2 * 3.14159265358979) + 1.0, 1.0);
    Rgb c =
        FromQColor(QColor::fromHsvF(float(hue), float(0.25 + 0.6 * SmoothStep(0.2, 0.8, r)), 1));
    if (star.containsPoint(QPointF(ux, uy), Qt::OddEvenFill))
        c = {252, 252, 252};
    const Light light = LightAt(ux, uy);
    c = Mix(c, {c.r * 0.4, c.g * 0.4, c.b * 0.4}, light.shadow * 0.7);
    return Mix(c, {255, 255, 255}, light.highlight * 0.9);
}
} // namespace

std::vector<QImage> Palette() {
    static const QColor colours[] = {
        {228, 30, 38},   {255, 140, 0},   {255, 221, 0},   {128, 212, 58}, {22, 150, 52},
        {0, 190, 190},   {84, 172, 255},  {24, 72, 222},   {128, 52, 200}, {190, 132, 240},
        {255, 120, 182}, {228, 30, 140},  {255, 192, 212}, {128, 74, 30},  {200, 142, 82},
        {255, 222, 186}, {226, 172, 126}, {140, 92, 60},   {34, 34, 34},   {128, 128, 128},
        {250, 250, 250}, {12, 96, 44},
    };
    // Sizes 40 to 52 pixels, mixed, so that the stream looks lively; the picker bubble
    // is the biggest.
    static const int sizes[] = {48, 44, 52, 40, 48, 44, 52, 40, 48, 52, 44,
                                40, 48, 44, 52, 40, 48, 44, 52, 44, 48, 40};
    std::vector<QImage> sprites;
    for (size_t i = 0; i < std::size(colours); ++i) {
        const Rgb base = FromQColor(colours[i]);
        sprites.push_back(
            Sprite(sizes[i], [&](double ux, double uy) { return Glossy(base, ux, uy); }));
    }
    sprites.push_back(Sprite(56, Rainbow));
    return sprites;
}

std::vector<QImage> Picker() {
    std::vector<QImage> sprites;
    static const int sizes[] = {64, 56, 72, 60, 68, 56, 64, 72, 60,
                                68, 64, 56, 72, 60, 68, 64, 56, 72};
    // 0..9 take the current hue and keep their own saturation and lightness: shades from
    // dark to pale, bright to muted.
    static const double shades[10][2] = {{1.0, 0.5},   {0.9, 0.32}, {0.8, 0.66},  {0.6, 0.5},
                                         {1.0, 0.22},  {0.7, 0.78}, {0.45, 0.42}, {1.0, 0.4},
                                         {0.85, 0.87}, {0.3, 0.6}};
    for (int i = 0; i < 10; ++i) {
        const QColor c =
            QColor::fromHslF(float(i / 10.0), float(shades[i][0]), float(shades[i][1]));
        const Rgb base = FromQColor(c);
        sprites.push_back(
            Sprite(sizes[i], [&](double ux, double uy) { return Glossy(base, ux, uy); }));
    }
    // 10..17 take the current hue and saturation with their own lightness; their grey
    // highlight and rim stay grey.
    static const double lightness[8] = {0.3, 0.42, 0.5, 0.6, 0.7, 0.36, 0.55, 0.8};
    for (int i = 0; i < 8; ++i) {
        const QColor c = QColor::fromHslF(float(0.05 + i / 8.0), 0.8f, float(lightness[i]));
        const Rgb base = FromQColor(c);
        sprites.push_back(Sprite(sizes[10 + i], [&](double ux, double uy) {
            const Light light = LightAt(ux, uy);
            const double r = std::hypot(ux, uy);
            const Rgb body =
                Mix(base, {base.r * 0.4, base.g * 0.4, base.b * 0.4}, light.shadow * 0.7);
            const double ring = SmoothStep(0.05, 0.0, std::abs(r - 0.86));
            // Samples of one grey average to a grey, so these pixels stay grey.
            if (light.highlight > 0.35) {
                const double v = std::round(215 + 40 * light.highlight);
                return Rgb{v, v, v};
            }
            if (ring > 0.5)
                return Rgb{200, 200, 200};
            return body;
        }));
    }
    return sprites;
}

} // namespace bubbles
