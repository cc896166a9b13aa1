#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {
void PutU16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}
} // namespace

bool WaveFile::Write(const std::string& path, int rate, int bits,
                     const std::vector<float>& samples) {
    const unsigned bytesPerSample = bits == 16 ? 2 : 1;
    std::string data;
    data.reserve(samples.size() * bytesPerSample);
    for (float sample : samples) {
        const double x = std::clamp(static_cast<double>(sample), -1.0, 1.0);
        if (bits == 16) {
            const long value = std::lround(x * 32767.0);
            PutU16(data, static_cast<unsigned>(value) & 0xFFFF);
        } else {
            data.push_back(static_cast<char>(128 + std::lround(x * 127.0)));
        }
    }
    const bool pad = data.size() % 2 != 0; // RIFF chunks are word aligned

    std::string file;
    file += "RIFF";
    PutU32(file, static_cast<std::uint32_t>(36 + data.size() + (pad ? 1 : 0)));
    file += "WAVEfmt ";
    PutU32(file, 16);
    PutU16(file, 1); // PCM
    PutU16(file, 1); // one channel
    PutU32(file, static_cast<std::uint32_t>(rate));
    PutU32(file, static_cast<std::uint32_t>(rate) * bytesPerSample);
    PutU16(file, bytesPerSample);
    PutU16(file, static_cast<unsigned>(bits));
    file += "data";
    PutU32(file, static_cast<std::uint32_t>(data.size()));
    file += data;
    if (pad)
        file.push_back('\0');

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}
