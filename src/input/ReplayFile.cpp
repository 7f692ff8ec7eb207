// Reading and writing replays. A replay comes from a player's bug report and is treated as hostile:
// every number is range-checked and the first bad line refuses the whole file, since a replay that
// skipped a line would no longer be the run it claims to be.
#include "input/ReplayFile.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

#include "engine/ProblemReport.h"
#include "input/ScanCodeTable.h"

namespace Input {
namespace {

constexpr std::size_t kLongestLine = 256;
constexpr long kLastFrame = 1000000000L;

bool IsHash(const std::string& token) {
    if (token == "-") {
        return true;
    }
    if (token.size() != 16) {
        return false;
    }
    for (char c : token) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// The rest of the line after `words` words, without a trailing carriage return.
std::string RestAfter(const std::string& line, int words) {
    std::size_t at = 0;
    for (int word = 0; word < words && at != std::string::npos; ++word) {
        at = line.find_first_not_of(" \t", at);
        at = line.find_first_of(" \t", at);
    }
    at = line.find_first_not_of(" \t", at);
    std::string rest = at == std::string::npos ? std::string() : line.substr(at);
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ' || rest.back() == '\t')) {
        rest.pop_back();
    }
    return rest;
}

std::string KeyNameOf(int code) {
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (kKeyNames[i].code == code) {
            return kKeyNames[i].name;
        }
    }
    return std::string();
}

std::string At(int number) {
    return "line " + std::to_string(number) + ": ";
}

}  // namespace

bool ReplayFile::Load(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "the file cannot be read";
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kLargestFile) {
        error = "the file is larger than " + std::to_string(kLargestFile / (1024 * 1024)) + " MiB";
        return false;
    }
    file.seekg(0);
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), error);
}

bool ReplayFile::Parse(const std::string& text, std::string& error) {
    *this = ReplayFile();
    // The event lines go to the input-script reader; the other lines stay as blank lines there so
    // its reports name the replay's own line numbers.
    std::string script;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string scriptLine;
        if (!ParseLine(line, number, scriptLine, error)) {
            return false;
        }
        script += scriptLine + "\n";
    }
    return ParseEvents(script, error) && Check(error);
}

bool ReplayFile::ParseLine(const std::string& line, int number, std::string& scriptLine, std::string& error) {
    if (line.size() > kLongestLine) {
        error = At(number) + "longer than " + std::to_string(kLongestLine) + " characters";
        return false;
    }
    const std::vector<std::string> tokens = InputScript::Words(line);
    if (tokens.empty() || tokens[0][0] == '#') {
        return true;
    }
    const std::string& word = tokens[0];
    if (word == "at" || word == "finish") {
        // A kept best run's path for its ghost: the game flow reads it, playing back needs none of it.
        return true;
    }
    if (word == "version" || word == "start") {
        std::string& field = word == "version" ? version : start;
        if (!field.empty() || tokens.size() < 2) {
            error = At(number) + word + " is given twice or names nothing";
            return false;
        }
        field = RestAfter(line, 1);
    } else if (word == "level") {
        if (tokens.size() < 4 || !IsHash(tokens[1]) || !IsHash(tokens[2])) {
            error = At(number) + "level takes two hashes (16 hex digits or -) and the level's name";
            return false;
        }
        levels.push_back({RestAfter(line, 3), tokens[1], tokens[2]});
    } else if (word == "dt") {
        char* end = nullptr;
        errno = 0;
        const long frame = tokens.size() == 4 ? std::strtol(tokens[1].c_str(), &end, 10) : 0;
        if (tokens.size() != 4 || *end != '\0' || errno != 0 ||
            frame != static_cast<long>(frameTimes.size()) + 1) {
            error = At(number) + "dt takes the next frame (" + std::to_string(frameTimes.size() + 1) +
                    "), its milliseconds and the ticks it ran";
            return false;
        }
        const long ticks = std::strtol(tokens[3].c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || ticks < 0 || ticks > kMostTicksInAFrame) {
            error = At(number) + "a frame runs from 0 to " + std::to_string(kMostTicksInAFrame) + " ticks";
            return false;
        }
        const float ms = std::strtof(tokens[2].c_str(), &end);
        if (*end != '\0' || !std::isfinite(ms) || ms < 0.0f || ms > kLongestFrameMs) {
            error = At(number) + "the frame time is not a number of milliseconds from 0 to " +
                    std::to_string(static_cast<long>(kLongestFrameMs));
            return false;
        }
        frameTimes.push_back(ms);
        frameTicks.push_back(static_cast<int>(ticks));
    } else {
        scriptLine = line;
    }
    return true;
}

bool ReplayFile::ParseEvents(const std::string& script, std::string& error) {
    // The reader reports bad lines as problems; here the first one is the reason the file is refused.
    std::string first;
    const ZELM::ProblemSink previous = ZELM::SetProblemSink([&first](const ZELM::Problem& problem) {
        if (first.empty()) {
            first = problem.message;
        }
        return ZELM::ProblemChoice::Continue;
    });
    InputScript reader;
    const bool clean = reader.Parse(script, "replay");
    ZELM::SetProblemSink(previous);
    if (!clean) {
        error = first;
        return false;
    }
    events = reader.GetEvents();
    return true;
}

