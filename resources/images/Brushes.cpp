#include "Brushes.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace brushes {
namespace {
double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Turns a field of paint amounts (any scale, 0 = none) into a grey brush whose
// strongest pixel is exactly `darkest`.
QImage FromPaint(int width, int height, int darkest, const std::function<double(int, int)>& paint) {
    std::vector<double> amounts(size_t(width) * size_t(height));
    double strongest = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double amount = std::max(0.0, paint(x, y));
            amounts[size_t(y) * size_t(width) + size_t(x)] = amount;
            strongest = std::max(strongest, amount);
        }
    }
    QImage brush(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double amount = amounts[size_t(y) * size_t(width) + size_t(x)] / strongest;
            const int v = int(std::lround(255 - (255 - darkest) * amount));
            brush.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return brush;
}
} // namespace

QImage Crayon() {
    // A stamp covers columns 0..38 and rows 0..34 (its centre is (19, 17)).
    const Noise edge(0xC4A7);
    const Noise paper(0x5EED);
    return FromPaint(40, 35, 114, [&](int x, int y) {
        if (x > 38)
            return 0.0;
        const double dx = std::abs(x - 19.0) / 18.5;
        const double dy = std::abs(y - 17.0) / 16.5;
        const double d = std::pow(std::pow(dx, 3) + std::pow(dy, 3), 1.0 / 3.0);
        const double shape =
            SmoothStep(1.0, 0.7, d + (edge.Value(x * 0.35, y * 0.35) - 0.5) * 0.35);
        // Wax catches the tops of the paper's grain, in short sideways streaks.
        const double grain =
            0.65 * paper.Fractal(x * 0.45, y * 1.1, 3) + 0.35 * paper.Lattice(x + 100, y + 100);
        return shape * SmoothStep(0.32, 0.62, grain);
    });
}

QImage Paintbrush() {
    // Columns 0..110 and rows 0..104 are stamped, around the centre (55, 52).
    const Noise rim(0xB1B);
    const Noise bristles(0xB2B);
    return FromPaint(112, 106, 126, [&](int x, int y) {
        const double dx = x - 55.0;
        const double dy = y - 52.0;
        // The outline wobbles with noise read around a circle, so that it closes.
        const double angle = std::atan2(dy, dx);
        const double cx = std::cos(angle);
        const double cy = std::sin(angle);
        const double radius = 47.0 * (1 + 0.10 * (rim.Value(cx * 1.5 + 4, cy * 1.5 + 4) - 0.5) +
                                      0.06 * (rim.Value(cx * 5 + 9, cy * 5 + 9) - 0.5));
        const double r = std::hypot(dx, dy) / radius;
        const double body = SmoothStep(1.0, 0.55, r);
        const double grain = 0.7 + 0.3 * bristles.Fractal(x * 0.3, y * 0.3, 3) -
                             0.25 * bristles.Lattice(x, y) * SmoothStep(0.5, 1.0, r);
        return body * grain;
    });
}

QImage Pencil() {
    const Noise lead(0x9E1);
    return FromPaint(8, 8, 165, [&](int x, int y) {
        const double r = std::hypot(x - 3.0, y - 3.0) / 3.2;
        return SmoothStep(1.0, 0.3, r) * (0.6 + 0.4 * lead.Lattice(x, y));
    });
}

} // namespace brushes
