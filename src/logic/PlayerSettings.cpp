// Reading, applying and saving the player's settings.
#include "logic/PlayerSettings.h"

#include <utility>

#include "engine/Engine.h"
#include "engine/ProblemReport.h"
#include "logic/ScreenText.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

void PlayerSettings::Load() {
    if (!keepsFile) {
        return;
    }
    std::string text;
    std::string problem;
    if (!file.Read(text, problem) && problem.empty()) {
        return;  // a new player
    }
    if (problem.empty() && Settings::Parse(text, settings, problem)) {
        if (!problem.empty()) {
            ZELM_PROBLEM("Logic::PlayerSettings::Load",
                         "The controls in the settings file \"%s\" cannot be used: %s. The game starts with its "
                         "own controls, and the next change in the options replaces them.",
                         file.GetPath().c_str(), problem.c_str());
        }
        ApplyControls();
        return;
    }
    ZELM_PROBLEM("Logic::PlayerSettings::Load",
                 "The settings file \"%s\" cannot be used: %s. The game starts with the default settings, "
                 "and the next change in the options replaces the file.",
                 file.GetPath().c_str(), problem.c_str());
}

// A full screen asked for on the command line stays: the file only ever turns it on.
void PlayerSettings::ApplyOnce() {
    if (!keepsFile || applied) {
        return;
    }
    applied = true;
    if (engine.IsBound("SetMusicVolume")) {
        engine.Call("SetMusicVolume", settings.musicVolume);
        engine.Call("SetEffectsVolume", settings.effectsVolume);
    }
    if (settings.fullscreen && engine.IsBound("IsFullscreen") && !engine.Call<bool>("IsFullscreen")) {
        engine.Call("ToggleFullscreen");
    }
    if (settings.width != 0) {
        ApplyResolution(settings.width, settings.height);
    }
    ApplyVsync();
    ApplyFrameLimit();
    ApplyFlashing();
    ApplyTextSize();
}

void PlayerSettings::ApplyFlashing() {
    if (engine.IsBound("SetReducedFlashing")) {
        engine.Call("SetReducedFlashing", settings.reducedFlashing);
    }
}

void PlayerSettings::SetReduceFlashing(bool reduce) {
    settings.reducedFlashing = reduce;
    ApplyFlashing();
    Save();
}

void PlayerSettings::SetGameSpeed(int percent) {
    if (!Settings::IsGameSpeed(percent)) {
        ZELM_PROBLEM("Logic::PlayerSettings::SetGameSpeed",
                     "%d%% is not a game speed the options offer: 50%% to 100%% in steps of 10%%.", percent);
        return;
    }
    settings.gameSpeed = percent;
    Save();
}

void PlayerSettings::ApplyTextSize() {
    if (engine.IsBound("SetPanelTextSize")) {
        engine.Call("SetPanelTextSize", static_cast<float>(settings.textSize) / 100.0f);
    }
}

bool PlayerSettings::ApplyVsync() {
    return engine.IsBound("SetVsync") && engine.Call<bool>("SetVsync", settings.vsync);
}

// The pacer belongs to the engine's loop; tools and tests that run no engine have none to pace.
void PlayerSettings::ApplyFrameLimit() {
    if (ZELM::Engine::Exists()) {
        ZELM::Engine::Instance().GetPacer().SetLimit(settings.frameLimit);
    }
}

// The display offers its resolutions in a ring: the saved one is looked for once round it, and
// a display without it ends where it began.
void PlayerSettings::ApplyResolution(int width, int height) {
    if (!engine.IsBound("ToggleResolution")) {
        return;
    }
    auto size = [this] {
        return std::make_pair(static_cast<int>(ScreenText::ScreenWidth(engine)),
                              static_cast<int>(ScreenText::ScreenHeight(engine)));
    };
    const auto start = size();
    constexpr int kMostModes = 64;
    for (int step = 0; step < kMostModes && size() != std::make_pair(width, height); ++step) {
        engine.Call("ToggleResolution");
        if (size() == start) {
            return;
        }
    }
}

// The input service holds the controls at work; tools without one keep the file's.
void PlayerSettings::ApplyControls() {
    if (engine.IsBound("SetControls")) {
        engine.Call("SetControls", settings.controls);
    }
}

void PlayerSettings::Save() {
    if (!keepsFile) {
        return;
    }
    if (engine.IsBound("GetControls")) {
        settings.controls = engine.Call<Input::Controls>("GetControls");
    }
    settings.fullscreen = engine.IsBound("IsFullscreen") && engine.Call<bool>("IsFullscreen");
    settings.width = static_cast<int>(ScreenText::ScreenWidth(engine));
    settings.height = static_cast<int>(ScreenText::ScreenHeight(engine));
    if (engine.IsBound("GetMusicVolume")) {
        settings.musicVolume = engine.Call<int>("GetMusicVolume");
        settings.effectsVolume = engine.Call<int>("GetEffectsVolume");
    }
    file.Write(settings.Serialise());
}

void PlayerSettings::SetShowGhosts(bool show) {
    settings.ghosts = show;
    Save();
}

bool PlayerSettings::SetUseVsync(bool on) {
    settings.vsync = on;
    const bool waits = ApplyVsync();
    Save();
    return waits;
}

void PlayerSettings::SetTextSize(int percent) {
    if (!Settings::IsTextSize(percent)) {
        ZELM_PROBLEM("Logic::PlayerSettings::SetTextSize",
                     "%d%% is not a text size the options offer: 100, 125 or 150.", percent);
        return;
    }
    settings.textSize = percent;
    ApplyTextSize();
    Save();
}

void PlayerSettings::SetFrameLimit(int framesPerSecond) {
    if (!Settings::IsFrameLimit(framesPerSecond)) {
        // Only the console can ask for one the options do not offer.
        ZELM_PROBLEM("Logic::PlayerSettings::SetFrameLimit",
                     "%d frames a second is not a frame limit the options offer: 60, 120, 144, 240 or 0 "
                     "(none).",
                     framesPerSecond);
        return;
    }
    settings.frameLimit = framesPerSecond;
    ApplyFrameLimit();
    Save();
}

}  // namespace Logic
