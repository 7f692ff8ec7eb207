// The player's settings at work: read from "settings.xml" as the game starts, applied to the
// display, the sound and the frame pacer at the first level, and saved whenever one changes.
#pragma once

#include "logic/PlayerFile.h"
#include "logic/Settings.h"

namespace ZELM {
class DynamicCaller;
}

namespace Logic {

class PlayerSettings {
public:
    // Calls on "Engine" through the game flow: the window, the graphics, the audio.
    explicit PlayerSettings(ZELM::DynamicCaller& engine) : engine(engine) {}

    // From now on the file is read and written; without it (tools, tests of one level) the
    // settings are not touched.
    void KeepFile() { keepsFile = true; }
    // A damaged file is reported and the defaults stay until the next save replaces it.
    void Load();
    // Applies the settings the first time a level starts, when every service is ready.
    void ApplyOnce();
    // Writes the display and volumes as they are now.
    void Save();

    bool IsShowingGhosts() const { return settings.ghosts; }
    void SetShowGhosts(bool show);
    // True when the swap now waits for the display.
    bool IsUsingVsync() const { return settings.vsync; }
    bool SetUseVsync(bool on);
    // One of Settings::kFrameLimits; another is refused with a report.
    int GetFrameLimit() const { return settings.frameLimit; }
    void SetFrameLimit(int framesPerSecond);
    // One of Settings::kTextSizes, in percent; another is refused with a report.
    int GetTextSize() const { return settings.textSize; }
    void SetTextSize(int percent);

    bool IsReducingFlashing() const { return settings.reducedFlashing; }
    void SetReduceFlashing(bool reduce);
    // Percent, one of 50, 60, ... 100; another is refused with a report.
    int GetGameSpeed() const { return settings.gameSpeed; }
    void SetGameSpeed(int percent);

private:
    void ApplyFlashing();
    void ApplyResolution(int width, int height);
    // Asks the display for the vsync setting; true when the swap now waits for it.
    bool ApplyVsync();
    void ApplyFrameLimit();
    void ApplyControls();
    void ApplyTextSize();

    ZELM::DynamicCaller& engine;
    Settings settings;
    PlayerFile file{"settings.xml"};
    bool keepsFile = false;
    bool applied = false;
};

}  // namespace Logic
