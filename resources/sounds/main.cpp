// Writes the program's WAVE sounds into the folder named by the one argument.
#include "SoundBank.h"
#include "WaveFile.h"

#include <filesystem>
#include <iostream>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const std::string& name : SoundBank::Names()) {
        const SoundBank::Sound sound = SoundBank::Make(name);
        const std::string path = (folder / (name + ".wav")).string();
        if (!WaveFile::Write(path, sound.rate, sound.bits, sound.data)) {
            std::cerr << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
