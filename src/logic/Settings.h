// The player's settings, kept between runs: the display and its pacing, the two volumes and the
// ghosts. Read from and written to text here; the game flow keeps the file and applies them.
#pragma once

#include <string>

#include "input/Controls.h"

namespace Logic {

class Settings {
public:
    // Volumes are percentages in steps of this.
    static constexpr int kVolumeStep = 10;
    // Window sizes outside these are no display a player chose.
    static constexpr int kSmallestSide = 200;
    static constexpr int kLargestSide = 16384;
    // The frame limits a player can choose, in the order the option steps through them; 0 is none.
    static constexpr int kFrameLimits[] = {60, 120, 144, 240, 0};
    // The game speeds a player can choose, percentages in steps of kGameSpeedStep.
    static constexpr int kSlowestGameSpeed = 50;
    static constexpr int kGameSpeedStep = 10;
    // The text sizes a player can choose, in percent, in the order the option steps through them.
    static constexpr int kTextSizes[] = {100, 125, 150};

    // Reads the settings from a file's text. The file comes from outside the game: anything but
    // well-formed settings with sizes, volumes and a frame limit in range is refused whole, with the
    // reason in `problem`, and `settings` is left as it was. A bad binding costs the player only
    // their controls: the rest is read, the controls are the game's own, and `problem` says why.
    static bool Parse(const std::string& text, Settings& settings, std::string& problem);
    std::string Serialise() const;

    // The next volume down (ENTER on the option): 10% less, from 0% round to 100%.
    static int StepDown(int percent) { return percent <= 0 ? 100 : percent - kVolumeStep; }
    static bool IsFrameLimit(int framesPerSecond);
    // The frame limit `steps` places on from `framesPerSecond` in kFrameLimits, round either end; a
    // value that is no choice counts as none.
    static int StepFrameLimit(int framesPerSecond, int steps);
    static bool IsTextSize(int percent);
    // The next text size after `percent`, round to the first; a value that is no choice gives the first.
    static int NextTextSize(int percent);
    static bool IsGameSpeed(int percent);
    // The game speed `steps` steps of 10% faster, held to 50% to 100%.
    static int StepGameSpeed(int percent, int steps);
    // ENTER on the game speed: 10% slower, from 50% round to 100%.
    static int StepGameSpeedDown(int percent);

    bool fullscreen = false;
    int width = 0;  // 0: the window the game opens with
    int height = 0;
    int musicVolume = 100;
    int effectsVolume = 100;
    bool ghosts = true;  // the best run of a level shown as a ghost
    bool vsync = true;
    int frameLimit = 0;  // frames a second at most, vsync or not; 0: none
    int textSize = 100;  // percent: the instructions, notices and clock drawn that much larger
    bool reducedFlashing = false;  // whole-screen brightness changes kept small
    int gameSpeed = 100;           // percent of real time a tick of play takes 1000/60 ms of
    Input::Controls controls;
    // More binding elements than this is no file the game wrote.
    static constexpr int kMostBindings = 4 * Input::Controls::kCount;
};

}  // namespace Logic
