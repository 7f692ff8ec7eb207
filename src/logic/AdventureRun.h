// The adventure played in this process: each level won and how long it took, for the result screen.
#pragma once

#include <string>
#include <vector>

namespace Logic {

class AdventureRun {
public:
    struct LevelTime {
        std::string level;
        float seconds = 0.0f;
    };

    // The first adventure level starts a new run; any other level carries on the run there is.
    static constexpr const char* kFirstLevel = "Level1";
    // The screen after the last adventure level in the level order.
    static constexpr const char* kResultScreen = "Win";

    void Start() { levels.clear(); }
    void AddLevel(const std::string& level, float seconds) { levels.push_back({level, seconds}); }

    bool IsEmpty() const { return levels.empty(); }
    // Only a run from the first level holds every level's time.
    bool IsWhole() const { return !levels.empty() && levels.front().level == kFirstLevel; }
    float TotalSeconds() const;
    const std::vector<LevelTime>& GetLevels() const { return levels; }

    // The run in the player's words, a line each: the total, then each level's time for a whole run.
    std::vector<std::string> Summary() const;
    // "Level1" as "Level 1", "TimeAttack" as "Time Attack".
    static std::string DisplayName(const std::string& level);

private:
    std::vector<LevelTime> levels;
};

}  // namespace Logic
