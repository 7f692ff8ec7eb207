// The settings file's text: what is kept, and what a hostile file is refused for.
#include <gtest/gtest.h>

#include <string>

#include "logic/Settings.h"

namespace {

using Logic::Settings;

TEST(Settings, WhatIsSavedReadsBackTheSame) {
    Settings saved;
    saved.fullscreen = true;
    saved.width = 1024;
    saved.height = 768;
    saved.musicVolume = 30;
    saved.effectsVolume = 0;
    saved.ghosts = false;
    saved.vsync = false;
    saved.frameLimit = 144;
    saved.textSize = 150;
    Settings read;
    std::string problem;
    ASSERT_TRUE(Settings::Parse(saved.Serialise(), read, problem)) << problem;
    EXPECT_TRUE(read.fullscreen);
    EXPECT_EQ(read.width, 1024);
    EXPECT_EQ(read.height, 768);
    EXPECT_EQ(read.musicVolume, 30);
    EXPECT_EQ(read.effectsVolume, 0);
    EXPECT_FALSE(read.ghosts);
    EXPECT_FALSE(read.vsync);
    EXPECT_EQ(read.frameLimit, 144);
    EXPECT_EQ(read.textSize, 150);
    EXPECT_EQ(Settings().textSize, 100);
    EXPECT_EQ(Settings::NextTextSize(150), 100) << "round to the first";
    EXPECT_EQ(Settings::NextTextSize(125), 150);
    EXPECT_TRUE(Settings().ghosts) << "ghosts are shown until the player turns them off";
    EXPECT_TRUE(Settings().vsync) << "vsync paces the frames until the player turns it off";
    EXPECT_EQ(Settings().frameLimit, 0);
    EXPECT_EQ(Settings::StepDown(10), 0);
    EXPECT_EQ(Settings::StepDown(0), 100) << "round to the top";
}

TEST(Settings, AHostileFileIsRefusedWholeAndSaysWhy) {
    const struct {
        const char* name;
        const char* text;
        const char* said;
    } kCases[] = {
        {"truncated", "<Settings><MusicVolume>5", "XML"},
        {"not XML", "volume=11", "XML"},
        {"another root", "<Records/>", "root"},
        {"negative volume", "<Settings><MusicVolume>-10</MusicVolume></Settings>", "-10"},
        {"loud", "<Settings><EffectsVolume>110</EffectsVolume></Settings>", "110"},
        {"off the step", "<Settings><EffectsVolume>55</EffectsVolume></Settings>", "55"},
        {"NaN", "<Settings><MusicVolume>NaN</MusicVolume></Settings>", "NaN"},
        {"huge", "<Settings><Width>99999999999</Width><Height>600</Height></Settings>", "99999999999"},
        {"width alone", "<Settings><Width>800</Width></Settings>", "without the other"},
        {"not a yes or no", "<Settings><FullScreen>maybe</FullScreen></Settings>", "maybe"},
        {"ghosts not a yes or no", "<Settings><Ghosts>1</Ghosts></Settings>", "Ghosts \"1\""},
        {"unknown element", "<Settings><Gamma>2</Gamma></Settings>", "Gamma"},
        {"vsync not a yes or no", "<Settings><Vsync>on</Vsync></Settings>", "Vsync \"on\""},
        {"a frame limit not offered", "<Settings><FrameLimit>75</FrameLimit></Settings>",
         "FrameLimit \"75\""},
        {"a negative frame limit", "<Settings><FrameLimit>-60</FrameLimit></Settings>", "-60"},
        {"a frame limit in words", "<Settings><FrameLimit>sixty</FrameLimit></Settings>", "sixty"},
        {"an empty frame limit", "<Settings><FrameLimit/></Settings>", "FrameLimit \"\""},
        {"a text size not offered", "<Settings><TextSize>400</TextSize></Settings>", "TextSize \"400\""},
    };
    for (const auto& testCase : kCases) {
        Settings settings;
        settings.musicVolume = 40;
        std::string problem;
        EXPECT_FALSE(Settings::Parse(testCase.text, settings, problem)) << testCase.name;
        EXPECT_NE(problem.find(testCase.said), std::string::npos) << testCase.name << ": " << problem;
        EXPECT_EQ(settings.musicVolume, 40) << testCase.name << " left the settings alone";
    }
}

TEST(Settings, TheFrameLimitStepsRoundItsChoicesBothWays) {
    const struct {
        int from;
        int steps;
        int to;
    } kCases[] = {
        {60, 1, 120}, {144, 1, 240}, {240, 1, 0},   {0, 1, 60},  {60, -1, 0},
        {0, -1, 240}, {120, -1, 60}, {144, 5, 144}, {75, 1, 60}, {75, -1, 240},
    };
    for (const auto& testCase : kCases) {
        EXPECT_EQ(Settings::StepFrameLimit(testCase.from, testCase.steps), testCase.to)
            << testCase.from << " by " << testCase.steps;
    }
}

}  // namespace
