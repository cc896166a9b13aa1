#pragma once

#include <string>
#include <vector>

// Writes one-channel PCM WAVE files: 8-bit unsigned or 16-bit signed samples.
class WaveFile {
public:
    // Samples are in [-1, 1]; anything beyond is clamped. False when the file cannot be
    // written.
    static bool Write(const std::string& path, int rate, int bits,
                      const std::vector<float>& samples);
};
