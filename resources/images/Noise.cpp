#include "Noise.h"

#include <cmath>

namespace {
uint32_t Mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Smooth(double t) {
    return t * t * (3 - 2 * t);
}
} // namespace

double Noise::Lattice(int x, int y) const {
    const uint32_t h = Mix(seed_ ^ Mix(uint32_t(x) * 0x9E3779B1u ^ Mix(uint32_t(y) + 0x632BE5ABu)));
    return double(h) / 4294967296.0;
}

double Noise::Value(double x, double y) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double top = Lattice(ix, iy) + (Lattice(ix + 1, iy) - Lattice(ix, iy)) * tx;
    const double bottom =
        Lattice(ix, iy + 1) + (Lattice(ix + 1, iy + 1) - Lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double Noise::Fractal(double x, double y, int octaves) const {
    double sum = 0;
    double weight = 0;
    double amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Value(x, y);
        weight += amplitude;
        amplitude /= 2;
        x = x * 2 + 17.3;
        y = y * 2 + 5.9;
    }
    return sum / weight;
}
