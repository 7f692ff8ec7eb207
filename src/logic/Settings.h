// The player's settings, kept between runs: the display, the two volumes and the ghosts. Read from and
// written to text here; the game flow keeps the file and applies them.
#pragma once

#include <string>

namespace Logic {

class Settings {
public:
    // Volumes are percentages in steps of this.
    static constexpr int kVolumeStep = 10;
    // Window sizes outside these are no display a player chose.
    static constexpr int kSmallestSide = 200;
    static constexpr int kLargestSide = 16384;

    // Reads the settings from a file's text. The file comes from outside the game: anything but
    // well-formed settings with sizes and volumes in range is refused whole, with the reason in
    // `problem`, and `settings` is left as it was.
    static bool Parse(const std::string& text, Settings& settings, std::string& problem);
    std::string Serialise() const;

    // The next volume down (ENTER on the option): 10% less, from 0% round to 100%.
    static int StepDown(int percent) { return percent <= 0 ? 100 : percent - kVolumeStep; }

    bool fullscreen = false;
    int width = 0;  // 0: the window the game opens with
    int height = 0;
    int musicVolume = 100;
    int effectsVolume = 100;
    bool ghosts = true;  // the best run of a level shown as a ghost
};

}  // namespace Logic
