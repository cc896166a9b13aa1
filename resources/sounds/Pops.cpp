#include "Recipes.h"

namespace recipes {
namespace {
// A bubble pop: a sine whose pitch shoots up as the bubble closes, with a tiny splash.
void Bubble(Synth& s, double start, double from, double to, double glide, double decay,
            double gain) {
    Synth::Note pop;
    pop.start = start;
    pop.length = decay * 4;
    pop.freq = from;
    pop.freqEnd = to;
    pop.glide = glide;
    pop.glideCurve = 0.6;
    pop.attack = 0.0015;
    pop.decay = decay;
    pop.release = decay;
    pop.gain = gain;
    pop.partials = {{1, 1, 1}, {2, 0.1, 1.5}};
    s.Add(pop);

    Synth::Noise splash;
    splash.start = start;
    splash.length = 0.008;
    splash.decay = 0.002;
    splash.lowCut = 2500;
    splash.gain = 0.35 * gain;
    s.Add(splash);
}
} // namespace

void Pop0(Synth& s) {
    Bubble(s, 0.0, 380, 1250, 0.045, 0.032, 1.0);
}

void Pop1(Synth& s) {
    Bubble(s, 0.0, 560, 1500, 0.03, 0.024, 0.7);
    Bubble(s, 0.1, 300, 1000, 0.06, 0.045, 1.0);
}

void Pop2(Synth& s) {
    Bubble(s, 0.0, 720, 2000, 0.02, 0.016, 1.0);
}

void Pop3(Synth& s) {
    Bubble(s, 0.0, 460, 1600, 0.035, 0.026, 1.0);
    Bubble(s, 0.072, 900, 1800, 0.02, 0.014, 0.35);
}

void Press0(Synth& s) {
    Synth::Note thump;
    thump.length = 0.15;
    thump.freq = 320;
    thump.freqEnd = 180;
    thump.glide = 0.05;
    thump.attack = 0.001;
    thump.decay = 0.035;
    thump.release = 0.05;
    thump.partials = {{1, 1, 1}, {2, 0.3, 2}};
    s.Add(thump);

    Synth::Note tick;
    tick.length = 0.05;
    tick.freq = 1400;
    tick.attack = 0.001;
    tick.decay = 0.012;
    tick.release = 0.02;
    tick.gain = 0.25;
    s.Add(tick);

    Synth::Noise edge;
    edge.length = 0.01;
    edge.decay = 0.0025;
    edge.lowCut = 1500;
    edge.highCut = 6000;
    edge.gain = 0.5;
    s.Add(edge);
}

void Press1(Synth& s) {
    Synth::Note tick;
    tick.length = 0.07;
    tick.freq = 1900;
    tick.freqEnd = 1700;
    tick.glide = 0.02;
    tick.attack = 0.001;
    tick.decay = 0.012;
    tick.release = 0.03;
    tick.partials = {{1, 1, 1}, {2.3, 0.2, 2}};
    s.Add(tick);

    Synth::Noise edge;
    edge.length = 0.008;
    edge.decay = 0.002;
    edge.lowCut = 3000;
    edge.gain = 0.4;
    s.Add(edge);
}

void Click(Synth& s) {
    Synth::Note tick;
    tick.length = 0.045;
    tick.freq = 2400;
    tick.attack = 0.0008;
    tick.decay = 0.007;
    tick.release = 0.02;
    tick.partials = Wood();
    s.Add(tick);
}

void Beep(Synth& s) {
    Synth::Note beep;
    beep.length = 0.075;
    beep.freq = 880;
    beep.attack = 0.008;
    beep.release = 0.03;
    beep.partials = {{1, 1, 1}, {2, 0.15, 1}};
    s.Add(beep);
}

} // namespace recipes
