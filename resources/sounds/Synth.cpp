#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double TwoPi = 2 * std::numbers::pi;

// Attack and release ramps shaped as half a cosine, so notes start and end smoothly.
double Ramp(double x) {
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// One-pole filter coefficient for a corner frequency.
double PoleFor(double corner, int rate) {
    return std::exp(-TwoPi * corner / rate);
}
} // namespace

Synth::Synth(int rate, std::size_t samples, std::uint32_t seed)
    : rate_(rate), mix_(samples, 0.0), state_(seed) {}

double Synth::NextRandom() {
    // xorshift32: the same numbers with every compiler and library.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

void Synth::Add(const Note& note) {
    const auto first = static_cast<std::size_t>(std::max(0.0, note.start * rate_));
    const auto count = static_cast<std::size_t>(note.length * rate_);
    const double nyquistGuard = 0.45 * rate_;
    const std::vector<Partial> sine{{1, 1, 1}};
    const std::vector<Partial>& partials = note.partials.empty() ? sine : note.partials;
    std::vector<double> phases(partials.size(), 0.0);
    for (std::size_t i = 0; i < count && first + i < mix_.size(); ++i) {
        const double t = static_cast<double>(i) / rate_;
        double freq = note.freq;
        if (note.freqEnd > 0) {
            const double u = note.glide > 0 ? std::min(1.0, t / note.glide) : 1.0;
            freq = note.freq * std::pow(note.freqEnd / note.freq, std::pow(u, note.glideCurve));
        }
        if (note.vibratoDepth != 0)
            freq *=
                std::pow(2.0, note.vibratoDepth / 12.0 * std::sin(TwoPi * note.vibratoRate * t));

        const double envelope = Ramp(note.attack > 0 ? t / note.attack : 1.0) *
                                Ramp(note.release > 0 ? (note.length - t) / note.release : 1.0);
        double value = 0;
        for (std::size_t k = 0; k < partials.size(); ++k) {
            const Partial& partial = partials[k];
            const double f = freq * partial.ratio;
            phases[k] += TwoPi * f / rate_;
            // Fade out components near the Nyquist frequency instead of letting them alias.
            const double band = std::clamp((nyquistGuard - f) / (0.05 * rate_), 0.0, 1.0);
            if (band > 0)
                value += partial.amplitude * band * std::exp(-t * partial.decayScale / note.decay) *
                         std::sin(phases[k]);
        }
        mix_[first + i] += note.gain * envelope * value;
    }
}

void Synth::Add(const Noise& noise) {
    const auto first = static_cast<std::size_t>(std::max(0.0, noise.start * rate_));
    const auto count = static_cast<std::size_t>(noise.length * rate_);
    const double low = noise.highCut > 0 ? PoleFor(noise.highCut, rate_) : 0.0;
    const double high = noise.lowCut > 0 ? PoleFor(noise.lowCut, rate_) : 0.0;
    double lp1 = 0, lp2 = 0, hpIn = 0, hpOut = 0;
    for (std::size_t i = 0; i < count && first + i < mix_.size(); ++i) {
        const double t = static_cast<double>(i) / rate_;
        double x = NextRandom();
        if (noise.highCut > 0) {
            lp1 = (1 - low) * x + low * lp1;
            lp2 = (1 - low) * lp1 + low * lp2;
            x = lp2;
        }
        if (noise.lowCut > 0) {
            hpOut = high * (hpOut + x - hpIn);
            hpIn = x;
            x = hpOut;
        }
        const double envelope = Ramp(noise.attack > 0 ? t / noise.attack : 1.0) *
                                std::exp(-t / noise.decay) * Ramp((noise.length - t) / 0.002);
        mix_[first + i] += noise.gain * envelope * x;
    }
}

std::vector<float> Synth::Finish(double peak) const {
    double largest = 0;
    for (double x : mix_)
        largest = std::max(largest, std::abs(x));
    const double scale = largest > 0 ? peak / largest : 0.0;
    const std::size_t fade = static_cast<std::size_t>(0.004 * rate_);
    std::vector<float> out(mix_.size());
    for (std::size_t i = 0; i < mix_.size(); ++i) {
        const std::size_t left = mix_.size() - 1 - i;
        const double tail = left < fade ? Ramp(static_cast<double>(left) / fade) : 1.0;
        out[i] = static_cast<float>(mix_[i] * scale * tail);
    }
    return out;
}
