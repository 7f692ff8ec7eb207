// Recording, keeping and showing a level's best run.
#include "logic/BestRun.h"

#include <cmath>
#include <cstdio>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/ProblemReport.h"
#include "logic/PlayerFile.h"

namespace Logic {
namespace {

// A best run's replay holds two lines a frame: an hour of play stays well under this.
constexpr std::size_t kLargestReplay = 16u << 20;

PlayerFile ReplayOf(const std::string& fileName) {
    return PlayerFile(fileName, kLargestReplay);
}

}  // namespace

std::string BestRun::FileName(const std::string& level) {
    if (level.empty() || level.find_first_of("/\\") != std::string::npos ||
        level.find("..") != std::string::npos) {
        return std::string();
    }
    return "replays/" + level + ".replay";
}

std::string BestRun::Difference(float seconds, float ghostSeconds) {
    const long ms = std::lround(static_cast<double>(seconds) * 1000.0) -
                    std::lround(static_cast<double>(ghostSeconds) * 1000.0);
    char text[32];
    std::snprintf(text, sizeof text, "%+.3f", static_cast<double>(ms) / 1000.0);
    return text;
}

void BestRun::Begin(const std::string& name, bool showGhost) {
    Stop();
    level = FileName(name).empty() ? std::string() : name;
    if (showGhost && !level.empty()) {
        ShowGhost();
    }
}

void BestRun::Stop() {
    RemoveGhost();
    level.clear();
    recording.Clear();
    lastPose = RunPath::Pose();
    frame = 0;
    framesUntilKept = 0;
}

void BestRun::Step(const ZELM::EntityHandle& player, bool paused) {
    if (level.empty()) {
        return;
    }
    if (engine.IsBound("GetEditorMode") && engine.Call<bool>("GetEditorMode")) {
        Stop();  // a level being edited is no run to keep, and the ghost must not be saved with it
        return;
    }
    ++frame;
    if (frame > 1) {
        Record(player);  // the end of the frame before this one
    }
    if (framesUntilKept > 0 && --framesUntilKept == 0) {
        Write();
    }
    if (HasGhost()) {
        if (!paused) {
            ++ghostFrame;
        }
        MoveGhost();
    }
}

void BestRun::Record(const ZELM::EntityHandle& player) {
    ZELM::Entity* entity = player.GetIfAlive();
    // Frames without a player keep the last place, so the path stays frame for frame with the replay.
    if (entity != nullptr && entity->GetPlace(lastPose.x, lastPose.y)) {
        if (entity->IsBound("GetXGravity") && entity->IsBound("GetYGravity")) {
            lastPose.gx = entity->Call<float>("GetXGravity");
            lastPose.gy = entity->Call<float>("GetYGravity");
        }
    }
    recording.Add(lastPose);
}

void BestRun::Keep(float seconds) {
    if (level.empty()) {
        return;
    }
    recording.SetFinishSeconds(seconds);
    // The replay ends with the frame after the goal's: played back, the run's last frame quits
    // the game, and the goal's frame before it shows the finish.
    framesUntilKept = 2;
}

void BestRun::End(const ZELM::EntityHandle& player) {
    if (framesUntilKept > 0) {
        Record(player);  // the frame the level ends in has no next frame to note it
        Write();
    }
    Stop();
}

// The replay service gives the frames since the level began; the path is cut to the same frames.
void BestRun::Write() {
    framesUntilKept = 0;
    if (!engine.IsBound("ReplaySinceLevelStart")) {
        return;
    }
    const std::string replay = engine.Call<std::string>("ReplaySinceLevelStart");
    recording.Truncate(static_cast<std::size_t>(frame));
    const std::string fileName = FileName(level);
    const PlayerFile file = ReplayOf(fileName);
    // Reported once: a full disk would otherwise repeat it at every record; the record itself counts.
    if (!file.Write(replay + recording.Serialise(), false) && reported.insert(fileName).second) {
        ZELM_PROBLEM(
            "Logic::BestRun::Write",
            "The best run could not be saved as \"%s\"; the record counts, but its ghost is not kept.",
            file.GetPath().c_str());
    }
}

void BestRun::ShowGhost() {
    const std::string fileName = FileName(level);
    const PlayerFile file = ReplayOf(fileName);
    std::string text;
    std::string problem;
    if (!file.Read(text, problem) && problem.empty()) {
        return;  // no best run yet
    }
    RunPath path;
    if (problem.empty() && RunPath::Parse(text, path, problem)) {
        ghostPath = path;
    } else {
        if (reported.insert(fileName).second) {
            ZELM_PROBLEM("Logic::BestRun::ShowGhost",
                         "The best run \"%s\" cannot be shown as a ghost: %s. The next best run replaces it.",
                         file.GetPath().c_str(), problem.c_str());
        }
        return;
    }
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr || entities->Get(kGhostName).IsAlive()) {
        return;  // a level's own entity of that name is left alone
    }
    ghost = entities->CreateFromArchetype(kGhostName, kGhostArchetype);
    ghostFrame = 0;
    MoveGhost();
}

void BestRun::MoveGhost() {
    ZELM::Entity* entity = ghost.GetIfAlive();
    RunPath::Pose pose;
    if (entity == nullptr || !ghostPath.GetPose(ghostFrame, pose)) {
        return;
    }
    entity->CallAll("SetX", pose.x);
    entity->CallAll("SetY", pose.y);
    if (entity->IsBound("SetGhostPull")) {
        entity->Call("SetGhostPull", pose.gx, pose.gy);
    }
}

void BestRun::RemoveGhost() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities != nullptr && ghost.IsAlive()) {
        entities->RequestDestroy(ghost);
    }
    ghost = ZELM::EntityHandle();
    ghostPath.Clear();
}

bool BestRun::GetGhostPosition(float& x, float& y) const {
    ZELM::Entity* entity = ghost.GetIfAlive();
    return entity != nullptr && entity->GetPlace(x, y);
}

}  // namespace Logic
