// The command-line flags of the fallward program.
#pragma once

#include <string>
#include <vector>

namespace Fallward {

enum class ProblemMode { Box, Stderr, Fatal };

// One --screenshot: the back buffer of `frame` (from 1) as a PNG file.
struct ScreenshotRequest {
    int frame = 0;
    std::string file;
};

struct LaunchOptions {
    std::string dataDirectory;  // empty: the bundled game/Working
    std::string level;          // empty: the first level of the level order
    std::string execFile;       // a Lua file run once after the first level has started
    std::string traceFile;      // one JSON object per frame
    std::vector<ScreenshotRequest> screenshots;  // in the order given
    std::string inputScript;    // key and mouse input by frame instead of the devices
    std::string recordFile;     // where the session's replay is written
    std::string replayFile;     // a replay played instead of the devices, the clock and --level
    std::string netInterface;   // the network interface the race uses; empty: the first that can broadcast
    bool headless = false;
    int frames = 0;              // 0: run until quit
    float fixedDt = -1.0f;       // negative: measured frame time
    ProblemMode problems = ProblemMode::Box;
    bool problemsGiven = false;  // --problems was given; otherwise the mode follows --headless
    bool showHelp = false;
    bool showVersion = false;
    bool fullscreen = false;                // start in full screen (no effect when headless)
    bool checkLevels = false;               // check level files instead of running the game
    std::vector<std::string> levelsToCheck;  // empty: every level of the data directory
    bool listComponents = false;             // print the component reference instead of running the game
    std::string exportLevel;  // a player level written as a shared level file instead of running the game
    std::string exportFile;   // where --export-level writes it
    std::string author;       // the name an exported level carries
    std::string importFile;   // a shared level file (FILE.fwlevel) installed before the game starts
    bool replace = false;     // an import may replace an installed level of the same name without asking
};

// The extension of a shared level file, which is how one is told from any other argument.
constexpr const char* kLevelPackExtension = ".fwlevel";

// Parses the arguments after the program name. On a bad argument returns false with `error` set.
bool ParseLaunchOptions(const std::vector<std::string>& arguments, LaunchOptions& options, std::string& error);

// The text printed for --help and after a bad argument: the usage line, then every flag on a line.
const char* LaunchUsage();

// "fallward VERSION", the line printed for --version.
const char* LaunchVersion();

}  // namespace Fallward
