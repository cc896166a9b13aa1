#pragma once

#include <QString>

// The one sound channel of the program, in place of PlaySoundA with SND_RESOURCE:
// sounds are WAVE resources found by name (platform::resources::Wave).
namespace platform::sound {

constexpr unsigned SND_SYNC = 0x0000;  // returns when the sound has ended
constexpr unsigned SND_ASYNC = 0x0001; // returns at once; cuts off the sound playing
constexpr unsigned SND_NODEFAULT = 0x0002;
constexpr unsigned SND_NOSTOP = 0x0010; // drops the sound while another one plays
constexpr unsigned SND_RESOURCE = 0x00040004;

// True when the sound was started (or played, for SND_SYNC). No device or no such
// resource gives silence and false. The audio device is opened on the first call.
bool PlaySoundA(const QString& name, unsigned flags);

// True while a sound is still being played.
bool IsPlaying();

// Stops the sound and closes the audio device; the next PlaySoundA opens it again (with
// the SDL_AUDIODRIVER of that moment).
void CloseDevice();

} // namespace platform::sound
