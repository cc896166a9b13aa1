#include "SoundBank.h"

#include "Recipes.h"

#include <iterator>
#include <stdexcept>

namespace {
struct Entry {
    const char* name;
    int rate;
    int bits;
    std::size_t bytes; // the whole file, a 44-byte header included
    double peak;       // loudest sample, as a fraction of full scale
    void (*recipe)(Synth&);
};

// File sizes fix the lengths: 8-bit sounds have one byte per sample, 16-bit ones two.
constexpr Entry Table[] = {
    {"B0", 44100, 8, 8832, 0.5, recipes::B0},
    {"B1", 44100, 8, 8820, 0.5, recipes::B1},
    {"B2", 11025, 8, 2104, 0.5, recipes::B2},
    {"B3", 22050, 16, 8452, 0.5, recipes::B3},
    {"B4", 11025, 8, 4376, 0.5, recipes::B4},
    {"B5", 11025, 8, 5232, 0.3, recipes::B5},
    {"BEEP", 11025, 8, 926, 0.3, recipes::Beep},
    {"CANCEL0", 11025, 8, 23212, 0.28, recipes::Cancel0},
    {"CANCEL1", 11025, 8, 14364, 0.28, recipes::Cancel1},
    {"CANCEL2", 11025, 8, 14600, 0.28, recipes::Cancel2},
    {"CANCEL3", 44100, 8, 26912, 0.28, recipes::Cancel3},
    {"CLICK", 11025, 8, 628, 0.45, recipes::Click},
    {"DOWN", 11025, 8, 7680, 0.3, recipes::Down},
    {"MESSAGE0", 11025, 8, 19284, 0.5, recipes::Message0},
    {"MESSAGE1", 11025, 8, 8932, 0.5, recipes::Message1},
    {"MESSAGE2", 44100, 8, 28176, 0.5, recipes::Message2},
    {"NEW0", 11025, 8, 32812, 0.5, recipes::New0},
    {"NEW1", 22050, 16, 134704, 0.5, recipes::New1},
    {"OK", 11025, 8, 4456, 0.5, recipes::Ok},
    {"POP0", 22050, 16, 6412, 0.5, recipes::Pop0},
    {"POP1", 22050, 16, 12768, 0.5, recipes::Pop1},
    {"POP2", 22050, 16, 3236, 0.5, recipes::Pop2},
    {"POP3", 22050, 16, 6412, 0.5, recipes::Pop3},
    {"PRESS0", 44100, 8, 7436, 0.5, recipes::Press0},
    {"PRESS1", 44100, 8, 3788, 0.5, recipes::Press1},
    {"UP", 11025, 8, 7680, 0.3, recipes::Up},
};

constexpr std::size_t HeaderBytes = 44;
} // namespace

std::vector<std::string> SoundBank::Names() {
    std::vector<std::string> names;
    for (const Entry& entry : Table)
        names.emplace_back(entry.name);
    return names;
}

SoundBank::Sound SoundBank::Make(const std::string& name) {
    for (std::size_t i = 0; i < std::size(Table); ++i) {
        const Entry& entry = Table[i];
        if (name != entry.name)
            continue;
        const std::size_t samples = (entry.bytes - HeaderBytes) / (entry.bits / 8);
        Synth synth(entry.rate, samples, 0x9E3779B9u + static_cast<std::uint32_t>(i) * 7919u);
        entry.recipe(synth);
        return {entry.name, entry.rate, entry.bits, samples, synth.Finish(entry.peak)};
    }
    throw std::invalid_argument("no such sound: " + name);
}
