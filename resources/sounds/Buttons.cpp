#include "Recipes.h"

namespace recipes {
namespace {
// A spring: a low tone that wobbles fast while it slides up.
Synth::Note Boing(double from, double to, double wobbleRate, double wobbleDepth, double decay,
                  double length) {
    Synth::Note boing;
    boing.length = length;
    boing.freq = from;
    boing.freqEnd = to;
    boing.glide = length * 0.8;
    boing.attack = 0.003;
    boing.decay = decay;
    boing.release = length * 0.3;
    boing.vibratoRate = wobbleRate;
    boing.vibratoDepth = wobbleDepth;
    boing.partials = {{1, 1, 1}, {2, 0.35, 1.4}, {3, 0.15, 1.8}};
    return boing;
}

Synth::Note Glide(double from, double to, double length) {
    Synth::Note glide;
    glide.length = length;
    glide.freq = from;
    glide.freqEnd = to;
    glide.glide = length * 0.85;
    glide.attack = 0.04;
    glide.release = 0.12;
    glide.vibratoRate = 6;
    glide.vibratoDepth = 0.2;
    glide.partials = Voice();
    return glide;
}

Synth::Note Knock(double start, double freq, double decay, double length) {
    Synth::Note knock;
    knock.start = start;
    knock.length = length;
    knock.freq = freq;
    knock.attack = 0.001;
    knock.decay = decay;
    knock.release = length * 0.4;
    knock.partials = Wood();
    return knock;
}
} // namespace

void B0(Synth& s) {
    s.Add(Boing(190, 290, 16, 1.8, 0.09, 0.19));
}

void B1(Synth& s) {
    Synth::Note bloop;
    bloop.length = 0.19;
    bloop.freq = 950;
    bloop.freqEnd = 420;
    bloop.glide = 0.09;
    bloop.glideCurve = 0.7;
    bloop.attack = 0.002;
    bloop.decay = 0.06;
    bloop.release = 0.06;
    bloop.partials = {{1, 1, 1}, {2, 0.2, 2}};
    s.Add(bloop);
}

void B2(Synth& s) {
    s.Add(Knock(0.0, 880, 0.025, 0.08));
    s.Add(Knock(0.085, 660, 0.03, 0.1));
}

void B3(Synth& s) {
    Synth::Note blip;
    blip.length = 0.185;
    blip.freq = 988;
    blip.freqEnd = 1175;
    blip.glide = 0.015;
    blip.attack = 0.002;
    blip.decay = 0.07;
    blip.release = 0.05;
    blip.partials = Mallet();
    s.Add(blip);
}

void B4(Synth& s) {
    s.Add(Boing(160, 240, 13, 3, 0.16, 0.39));
}

void B5(Synth& s) {
    Synth::Note whistle;
    whistle.length = 0.46;
    whistle.freq = 520;
    whistle.freqEnd = 1500;
    whistle.glide = 0.36;
    whistle.attack = 0.03;
    whistle.release = 0.1;
    whistle.vibratoRate = 7;
    whistle.vibratoDepth = 0.25;
    whistle.partials = {{1, 1, 1}, {2, 0.08, 1}};
    s.Add(whistle);
}

void Up(Synth& s) {
    s.Add(Glide(330, 990, s.Seconds()));
}

void Down(Synth& s) {
    s.Add(Glide(990, 330, s.Seconds()));
}

} // namespace recipes
