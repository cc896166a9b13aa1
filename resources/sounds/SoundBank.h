#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The program's WAVE sounds: their resource names, formats and lengths, and how each is
// made.
class SoundBank {
public:
    struct Sound {
        std::string name;
        int rate;
        int bits;
        std::size_t samples;
        std::vector<float> data; // in [-1, 1]
    };

    static std::vector<std::string> Names();
    static Sound Make(const std::string& name);
};
