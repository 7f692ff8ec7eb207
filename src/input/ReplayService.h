// Records a session as a replay, or checks that a replay being played meets the levels it was made
// on. Added after the input service, so each tick it sees the input that service has just handed out.
#pragma once

#include <fstream>
#include <map>
#include <string>

#include "engine/Service.h"
#include "input/ReplayFile.h"

namespace Input {

class InputService;

class ReplayService : public ZELM::Service {
public:
    // Records into `recordFile` (none when empty) and, when `playing` holds frames, refuses every
    // level whose file or tile map differs from the ones it was recorded on.
    ReplayService(InputService& input, std::string version, const std::string& recordFile,
                  ReplayFile playing);
    // Records the input sampled after the last frame.
    ~ReplayService() override;

    // Reads a replay for playing; false with `error` set when it cannot be read or was made by
    // another version than `version` (the line --version prints).
    static bool LoadForPlaying(const std::string& path, std::string version, ReplayFile& replay,
                               std::string& error);

    // False when a recording was asked for and its file cannot be written.
    bool CanRecord() const { return recordPath.empty() || out.is_open(); }
    // The frames since the current level started, as replay text: what a run that reached a goal keeps.
    std::string ReplaySinceLevelStart();

    void Bind() override;
    void Init() override {}
    // Records the input the tick saw.
    void Update(float dt) override;
    // Records the frame's length and the ticks it ran.
    void UpdateFrame(float frameMs) override;
    // Broadcast: records the level's hashes, or refuses a replay of a level that changed.
    void LevelStart();

private:
    ReplayFile::Level LoadedLevel();
    void TakeInput();
    bool MatchesPlayedLoad(const ReplayFile::Level& level);
    // Appends to the recording's file, when there is one.
    void Record(const std::string& lines);

    InputService& input;
    std::string recordPath;
    std::ofstream out;
    ReplayFile recorded;
    ReplayFile playing;
    int levelFirstFrame = 1;
    int levelFirstTick = 1;
    int ticksRecorded = 0;  // the ticks of the frames recorded so far
    std::string levelName;
    std::vector<InputScript::Event> heldAtLevelStart;
    std::map<std::string, std::size_t> playedLoads;  // by level: 1 + the recorded load last met; 0: none
};

}  // namespace Input
