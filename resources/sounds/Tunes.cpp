#include "Recipes.h"

#include <algorithm>

namespace recipes {
namespace {
// A struck note (mallet or bell) that rings until it dies away or the sound ends.
void Strike(Synth& s, double start, int note, double decay, double gain,
            const std::vector<Synth::Partial>& timbre) {
    Synth::Note n;
    n.start = start;
    n.length = std::min(decay * 6, s.Seconds() - start);
    n.freq = Hz(note);
    n.attack = 0.002;
    n.decay = decay;
    n.release = std::min(0.25, n.length * 0.4);
    n.gain = gain;
    n.partials = timbre;
    s.Add(n);
}

// A sung note that may sag a little in pitch, for the soft "oh-oh"s.
void Sing(Synth& s, double start, double length, int note, double sagSemitones, double gain) {
    Synth::Note n;
    n.start = start;
    n.length = length;
    n.freq = Hz(note);
    n.freqEnd = n.freq * std::pow(2.0, -sagSemitones / 12.0);
    n.glide = length;
    n.glideCurve = 2.5; // holds the pitch, then sags towards the end
    n.attack = 0.05;
    n.decay = 2.5;
    n.release = std::min(0.15, length * 0.4);
    n.vibratoRate = 5;
    n.vibratoDepth = 0.15;
    n.gain = gain;
    n.partials = Voice();
    s.Add(n);
}

// A soft round bass note under the jingles.
void Bass(Synth& s, double start, int note, double decay) {
    Synth::Note n;
    n.start = start;
    n.length = std::min(decay * 5, s.Seconds() - start);
    n.freq = Hz(note);
    n.attack = 0.01;
    n.decay = decay;
    n.release = std::min(0.2, n.length * 0.4);
    n.gain = 0.45;
    n.partials = {{1, 1, 1}, {2, 0.3, 1.5}};
    s.Add(n);
}
} // namespace

void Message0(Synth& s) {
    Strike(s, 0.00, 76, 0.3, 0.8, Bell());
    Strike(s, 0.17, 79, 0.3, 0.8, Bell());
    Strike(s, 0.34, 84, 0.55, 0.9, Bell());
    Strike(s, 0.34, 72, 0.5, 0.3, Mallet());
}

void Message1(Synth& s) {
    Strike(s, 0.00, 79, 0.22, 0.85, Bell());
    Strike(s, 0.16, 84, 0.3, 0.9, Bell());
}

void Message2(Synth& s) {
    Strike(s, 0.000, 84, 0.12, 0.8, Mallet());
    Strike(s, 0.085, 88, 0.12, 0.8, Mallet());
    Strike(s, 0.170, 91, 0.22, 0.9, Mallet());
}

void New0(Synth& s) {
    const struct {
        double at;
        int note;
        double decay;
    } tune[] = {{0.00, 72, 0.18}, {0.13, 76, 0.18}, {0.26, 79, 0.22},
                {0.45, 76, 0.18}, {0.58, 79, 0.18}, {0.71, 84, 0.3},
                {1.00, 81, 0.18}, {1.13, 83, 0.18}, {1.26, 84, 0.7}};
    for (const auto& t : tune)
        Strike(s, t.at, t.note, t.decay, 0.8, Mallet());
    Strike(s, 1.26, 76, 0.6, 0.4, Mallet());
    Strike(s, 1.26, 79, 0.6, 0.4, Mallet());
    Strike(s, 1.55, 91, 0.3, 0.25, Bell());
    Strike(s, 1.70, 96, 0.35, 0.2, Bell());
    Bass(s, 0.00, 48, 0.3);
    Bass(s, 0.45, 55, 0.3);
    Bass(s, 1.00, 53, 0.25);
    Bass(s, 1.26, 48, 0.6);
}

void New1(Synth& s) {
    const int run[] = {72, 74, 76, 77, 79, 81, 83};
    for (int i = 0; i < 7; ++i)
        Strike(s, 0.07 * i, run[i], 0.1, 0.55, Mallet());
    // "ta-daa!"
    Strike(s, 0.52, 79, 0.1, 0.7, Bell());
    Strike(s, 0.52, 83, 0.1, 0.5, Bell());
    for (int note : {84, 88, 91})
        Strike(s, 0.70, note, 0.8, 0.55, Bell());
    Strike(s, 0.70, 72, 0.8, 0.4, Mallet());
    Bass(s, 0.70, 48, 0.7);
    // Twinkles while the chord rings.
    const struct {
        double at;
        int note;
    } twinkles[] = {{1.00, 96},  {1.18, 100}, {1.36, 103}, {1.54, 108},
                    {1.80, 103}, {2.05, 100}, {2.30, 96}};
    for (const auto& t : twinkles)
        Strike(s, t.at, t.note, 0.16, 0.18, Bell());
}

void Ok(Synth& s) {
    Strike(s, 0.00, 84, 0.18, 0.8, Bell());
    Strike(s, 0.06, 91, 0.22, 0.9, Bell());
}

void Cancel0(Synth& s) {
    Sing(s, 0.00, 0.48, 67, 0.3, 0.9);
    Sing(s, 0.52, 0.48, 64, 0.3, 0.9);
    Sing(s, 1.04, 1.05, 60, 0.8, 1.0);
}

void Cancel1(Synth& s) {
    Sing(s, 0.00, 0.30, 69, 0.2, 0.9);
    Sing(s, 0.36, 0.90, 66, 0.6, 1.0);
}

void Cancel2(Synth& s) {
    Synth::Note n;
    n.length = 1.28;
    n.freq = 740;
    n.freqEnd = 370;
    n.glide = 1.1;
    n.attack = 0.05;
    n.decay = 3;
    n.release = 0.25;
    n.vibratoRate = 6;
    n.vibratoDepth = 0.45;
    n.partials = Voice();
    s.Add(n);
}

void Cancel3(Synth& s) {
    Sing(s, 0.00, 0.20, 74, 0.1, 0.9);
    Sing(s, 0.21, 0.38, 69, 0.9, 1.0);
}

} // namespace recipes