bool ReplayFile::Check(std::string& error) const {
    if (version.empty() || start.empty() || frameTimes.empty()) {
        error = "a replay needs its version, start and at least one dt line";
        return false;
    }
    const long ticks = TotalTicks();
    for (const InputScript::Event& event : events) {
        // Input for tick N + 1 is sampled before it runs; anything later can never be played.
        if (event.frame > ticks + 1) {
            error = "an input event at tick " + std::to_string(event.frame) + " lies after the last tick";
            return false;
        }
    }
    return true;
}

std::string ReplayFile::EventLine(const InputScript::Event& event, int frame) {
    const std::string at = std::to_string(frame) + " ";
    switch (event.kind) {
        case InputScript::Kind::Down:
            return at + "down " + KeyNameOf(event.code);
        case InputScript::Kind::Up:
            return at + "up " + KeyNameOf(event.code);
        case InputScript::Kind::Mouse:
            return at + "mouse " + std::to_string(event.x) + " " + std::to_string(event.y);
        case InputScript::Kind::Click:
            return at + (event.button == 0 ? "click left" : "click right");
        case InputScript::Kind::Text:
            return at + "text " + event.text;
        case InputScript::Kind::Wheel:
            return at + "wheel " + std::to_string(event.notches);
        default:
            break;  // a replay keeps the keyboard and the mouse only
    }
    return std::string();
}

std::string ReplayFile::HeaderLines(const std::string& version) {
    return "# A fallward replay: play it with --replay FILE\nversion " + version + "\n";
}

std::string ReplayFile::LevelLine(const Level& level) {
    return "level " + level.fileHash + " " + level.tileHash + " " + level.name + "\n";
}

std::string ReplayFile::FrameTimeLine(int frame, float ms, int ticks) {
    // Nine significant digits give back the very float the frame used.
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(ms));
    return "dt " + std::to_string(frame) + " " + text + " " + std::to_string(ticks) + "\n";
}

int ReplayFile::TotalTicks() const {
    long total = 0;
    for (const int ticks : frameTicks) {
        total += ticks;
    }
    return static_cast<int>(std::min<long>(total, std::numeric_limits<int>::max()));
}

std::string ReplayFile::Write() const {
    std::string text = HeaderLines(version) + "start " + start + "\n";
    for (const Level& level : levels) {
        text += LevelLine(level);
    }
    // Each frame's events follow it as a recording writes them: those the ticks up to the next
    // frame's first see.
    std::size_t next = 0;
    int ticks = 0;
    for (std::size_t frame = 1; frame <= frameTimes.size() + 1; ++frame) {
        if (frame <= frameTimes.size()) {
            const int ran = frame <= frameTicks.size() ? frameTicks[frame - 1] : 0;
            text += FrameTimeLine(static_cast<int>(frame), frameTimes[frame - 1], ran);
            ticks += ran;
        } else {
            ticks = std::numeric_limits<int>::max() - 1;
        }
        for (; next < events.size() && events[next].frame <= ticks + 1; ++next) {
            text += EventLine(events[next], events[next].frame) + "\n";
        }
    }
    return text;
}

std::string ReplayFile::WriteInputScript() const {
    std::string text;
    for (const InputScript::Event& event : events) {
        text += EventLine(event, event.frame) + "\n";
    }
    return text;
}

ReplayFile ReplayFile::Since(int firstFrame, int firstTick, const std::string& level,
                             const std::vector<InputScript::Event>& held) const {
    ReplayFile part;
    part.version = version;
    part.start = level;
    part.levels = levels;
    if (firstFrame >= 1 && static_cast<std::size_t>(firstFrame) <= frameTimes.size()) {
        part.frameTimes.assign(frameTimes.begin() + (firstFrame - 1), frameTimes.end());
        if (static_cast<std::size_t>(firstFrame) <= frameTicks.size()) {
            part.frameTicks.assign(frameTicks.begin() + (firstFrame - 1), frameTicks.end());
        }
    }
    for (InputScript::Event event : held) {
        event.frame = 1;
        part.events.push_back(event);
    }
    for (InputScript::Event event : events) {
        if (event.frame >= firstTick) {
            event.frame -= firstTick - 1;
            part.events.push_back(event);
        }
    }
    return part;
}

bool ReplayFile::Level::operator==(const Level& other) const {
    return name == other.name && fileHash == other.fileHash && tileHash == other.tileHash;
}

std::vector<ReplayFile::Level> ReplayFile::LoadsOf(const std::string& name) const {
    std::vector<Level> loads;
    for (const Level& level : levels) {
        if (level.name == name) {
            loads.push_back(level);
        }
    }
    return loads;
}

std::string ReplayFile::HashFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (path.empty() || !file) {
        return "-";
    }
    std::uint64_t hash = 14695981039346656037ull;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        for (std::streamsize i = 0; i < file.gcount(); ++i) {
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

}  // namespace Input
