// Where a run's player was at the end of each tick from the level's start, and the run's time:
// what a ghost of the run follows. Kept as lines of the run's replay file, which playing the
// replay back skips.
#pragma once

#include <string>
#include <vector>

namespace Logic {

class RunPath {
public:
    struct Pose {
        float x = 0.0f;
        float y = 0.0f;
        float gx = 0.0f;  // the pull that turns the player's feet
        float gy = 0.0f;
    };

    // No level is this large; a place beyond it is no place a player reached.
    static constexpr float kFarthest = 1.0e6f;

    // Reads the "at" and "finish" lines of a replay's text, leaving its other lines to the replay.
    // The text comes from the player's files: a path with a bad, missing or out-of-order line, or
    // without a finish time, is refused whole with the reason in `problem`.
    static bool Parse(const std::string& text, RunPath& path, std::string& problem);
    // The lines Parse reads: "at TICK X Y GX GY" a tick, then "finish SECONDS".
    std::string Serialise() const;

    void Add(const Pose& pose) { poses.push_back(pose); }
    void Clear() { *this = RunPath(); }
    // Keeps the first `frames` ticks only.
    void Truncate(std::size_t frames);
    std::size_t GetFrameCount() const { return poses.size(); }
    // The pose at the end of tick `frame` (from 1), the last one after the run ended; false
    // for an empty path.
    bool GetPose(std::size_t frame, Pose& pose) const;

    float GetFinishSeconds() const { return finishSeconds; }
    void SetFinishSeconds(float seconds) { finishSeconds = seconds; }

private:
    std::vector<Pose> poses;
    float finishSeconds = 0.0f;
};

}  // namespace Logic
