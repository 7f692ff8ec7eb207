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
    saved.reducedFlashing = true;
    saved.gameSpeed = 60;
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
    EXPECT_TRUE(read.reducedFlashing);
    EXPECT_EQ(read.gameSpeed, 60);
    EXPECT_FALSE(Settings().reducedFlashing);
    EXPECT_EQ(Settings().gameSpeed, 100);
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
        {"an unknown flashing word", "<Settings><Flashing>some</Flashing></Settings>", "Flashing \"some\""},
        {"too slow", "<Settings><GameSpeed>40</GameSpeed></Settings>", "GameSpeed \"40\""},
        {"too fast", "<Settings><GameSpeed>150</GameSpeed></Settings>", "150"},
        {"a speed off the step", "<Settings><GameSpeed>75</GameSpeed></Settings>", "75"},
        {"a speed in words", "<Settings><GameSpeed>half</GameSpeed></Settings>", "half"},
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

// LEFT and RIGHT stop at either end; ENTER goes round from the slowest to full speed.
TEST(Settings, TheGameSpeedStepsByTenBetweenHalfAndFull) {
    const struct {
        int from;
        int steps;
        int to;
    } kCases[] = {{100, -1, 90}, {60, -1, 50}, {50, -1, 50}, {90, 1, 100}, {100, 1, 100}, {50, 3, 80}};
    for (const auto& testCase : kCases) {
        EXPECT_EQ(Settings::StepGameSpeed(testCase.from, testCase.steps), testCase.to)
            << testCase.from << " by " << testCase.steps;
    }
    EXPECT_EQ(Settings::StepGameSpeedDown(100), 90);
    EXPECT_EQ(Settings::StepGameSpeedDown(50), 100);
}

}  // namespace

namespace {

std::string WithControls(const std::string& bindings) {
    return "<Settings><MusicVolume>30</MusicVolume><Controls>" + bindings + "</Controls></Settings>";
}

TEST(SettingsControls, ChosenControlsReadBackTheSame) {
    Logic::Settings saved;
    saved.controls.BindKey(Input::Controls::kGravityUp, 23);
    saved.controls.BindKey(Input::Controls::kPhase, 42);
    saved.controls.BindPad(Input::Controls::kPhase, 19);
    Logic::Settings read;
    std::string problem;
    ASSERT_TRUE(Logic::Settings::Parse(saved.Serialise(), read, problem)) << problem;
    EXPECT_TRUE(problem.empty()) << problem;
    EXPECT_TRUE(read.controls == saved.controls);
}

// A hostile binding costs only the controls: they are the game's own, the rest of the file holds.
TEST(SettingsControls, AHostileBindingIsReportedAndTheControlsAreTheGamesOwn) {
    std::string thousands;
    for (int i = 0; i < 5000; ++i) {
        thousands += "<Key action=\"phase\" slot=\"1\">42</Key>";
    }
    const struct {
        const char* what;
        std::string bindings;
        const char* problemHas;
    } cases[] = {
        {"an unknown key", "<Key action=\"phase\" slot=\"1\">250</Key>", "phase"},
        {"a negative code", "<Key action=\"phase\" slot=\"1\">-42</Key>", "code"},
        {"an unknown action", "<Key action=\"fly\" slot=\"1\">42</Key>", "fly"},
        {"a slot that is none", "<Key action=\"phase\" slot=\"7\">42</Key>", "slot"},
        {"ENTER bound", "<Key action=\"phase\" slot=\"1\">28</Key>", "kept for the menus"},
        {"one key on two actions",
         "<Key action=\"phase\" slot=\"1\">42</Key><Key action=\"gravityup\" slot=\"1\">42</Key>", "bound twice"},
        {"thousands of entries", thousands, "more than"},
    };
    for (const auto& c : cases) {
        Logic::Settings read;
        std::string problem;
        ASSERT_TRUE(Logic::Settings::Parse(WithControls(c.bindings), read, problem)) << c.what;
        EXPECT_NE(problem.find(c.problemHas), std::string::npos) << c.what << ": " << problem;
        EXPECT_TRUE(read.controls == Input::Controls()) << c.what;
        EXPECT_EQ(read.musicVolume, 30) << c.what;
    }
}

}  // namespace
