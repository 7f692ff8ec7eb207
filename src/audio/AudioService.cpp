// Sound effects and music on SDL_mixer, one fixed channel per sound.
#include "audio/AudioService.h"

#include <fcntl.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <string>

#include "engine/PathTable.h"

namespace Audio {
namespace {

struct SampleFile {
    int index;
    const char* file;
    bool looping;
};

// In loading order; "Beep24.wav" is loaded twice, for the hover and the refusal sounds.
constexpr SampleFile kSampleFiles[AudioService::kSampleCount] = {
    {1, "jump.wav", false},
    {2, "olsodabones.ogg", true},
    {13, "zol2.ogg", true},
    {14, "cloudyzol.ogg", true},
    {15, "bisquedrums.ogg", true},
    {3, "Beep24.wav", false},
    {4, "Beep11.wav", false},
    {5, "Beep24.wav", false},
    {6, "Beeps_Scan01.wav", false},
    {7, "Foosball_CenterSlide6.wav", false},
    {8, "Scifi_Forcefield_Disable1.wav", false},
    {9, "Foosball_CenterSlide4.wav", false},
    {10, "Magic_EnergyRingPass8.wav", false},
    {11, "Magic_EnergyRingPass1.wav", false},
    {12, "Magic_AirDomeOff1.wav", false},
};

constexpr int kMixChannels = 32;

bool IsLooping(int index) {
    for (const SampleFile& sample : kSampleFiles) {
        if (sample.index == index) {
            return sample.looping;
        }
    }
    return false;
}

// Runs the call with standard error sent to /dev/null. The sound libraries under SDL print pages of
// their own diagnostics when there is no device; the player gets one line from us instead.
template <typename F>
bool WithStderrQuiet(F&& call) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    const bool result = call();
    std::fflush(stderr);
    if (saved >= 0 && null >= 0) {
        dup2(saved, STDERR_FILENO);
    }
    if (null >= 0) {
        close(null);
    }
    if (saved >= 0) {
        close(saved);
    }
    return result;
}

}  // namespace

constexpr int AudioService::kMusicChannels[4];

AudioService::~AudioService() {
    if (open) {
        Mix_HaltChannel(-1);
    }
    for (Mix_Chunk*& sample : samples) {
        if (sample != nullptr) {
            Mix_FreeChunk(sample);
            sample = nullptr;
        }
    }
    if (open) {
        Mix_CloseAudio();
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void AudioService::Bind() {
    using ZELM::DynamicBinder;
    DynamicBinder::Bind("PlayJump", this, &AudioService::PlayJump);
    DynamicBinder::Bind("PlayBGM", this, &AudioService::PlayBGM);
    DynamicBinder::Bind("ToggleBGM", this, &AudioService::ToggleBGM);
    DynamicBinder::Bind("SetMusicVolume", this, &AudioService::SetMusicVolume);
    DynamicBinder::Bind("SetEffectsVolume", this, &AudioService::SetEffectsVolume);
    DynamicBinder::Bind("GetMusicVolume", this, &AudioService::GetMusicVolume);
    DynamicBinder::Bind("GetEffectsVolume", this, &AudioService::GetEffectsVolume);
    DynamicBinder::Bind("PlayButtonHover", this, &AudioService::PlayButtonHover);
    DynamicBinder::Bind("PlayButtonSelect", this, &AudioService::PlayButtonSelect);
    DynamicBinder::Bind("PlayButtonBad", this, &AudioService::PlayButtonBad);
    DynamicBinder::Bind("PlayButtonHowTo", this, &AudioService::PlayButtonHowTo);
    DynamicBinder::Bind("PlayChangeGrav", this, &AudioService::PlayChangeGrav);
    DynamicBinder::Bind("PlayPhaseSnd", this, &AudioService::PlayPhaseSnd);
    DynamicBinder::Bind("PlayChangeGrav2", this, &AudioService::PlayChangeGrav2);
    DynamicBinder::Bind("PlaySpawn", this, &AudioService::PlaySpawn);
    DynamicBinder::Bind("PlayWin", this, &AudioService::PlayWin);
    DynamicBinder::Bind("HitCheckPoint", this, &AudioService::HitCheckPoint);
}

bool AudioService::OpenMixer(bool dummy) {
    if (dummy) {
        // Over SDL_AUDIODRIVER too: a driver named there that does not work must not keep the
        // silent mixer from opening.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    }
    started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    open = started && Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
    if (!open) {
        openError = SDL_GetError();
    }
    if (started && !open) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        started = false;
    }
    return open;
}

void AudioService::Init() {
    // Without a sound device (a desktop without one, a test under a virtual display) the mixer runs
    // silently on the dummy driver, so the calls behave the same.
    if (!headless && !WithStderrQuiet([this] { return OpenMixer(false); })) {
        std::fprintf(stderr, "sound is off: %s\n", openError.empty() ? "no sound device" : openError.c_str());
    }
    if (!open && !OpenMixer(true)) {
        return;
    }
    Mix_AllocateChannels(kMixChannels);
    const std::string directory = ZELM::PathTable::Instance().Get("Sounds");
    for (const SampleFile& sample : kSampleFiles) {
        samples[static_cast<std::size_t>(sample.index)] = Mix_LoadWAV((directory + sample.file).c_str());
    }
}

Mix_Chunk* AudioService::GetSample(int index) const {
    return index >= 1 && index <= kSampleCount ? samples[static_cast<std::size_t>(index)] : nullptr;
}

int AudioService::MixerVolume(int volume) {
    const int clamped = volume < 0 ? 0 : (volume > 255 ? 255 : volume);
    return (clamped * MIX_MAX_VOLUME + 127) / 255;
}

void AudioService::Play(int index) {
    Mix_Chunk* sample = GetSample(index);
    if (!open || sample == nullptr) {
        return;
    }
    if (!IsMusicChannel(index)) {
        Mix_Volume(index, MIX_MAX_VOLUME * effectsPercent / 100);
    }
    // A sound still playing on its channel is cut off and started again.
    Mix_PlayChannel(index, sample, IsLooping(index) ? -1 : 0);
}

void AudioService::PlayBGM(int track) {
    if (!open) {
        return;
    }
    Mix_HaltChannel(-1);
    if (track < 0 || track > 3) {
        return;
    }
    const int channel = kMusicChannels[track];
    Play(channel);
    Mix_Volume(channel, MusicMixerVolume());
}

void AudioService::ToggleBGM(bool paused) {
    if (!open) {
        return;
    }
    for (int channel : kMusicChannels) {
        Mix_Volume(channel, paused ? 0 : MusicMixerVolume());
    }
}

bool AudioService::IsMusicChannel(int index) {
    for (int channel : kMusicChannels) {
        if (channel == index) {
            return true;
        }
    }
    return false;
}

int AudioService::MusicMixerVolume() const { return MixerVolume(kMusicVolume) * musicPercent / 100; }

void AudioService::SetMusicVolume(int percent) {
    musicPercent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    if (open) {
        for (int channel : kMusicChannels) {
            Mix_Volume(channel, MusicMixerVolume());
        }
    }
}

void AudioService::SetEffectsVolume(int percent) {
    // Each effect takes the volume when it is next played.
    effectsPercent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
}

}  // namespace Audio
