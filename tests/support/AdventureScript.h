// Input scripts that play whole games through the menus: the adventure's solutions chained from the
// splash to the result screen, with the frames such a run needs.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ZELMTest {

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A key pressed in `frame` and let go in the next.
inline std::string Press(const std::string& key, int frame) {
    return std::to_string(frame) + " down " + key + "\n" + std::to_string(frame + 1) + " up " + key + "\n";
}

// The keys a screen takes, counted from its first frame.
inline std::string OnScreen(const std::string& level, const std::string& keys) {
    return "level " + level + "\n" + keys;
}

// A level's solution, read now (solutions change with their levels), its frames counted from the
// level's first frame.
inline std::string Solution(const std::string& solutions, const std::string& level) {
    return OnScreen(level, ReadWholeFile(solutions + "/" + level + ".input"));
}

// Frames enough for a chained script: each part's last frame, and a few seconds beyond each for
// reaching the goal and changing levels.
inline int LongestRun(const std::string& script) {
    constexpr int kSlack = 600;
    int frames = kSlack;
    std::istringstream lines(script);
    int partLast = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("level ", 0) == 0) {
            frames += partLast + kSlack;
            partLast = 0;
        } else {
            partLast = std::max(partLast, std::atoi(line.c_str()));
        }
    }
    return frames + partLast + kSlack;
}

// The adventure's levels, in the order the game plays them: between the mode menu and the result.
inline std::vector<std::string> AdventureLevels(const std::string& game) {
    std::vector<std::string> levels;
    std::istringstream order(ReadWholeFile(game + "/Resources/Levels/order.txt"));
    bool inAdventure = false;
    for (std::string name; std::getline(order, name);) {
        name.erase(name.find_last_not_of(" \r") + 1);
        if (name == "Win") {
            break;
        }
        if (inAdventure && !name.empty()) {
            levels.push_back(name);
        }
        inAdventure = inAdventure || name == "GameMenu";
    }
    return levels;
}

// The whole adventure from the splash: ENTER through the splash, the main menu and the mode menu,
// then every level's solution in the game's order.
inline std::string AdventureFromTheSplash(const std::string& game, const std::string& solutions) {
    std::string script =
        Press("ENTER", 10) + OnScreen("Menu", Press("ENTER", 10)) + OnScreen("GameMenu", Press("ENTER", 10));
    for (const std::string& level : AdventureLevels(game)) {
        script += Solution(solutions, level);
    }
    return script;
}

}  // namespace ZELMTest
