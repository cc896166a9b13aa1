#pragma once

#include "Synth.h"

#include <cmath>

// The recipes of the program's sounds: each adds its notes to a synthesiser that already
// has the sound's rate and length.
namespace recipes {

// Equal temperament, A4 (note 69) at 440 Hz.
inline double Hz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A soft xylophone: a strong fundamental, the marimba's fourth partial dying fast.
inline std::vector<Synth::Partial> Mallet() {
    return {{1, 1, 1}, {4, 0.16, 3}, {3, 0.05, 2}, {2, 0.08, 1.5}};
}

// A small glockenspiel bell.
inline std::vector<Synth::Partial> Bell() {
    return {{1, 1, 1}, {2, 0.18, 1.4}, {2.76, 0.22, 2.2}, {5.4, 0.07, 3.5}};
}

// A mellow ocarina-like voice for the long, sung notes.
inline std::vector<Synth::Partial> Voice() {
    return {{1, 1, 1}, {2, 0.3, 1}, {3, 0.1, 1}, {4, 0.04, 1}};
}

// A hollow wooden knock.
inline std::vector<Synth::Partial> Wood() {
    return {{1, 1, 1}, {2.8, 0.35, 2.5}, {5.2, 0.1, 4}};
}

// Bubbles popping, presses and ticks.
void Pop0(Synth& s);
void Pop1(Synth& s);
void Pop2(Synth& s);
void Pop3(Synth& s);
void Press0(Synth& s);
void Press1(Synth& s);
void Click(Synth& s);
void Beep(Synth& s);

// Clicks and boings of the buttons, and the two glides.
void B0(Synth& s);
void B1(Synth& s);
void B2(Synth& s);
void B3(Synth& s);
void B4(Synth& s);
void B5(Synth& s);
void Up(Synth& s);
void Down(Synth& s);

// Little tunes: messages, the new-picture jingles, the OK chime and the "oh-oh"s.
void Message0(Synth& s);
void Message1(Synth& s);
void Message2(Synth& s);
void New0(Synth& s);
void New1(Synth& s);
void Ok(Synth& s);
void Cancel0(Synth& s);
void Cancel1(Synth& s);
void Cancel2(Synth& s);
void Cancel3(Synth& s);

} // namespace recipes
