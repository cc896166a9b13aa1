#pragma once

#include <cstdint>

// Deterministic value noise for grain: the same seed gives the same picture on every
// machine, since it is built from integer hashing only.
class Noise {
public:
    explicit Noise(uint32_t seed) : seed_(seed) {}

    // White noise in [0, 1) at a lattice point.
    double Lattice(int x, int y) const;
    // Smoothly interpolated noise in [0, 1).
    double Value(double x, double y) const;
    // Sum of octaves of Value, each twice as fine and half as strong, in [0, 1).
    double Fractal(double x, double y, int octaves) const;

private:
    uint32_t seed_;
};
