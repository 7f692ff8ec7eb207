// A replay: what a run needs to be played again tick for tick, as text a player can send with a
// bug report: each display frame's length and the ticks it ran, and the input by the tick that saw
// it. Parsing and writing only; recording and playing back are the replay service's.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "input/InputScript.h"

namespace Input {

class ReplayFile {
public:
    // A level as it was loaded: the hashes of its file and of its tile map ("-" for none).
    struct Level {
        std::string name;
        std::string fileHash;
        std::string tileHash;
        bool operator==(const Level& other) const;
    };

    // The longest frame a replay may hold, in milliseconds, and the largest file read.
    static constexpr float kLongestFrameMs = 3600000.0f;
    static constexpr std::size_t kLargestFile = 64u * 1024u * 1024u;
    // The most ticks one frame may run (the engine's own limit is lower).
    static constexpr long kMostTicksInAFrame = 64;

    std::string version;        // the line --version prints, without its newline
    std::string start;          // the level the run started at
    std::vector<Level> levels;  // the loads of each level, in order, a load like its level's last left out
    std::vector<float> frameTimes;           // frame N's length in milliseconds at [N - 1]
    std::vector<int> frameTicks;             // the ticks frame N ran at [N - 1]
    std::vector<InputScript::Event> events;  // by the tick that saw them (from 1), in the order seen

    // Reads the text; a file that is not a whole, sane replay gives false with `error` set to one
    // sentence naming the line.
    bool Parse(const std::string& text, std::string& error);
    bool Load(const std::string& path, std::string& error);
    std::string Write() const;
    // The input events alone, as an input script.
    std::string WriteInputScript() const;
    // The ticks of every frame together.
    int TotalTicks() const;
    // The frames from `firstFrame` on and the ticks from `firstTick` on (the level's first frame's
    // first), numbered from 1, started at `level`; `held` are the events that put in place what was
    // held when that tick began.
    ReplayFile Since(int firstFrame, int firstTick, const std::string& level,
                     const std::vector<InputScript::Event>& held) const;
    // The recorded loads of the level `name`, in order.
    std::vector<Level> LoadsOf(const std::string& name) const;

    // FNV-1a 64 of the file's bytes in 16 hex digits; "-" for a file that cannot be read.
    static std::string HashFile(const std::string& path);
    // The input-script line of an event, with `frame` as its frame.
    static std::string EventLine(const InputScript::Event& event, int frame);
    // The lines Write gives, one kind at a time, so a recording can be written as it is made.
    static std::string HeaderLines(const std::string& version);
    static std::string LevelLine(const Level& level);
    static std::string FrameTimeLine(int frame, float ms, int ticks);

private:
    bool ParseLine(const std::string& line, int number, std::string& scriptLine, std::string& error);
    bool ParseEvents(const std::string& script, std::string& error);
    bool Check(std::string& error) const;
};

}  // namespace Input
