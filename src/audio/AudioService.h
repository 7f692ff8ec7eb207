// The sound service: every sound loaded at start, each played on its own numbered channel.
#pragma once

#include <array>
#include <string>

#include "engine/Service.h"

struct Mix_Chunk;

namespace Audio {

class AudioService : public ZELM::Service {
public:
    // Headless runs mix on SDL's dummy driver, so every call still runs without a sound device.
    explicit AudioService(bool headless = false) : headless(headless) {}
    ~AudioService() override;

    void Bind() override;
    // Opens the mixer and loads the samples from the "Sounds" directory; a sample that does not
    // load stays silent and the game goes on.
    void Init() override;
    void Update(float dt) override { UpdateComponents(dt); }

    // Bound by name.
    void PlayJump() { Play(1); }
    void PlayButtonHover() { Play(3); }
    void PlayButtonSelect() { Play(4); }
    void PlayButtonBad() { Play(5); }
    void PlayButtonHowTo() { Play(6); }
    void PlayChangeGrav() { Play(7); }
    void PlayPhaseSnd() { Play(8); }
    void PlayChangeGrav2() { Play(9); }
    void PlaySpawn() { Play(10); }
    void PlayWin() { Play(11); }
    void HitCheckPoint() { Play(12); }
    // Stops every channel, then starts music track 0 to 3 (any other number only stops).
    void PlayBGM(int track);
    // Silences the music channels while paused and restores them after, without restarting the track.
    void ToggleBGM(bool paused);
    // The player's volumes in percent, clamped to 0 to 100: music scales the tracks' own volume,
    // effects every other sound.
    void SetMusicVolume(int percent);
    void SetEffectsVolume(int percent);
    int GetMusicVolume() { return musicPercent; }
    int GetEffectsVolume() { return effectsPercent; }

    static constexpr int kSampleCount = 15;
    static constexpr int kMusicVolume = 80;  // of 255
    static constexpr int kMusicChannels[4] = {2, 13, 14, 15};

    // The sample loaded for a channel (1 to 15), null when it did not load.
    Mix_Chunk* GetSample(int index) const;
    bool IsOpen() const { return open; }
    // A volume of 0 to 255 on the mixer's 0 to 128 scale.
    static int MixerVolume(int volume);

private:
    void Play(int index);
    static bool IsMusicChannel(int index);
    // The mixer volume of the music channels at the player's music volume.
    int MusicMixerVolume() const;
    bool OpenMixer(bool dummy);

    bool headless;
    int musicPercent = 100;
    int effectsPercent = 100;
    bool started = false;
    bool open = false;
    std::string openError;  // SDL's reason when the mixer last failed to open
    std::array<Mix_Chunk*, kSampleCount + 1> samples{};  // by channel; 0 unused
};

}  // namespace Audio
