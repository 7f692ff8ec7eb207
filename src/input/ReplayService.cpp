// Recording replays and guarding their playback.
#include "input/ReplayService.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/Engine.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "input/InputService.h"

namespace Input {

ReplayService::ReplayService(InputService& input, std::string version, const std::string& recordFile,
                             ReplayFile playing)
    : input(input), recordPath(recordFile), playing(std::move(playing)) {
    while (!version.empty() && version.back() == '\n') {
        version.pop_back();
    }
    recorded.version = std::move(version);
    if (!recordPath.empty()) {
        // Opened now, so a file that cannot be written is refused before the run rather than lost after it.
        out.open(recordPath, std::ios::binary | std::ios::trunc);
        out << ReplayFile::HeaderLines(recorded.version);
    }
    input.KeepSeenEvents();
}

// Nothing is taken from the input service here: the engine has already deleted it (services go in
// the order they were added), and every frame's input was taken by that frame's update.
ReplayService::~ReplayService() = default;

bool ReplayService::LoadForPlaying(const std::string& path, std::string version, ReplayFile& replay,
                                   std::string& error) {
    if (!replay.Load(path, error)) {
        return false;
    }
    while (!version.empty() && version.back() == '\n') {
        version.pop_back();
    }
    if (replay.version != version) {
        error = "it was made by " + replay.version + ", not by " + version;
        return false;
    }
    return true;
}

void ReplayService::Bind() {
    ZELM::DynamicBinder::Bind("ReplaySinceLevelStart", this, &ReplayService::ReplaySinceLevelStart);
    BindBroadcast("LevelStart", this, &ReplayService::LevelStart);
}

void ReplayService::Update(float /*dt*/) { TakeInput(); }

void ReplayService::UpdateFrame(float frameMs) {
    // The frame's last tick has run (or it runs none): the engine's count is the frame's end.
    const int ticks = ZELM::Engine::Exists() ? ZELM::Engine::Instance().GetTickCount() : ticksRecorded;
    const int ran = std::max(0, ticks - ticksRecorded);
    ticksRecorded = ticks;
    recorded.frameTimes.push_back(frameMs);
    recorded.frameTicks.push_back(ran);
    Record(ReplayFile::FrameTimeLine(static_cast<int>(recorded.frameTimes.size()), frameMs, ran));
    TakeInput();
    // Each frame reaches the file as it ends, so a run that crashes or is killed still leaves its replay.
    out.flush();
}

void ReplayService::TakeInput() {
    for (InputScript::Event& event : input.TakeSeenEvents()) {
        Record(ReplayFile::EventLine(event, event.frame) + "\n");
        recorded.events.push_back(std::move(event));
    }
}

void ReplayService::Record(const std::string& lines) {
    if (out.is_open()) {
        out << lines;
    }
}

ReplayFile::Level ReplayService::LoadedLevel() {
    ReplayFile::Level level;
    level.name = ZELM::Engine::Instance().GetLevelName();
    level.fileHash = ReplayFile::HashFile(ZELM::PathTable::Instance().Find("Levels", level.name + ".xml"));
    const bool hasTiles = IsBound("HasTileInfo") && Call<bool>("HasTileInfo") && IsBound("GetLevelMap");
    level.tileHash =
        hasTiles ? ReplayFile::HashFile(Call<ZELM::LevelMap*>("GetLevelMap")->GetFileName()) : "-";
    return level;
}

void ReplayService::LevelStart() {
    const ReplayFile::Level level = LoadedLevel();
    if (!playing.frameTimes.empty() && !MatchesPlayedLoad(level)) {
        // Played on another level the same input makes another run: refused like a bad argument.
        std::fprintf(stderr,
                     "fallward: cannot play the replay: the level \"%s\" is not the one it was recorded on "
                     "(its file or tile map changed since)\n",
                     level.name.c_str());
        std::fflush(stderr);
        std::_Exit(2);
    }
    if (recorded.start.empty()) {
        recorded.start = level.name;
        Record("start " + level.name + "\n");
    }
    const std::vector<ReplayFile::Level> loads = recorded.LoadsOf(level.name);
    if (loads.empty() || !(loads.back() == level)) {
        recorded.levels.push_back(level);
        Record(ReplayFile::LevelLine(level));
    }
    TakeInput();
    levelName = level.name;
    // A level starts at the end of a tick, and the frame it was loaded in runs no more ticks.
    levelFirstFrame = ZELM::Engine::Instance().GetFrameCount() + 1;
    levelFirstTick = ZELM::Engine::Instance().GetTickCount() + 1;
    heldAtLevelStart = input.HeldEvents();
}

// A level saved in the editor and loaded again is a new load: the loads of a level are met in
// their recorded order, so a level file that ends the session already edited cannot start it.
bool ReplayService::MatchesPlayedLoad(const ReplayFile::Level& level) {
    const std::vector<ReplayFile::Level> loads = playing.LoadsOf(level.name);
    std::size_t& met = playedLoads[level.name];
    // The first load meets the first recorded; a later one the same load again or the next.
    for (std::size_t load = met == 0 ? 0 : met - 1; load < loads.size() && load <= met; ++load) {
        if (loads[load] == level) {
            met = load + 1;
            return true;
        }
    }
    return false;
}

std::string ReplayService::ReplaySinceLevelStart() {
    TakeInput();
    return recorded.Since(levelFirstFrame, levelFirstTick, levelName, heldAtLevelStart).Write();
}

}  // namespace Input
