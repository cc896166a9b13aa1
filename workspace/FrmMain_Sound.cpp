// The workspace's sound effects: a random WAVE resource of a sound kind.
#include "Arithmetic.h"
#include "FrmMain.h"
#include "Random.h"
#include "Sound.h"

namespace sound = platform::sound;

namespace {
// In the background, no default sound; cuts off the sound that plays.
constexpr unsigned NormalFlags = sound::SND_RESOURCE | sound::SND_NODEFAULT | sound::SND_ASYNC;
// As normal, but dropped while another sound plays, so pops never cut a longer sound off.
constexpr unsigned PopFlags = NormalFlags | sound::SND_NOSTOP;

// Stem and index, the index drawn as the whole part of rnd × count.
QString Pick(const char* stem, int count, const std::function<float()>& rnd) {
    return QLatin1String(stem) + QString::number(platform::Floor(rnd() * float(count)));
}
} // namespace

FrmMain::SoundFX FrmMain::ChooseSoundFX(long Kind, const std::function<float()>& rnd) {
    switch (Kind) {
    case 0:
        return {Pick("POP", 4, rnd), PopFlags};
    case 1:
        if (platform::Floor(rnd() * 2.0f) == 0)
            return {Pick("B", 6, rnd), NormalFlags};
        return {Pick("MESSAGE", 3, rnd), NormalFlags};
    case 4:
        if (platform::Floor(rnd() * 2.0f) == 0)
            return {Pick("PRESS", 2, rnd), NormalFlags};
        return {Pick("B", 6, rnd), NormalFlags};
    case 5:
        return {Pick("NEW", 2, rnd), NormalFlags};
    default:
        return {}; // kinds 2 and 3, and any other, are silent
    }
}

void FrmMain::PlaySoundFX(long Kind) {
    platform::Randomize(); // reseeded on every call, also when no sound plays
    if (!PlaySounds)
        return;
    const SoundFX fx = ChooseSoundFX(Kind, platform::Rnd);
    if (!fx.name.isEmpty())
        sound::PlaySoundA(fx.name, fx.flags); // a missing sound is silence
}
