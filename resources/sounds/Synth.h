#pragma once

#include <cstdint>
#include <vector>

// A small additive synthesiser that mixes notes and noise bursts into one channel.
// Everything is computed from the arguments and a fixed seed, so that every build
// writes the same sounds.
class Synth {
public:
    // One sine component of a note: its frequency as a multiple of the note's, its
    // amplitude, and how many times faster than the note it dies away.
    struct Partial {
        double ratio = 1;
        double amplitude = 1;
        double decayScale = 1;
    };

    struct Note {
        double start = 0;        // seconds
        double length = 0.3;     // seconds until the note is silent
        double freq = 440;       // Hz at the start
        double freqEnd = 0;      // Hz after the glide; 0 keeps the frequency
        double glide = 0;        // seconds the glide takes
        double glideCurve = 1;   // below 1 the glide moves fast first and then settles
        double attack = 0.005;   // seconds
        double decay = 10;       // time constant of the exponential fade, seconds
        double release = 0.03;   // fade to silence over the note's last seconds
        double vibratoRate = 0;  // Hz
        double vibratoDepth = 0; // semitones
        double gain = 1;
        std::vector<Partial> partials; // none: a plain sine
    };

    // Band-limited white noise with a fast attack and an exponential fade.
    struct Noise {
        double start = 0;
        double length = 0.05;
        double attack = 0.001;
        double decay = 0.01;
        double lowCut = 0;  // Hz, high-pass corner; 0 for none
        double highCut = 0; // Hz, low-pass corner; 0 for none
        double gain = 1;
    };

    Synth(int rate, std::size_t samples, std::uint32_t seed);

    void Add(const Note& note);
    void Add(const Noise& noise);

    // The mix scaled so that its largest magnitude is peak, with a short fade at the end so
    // that the sound stops without a click.
    std::vector<float> Finish(double peak) const;

    int Rate() const { return rate_; }
    double Seconds() const { return static_cast<double>(mix_.size()) / rate_; }

private:
    double NextRandom(); // uniform in [-1, 1)

    int rate_;
    std::vector<double> mix_;
    std::uint32_t state_;
};
