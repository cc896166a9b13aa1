#include "Sound.h"

#include "Resources.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <map>
#include <vector>

namespace platform::sound {
namespace {

// Every sound is converted once to the device's format, so that the audio callback only
// copies bytes.
constexpr int DeviceRate = 44100;
constexpr SDL_AudioFormat DeviceFormat = AUDIO_S16SYS;
constexpr int DeviceChannels = 1;
constexpr int BytesPerSecond = DeviceRate * DeviceChannels * 2;

using Samples = std::vector<Uint8>;

// Decodes a WAVE resource into the device's format; empty when it cannot.
Samples Decode(const QByteArray& wave) {
    if (wave.isEmpty())
        return {};
    SDL_AudioSpec decoded{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(wave.constData(), static_cast<int>(wave.size()));
    if (!source || !SDL_LoadWAV_RW(source, 1, &decoded, &buffer, &length))
        return {};
    Samples out;
    SDL_AudioStream* stream = SDL_NewAudioStream(decoded.format, decoded.channels, decoded.freq,
                                                 DeviceFormat, DeviceChannels, DeviceRate);
    if (stream && SDL_AudioStreamPut(stream, buffer, static_cast<int>(length)) == 0 &&
        SDL_AudioStreamFlush(stream) == 0) {
        out.resize(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream)));
        const int got = SDL_AudioStreamGet(stream, out.data(), static_cast<int>(out.size()));
        out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    if (stream)
        SDL_FreeAudioStream(stream);
    SDL_FreeWAV(buffer);
    return out;
}

// The program's one audio device and the sound it plays. PlaySoundA runs on the UI
// thread; the callback runs on SDL's audio thread, and both meet under the device lock.
class Channel {
public:
    static Channel& Instance() {
        static Channel channel;
        return channel;
    }

    ~Channel() { Close(); }

    bool Play(const QString& name, unsigned flags) {
        // A device that has gone away (unplugged, server stopped) plays nothing.
        if (!Open() || SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_PLAYING)
            return false;
        const Samples* sound = Find(name);
        if (!sound)
            return false; // a missing sound leaves the playing one alone

        SDL_LockAudioDevice(device_);
        const bool busy = playing_ != nullptr;
        const bool start = !(busy && (flags & SND_NOSTOP));
        if (start) {
            playing_ = sound;
            position_ = 0;
        }
        SDL_UnlockAudioDevice(device_);
        if (!start)
            return false;
        if (flags & SND_ASYNC)
            return true;
        return WaitUntilEnded(*sound);
    }

    bool Playing() {
        if (!device_)
            return false;
        SDL_LockAudioDevice(device_);
        const bool playing = playing_ != nullptr;
        SDL_UnlockAudioDevice(device_);
        return playing;
    }

    void Close() {
        if (device_) {
            SDL_CloseAudioDevice(device_);
            device_ = 0;
            playing_ = nullptr;
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        tried_ = false;
    }

private:
    Channel() = default;

    // Opens the device once; after a failure the program stays silent until Close.
    bool Open() {
        if (device_)
            return true;
        if (tried_)
            return false;
        tried_ = true;
        // The audio subsystem brings SDL's event subsystem with it, which would take over
        // SIGINT and SIGTERM; the program handles those itself.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "The Crayvex");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        SDL_AudioSpec wanted{};
        wanted.freq = DeviceRate;
        wanted.format = DeviceFormat;
        wanted.channels = DeviceChannels;
        wanted.samples = 1024;
        wanted.callback = &Channel::Callback;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the hardware wants.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (!device_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    // The decoded sound of that name, or null when there is no such resource.
    const Samples* Find(const QString& name) {
        const QString key = name.toUpper();
        auto it = cache_.find(key);
        if (it == cache_.end())
            it = cache_.emplace(key, Decode(resources::Wave(key))).first;
        return it->second.empty() ? nullptr : &it->second;
    }

    // Blocks until the sound has been played, as the synchronous call does, but gives up
    // when the device stops or stalls, so that the program never hangs on it.
    bool WaitUntilEnded(const Samples& sound) {
        using Clock = std::chrono::steady_clock;
        const auto length = std::chrono::milliseconds(
            1000LL * static_cast<long long>(sound.size()) / BytesPerSecond);
        const auto deadline = Clock::now() + length + std::chrono::seconds(2);
        while (Playing()) {
            if (Clock::now() > deadline || SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_PLAYING) {
                SDL_LockAudioDevice(device_);
                playing_ = nullptr;
                SDL_UnlockAudioDevice(device_);
                return false;
            }
            SDL_Delay(5);
        }
        return true;
    }

    static void SDLCALL Callback(void* user, Uint8* stream, int length) {
        auto* self = static_cast<Channel*>(user);
        SDL_memset(stream, 0, static_cast<std::size_t>(length)); // silence in signed 16-bit
        if (!self->playing_)
            return;
        const std::size_t left = self->playing_->size() - self->position_;
        const std::size_t count = std::min(left, static_cast<std::size_t>(length));
        SDL_memcpy(stream, self->playing_->data() + self->position_, count);
        self->position_ += count;
        if (self->position_ >= self->playing_->size())
            self->playing_ = nullptr;
    }

    SDL_AudioDeviceID device_ = 0;
    bool tried_ = false;
    // Decoded sounds by resource name. A map, so that the sound being played never moves
    // when another one is added.
    std::map<QString, Samples> cache_;
    const Samples* playing_ = nullptr; // guarded by the device lock
    std::size_t position_ = 0;         // guarded by the device lock
};

} // namespace

bool PlaySoundA(const QString& name, unsigned flags) {
    return Channel::Instance().Play(name, flags);
}

bool IsPlaying() {
    return Channel::Instance().Playing();
}

void CloseDevice() {
    Channel::Instance().Close();
}

} // namespace platform::sound
