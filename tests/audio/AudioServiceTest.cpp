// The sound service on SDL_mixer's dummy driver: the committed sounds, channels, restarts and volumes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <set>
#include <string>

#include <SDL_mixer.h>

#include "audio/AudioService.h"
#include "engine/PathTable.h"
#include "support/TestPaths.h"

namespace {

using Audio::AudioService;

std::atomic<int> finished[33];

void CountFinished(int channel) {
    if (channel >= 0 && channel < 33) {
        ++finished[channel];
    }
}

class AudioServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ZELM::PathTable::Instance().Set("Sounds", std::string(FALLWARD_SOUNDS) + "/");
        caller.SetName("Engine");
        audio.Bind();
        audio.Init();
        ASSERT_TRUE(audio.IsOpen()) << Mix_GetError();
        for (auto& count : finished) {
            count = 0;
        }
        Mix_ChannelFinished(CountFinished);
    }
    void TearDown() override {
        Mix_ChannelFinished(nullptr);
        ZELM::PathTable::DestroyInstance();
    }

    int Volume(int channel) { return Mix_Volume(channel, -1); }

    AudioService audio{true};
    ZELM::DynamicCaller caller;
};

TEST_F(AudioServiceTest, EverySoundOfTheTableLoadsAndTheSharedBeepIsLoadedTwice) {
    std::set<Mix_Chunk*> distinct;
    for (int index = 1; index <= AudioService::kSampleCount; ++index) {
        Mix_Chunk* sample = audio.GetSample(index);
        ASSERT_NE(sample, nullptr) << "sample " << index;
        EXPECT_GT(sample->alen, 0u) << "sample " << index;
        distinct.insert(sample);
    }
    EXPECT_EQ(distinct.size(), 15u);
    EXPECT_EQ(audio.GetSample(3)->alen, audio.GetSample(5)->alen);
    EXPECT_EQ(audio.GetSample(0), nullptr);
    EXPECT_EQ(audio.GetSample(16), nullptr);
}

TEST_F(AudioServiceTest, StartingMusicStopsEverythingAndPlaysTheTrackAtItsVolume) {
    caller.Call("PlayBGM", 1);
    caller.Call("PlayJump");
    EXPECT_TRUE(Mix_Playing(13));
    EXPECT_TRUE(Mix_Playing(1));
    EXPECT_EQ(Volume(13), 40);  // 80 of 255
    EXPECT_EQ(Volume(1), MIX_MAX_VOLUME);

    caller.Call("PlayBGM", 2);
    EXPECT_FALSE(Mix_Playing(13));
    EXPECT_FALSE(Mix_Playing(1));
    EXPECT_TRUE(Mix_Playing(14));
    EXPECT_EQ(Volume(14), 40);
    EXPECT_EQ(Mix_Playing(-1), 1);

    caller.Call("PlayBGM", 7);
    EXPECT_EQ(Mix_Playing(-1), 0);
    caller.Call("PlayBGM", -1);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(AudioServiceTest, PausingMutesTheMusicWithoutRestartingIt) {
    caller.Call("PlayBGM", 0);
    ASSERT_TRUE(Mix_Playing(2));
    finished[2] = 0;
    caller.Call("ToggleBGM", true);
    for (int channel : AudioService::kMusicChannels) {
        EXPECT_EQ(Volume(channel), 0) << channel;
    }
    EXPECT_TRUE(Mix_Playing(2));
    caller.Call("ToggleBGM", false);
    for (int channel : AudioService::kMusicChannels) {
        EXPECT_EQ(Volume(channel), 40) << channel;
    }
    EXPECT_TRUE(Mix_Playing(2));
    EXPECT_EQ(finished[2], 0) << "the track was stopped and started again";
}

TEST_F(AudioServiceTest, ARepeatedEffectRestartsOnItsOwnChannelInsteadOfOverlapping) {
    caller.Call("PlayButtonSelect");
    caller.Call("PlayButtonSelect");
    EXPECT_TRUE(Mix_Playing(4));
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(finished[4], 1);
    // Hover and refusal share a file but not a channel.
    caller.Call("PlayButtonHover");
    caller.Call("PlayButtonBad");
    EXPECT_TRUE(Mix_Playing(3));
    EXPECT_TRUE(Mix_Playing(5));
    caller.Call("HitCheckPoint");
    EXPECT_TRUE(Mix_Playing(12));
}

TEST(AudioServiceMissingSounds, TheGameGoesOnSilentlyWhenNoSoundLoads) {
    ZELM::PathTable::Instance().Set("Sounds", "/nonexistent/fallward/");
    AudioService audio(true);
    ZELM::DynamicCaller caller;
    caller.SetName("Engine");
    audio.Bind();
    audio.Init();
    EXPECT_EQ(audio.GetSample(1), nullptr);
    caller.Call("PlayJump");
    caller.Call("PlayBGM", 0);
    caller.Call("ToggleBGM", true);
    EXPECT_EQ(Mix_Playing(-1), 0);
    ZELM::PathTable::DestroyInstance();
}

TEST(AudioServiceNoDevice, OneLineSaysSoundIsOffAndTheMixerRunsSilently) {
    // A driver that cannot open stands for a machine without a sound device.
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ZELM::PathTable::Instance().Set("Sounds", std::string(FALLWARD_SOUNDS) + "/");
    std::string said;
    {
        AudioService audio(false);
        testing::internal::CaptureStderr();
        audio.Init();
        said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(audio.IsOpen()) << "silent, but every call still runs";
        EXPECT_NE(audio.GetSample(1), nullptr);
    }
    ::unsetenv("SDL_AUDIODRIVER");
    ZELM::PathTable::DestroyInstance();
    EXPECT_EQ(said.rfind("sound is off: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

}  // namespace
