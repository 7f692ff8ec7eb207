// The best run of each level: recorded while the level is played, kept beside the records as
// replays/LEVEL.replay when its time becomes the level's best, and shown the next time the level
// is played as a ghost that moves as the player moved then. The ghost only ever follows its path:
// it has no body, touches nothing and makes no sound.
#pragma once

#include <set>
#include <string>

#include "engine/EntityHandle.h"
#include "logic/RunPath.h"

namespace ZELM {
class DynamicCaller;
}

namespace Logic {

class BestRun {
public:
    // The entity the ghost is drawn as, and the archetype it is made from.
    static constexpr const char* kGhostName = "BestRunGhost";
    static constexpr const char* kGhostArchetype = "ghost";

    // Calls on "Engine" through the game flow: the replay service, the entities, the editor.
    explicit BestRun(ZELM::DynamicCaller& engine) : engine(engine) {}

    // A level that keeps best runs began: records it, and shows its best run's ghost when asked to.
    void Begin(const std::string& level, bool showGhost);
    // A level that keeps none began, or the run stopped counting.
    void Stop();
    // At the start of every tick, before anything moves: notes where the player ended the last
    // tick and moves the ghost to where its player was at the end of this one. The ghost waits
    // while the pause menu is open.
    void Step(const ZELM::EntityHandle& player, bool paused);
    // The run's time became the level's best: kept once the tick after the goal's is over, so
    // playing the replay back shows the finish.
    void Keep(float seconds);
    // The level ends: a run waiting to be kept is kept now.
    void End(const ZELM::EntityHandle& player);

    bool HasGhost() const { return ghost.IsAlive(); }
    // The ghost's place, while one is drawn.
    bool GetGhostPosition(float& x, float& y) const;
    // The ghost's run's time in seconds, 0 without a ghost.
    float GetGhostSeconds() const { return HasGhost() ? ghostPath.GetFinishSeconds() : 0.0f; }

    // The player's file of a level's best run, "" for a name that would leave the replays folder.
    static std::string FileName(const std::string& level);
    // Seconds after minus seconds before, to the clock's millisecond, as "+1.200" or "-0.734".
    static std::string Difference(float seconds, float ghostSeconds);

private:
    void Record(const ZELM::EntityHandle& player);
    void Write();
    void ShowGhost();
    void RemoveGhost();
    void MoveGhost();

    ZELM::DynamicCaller& engine;
    std::string level;  // "" while nothing is recorded
    RunPath recording;
    RunPath::Pose lastPose;
    int frame = 0;  // ticks since the level began
    int framesUntilKept = 0;  // 0: no run waits to be kept
    RunPath ghostPath;
    ZELM::EntityHandle ghost;
    std::size_t ghostFrame = 0;
    std::set<std::string> reported;  // files whose fault was reported: once a run of the game
};

}  // namespace Logic
