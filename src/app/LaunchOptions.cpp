// Parsing the command line.
#include "app/LaunchOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace Fallward {
namespace {

bool IsLevelPackFile(const std::string& argument) {
    const std::string extension = kLevelPackExtension;
    return argument.rfind("--", 0) != 0 && argument.size() > extension.size() &&
           argument.compare(argument.size() - extension.size(), extension.size(), extension) == 0;
}

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || parsed < 0 || parsed > 1000000000L) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseFloat(const std::string& text, float& value) {
    char* end = nullptr;
    const float parsed = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(parsed) || parsed < 0.0f) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

const char* LaunchUsage() {
    return "usage: fallward [FLAG...] [FILE.fwlevel]\n"
           "  FILE.fwlevel            install a shared level among the player's levels, then start the game\n"
           "  --replace               the shared level may replace an installed one of its name without "
           "asking\n"
           "  --export-level NAME FILE write the player level NAME (\"my:NAME\") as a shared level file\n"
           "  --author NAME           the author's name an exported level carries\n"
           "  --data DIR              the data directory holding manifest.txt (default: the bundled data)\n"
           "  --level NAME            start at that level instead of the first of the level order\n"
           "  --exec FILE             run a Lua file once the first level has started\n"
           "  --headless              no window, no graphics device and no sound device\n"
           "  --fullscreen            start in full screen\n"
           "  --frames N              quit after N frames\n"
           "  --fixed-dt MS           every display frame lasts MS milliseconds (the game ticks at 60 Hz)\n"
           "  --input-script FILE     key and mouse input by frame instead of the devices\n"
           "  --record FILE           record the session as a replay a bug report can carry\n"
           "  --replay FILE           play a replay: its level, frame times, ticks and input\n"
           "  --trace FILE            one JSON object per frame: the level, the player, the texts, the "
           "network\n"
           "  --net-interface NAME    the network interface the LAN race uses\n"
           "  --screenshot FRAME:FILE write frame FRAME (from 1) as a PNG file; may be given several times\n"
           "  --problems MODE         where problem reports go: box, stderr or fatal (exit status 3)\n"
           "  --check-levels [NAME...] check the levels without starting the game\n"
           "  --list-components       print the reference of every component type (Markdown)\n"
           "  --version               the program's name and version\n"
           "  --help                  this text\n";
}

const char* LaunchVersion() { return "fallward " FALLWARD_VERSION "\n"; }

bool ParseLaunchOptions(const std::vector<std::string>& arguments, LaunchOptions& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const std::string value = hasValue ? arguments[i + 1] : std::string();
        auto needValue = [&]() {
            if (!hasValue) {
                error = flag + " needs a value";
                return false;
            }
            ++i;
            return true;
        };
        if (flag == "--help" || flag == "-h") {
            options.showHelp = true;
        } else if (flag == "--version") {
            options.showVersion = true;
        } else if (flag == "--fullscreen") {
            options.fullscreen = true;
        } else if (flag == "--headless") {
            options.headless = true;
        } else if (flag == "--data") {
            if (!needValue()) return false;
            options.dataDirectory = value;
        } else if (flag == "--level") {
            if (!needValue()) return false;
            options.level = value;
        } else if (flag == "--trace") {
            if (!needValue()) return false;
            options.traceFile = value;
        } else if (flag == "--screenshot") {
            if (!needValue()) return false;
            const std::size_t colon = value.find(':');
            ScreenshotRequest screenshot;
            if (colon == std::string::npos || colon + 1 == value.size() ||
                !ParseInt(value.substr(0, colon), screenshot.frame) || screenshot.frame == 0) {
                error = "--screenshot takes FRAME:FILE with a frame from 1, not \"" + value + "\"";
                return false;
            }
            screenshot.file = value.substr(colon + 1);
            options.screenshots.push_back(screenshot);
        } else if (flag == "--check-levels") {
            options.checkLevels = true;
            // The names that follow, up to the next flag.
            while (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0) {
                options.levelsToCheck.push_back(arguments[++i]);
            }
        } else if (flag == "--export-level") {
            if (i + 2 >= arguments.size()) {
                error = "--export-level needs the level's name and the file to write";
                return false;
            }
            options.exportLevel = arguments[++i];
            options.exportFile = arguments[++i];
        } else if (flag == "--author") {
            if (!needValue())
                return false;
            options.author = value;
        } else if (flag == "--replace") {
            options.replace = true;
        } else if (IsLevelPackFile(flag)) {
            if (!options.importFile.empty()) {
                error = "one shared level file at a time, not \"" + options.importFile + "\" and \"" + flag +
                        "\"";
                return false;
            }
            options.importFile = flag;
        } else if (flag == "--list-components") {
            options.listComponents = true;
        } else if (flag == "--exec") {
            if (!needValue()) return false;
            options.execFile = value;
        } else if (flag == "--input-script") {
            if (!needValue()) return false;
            options.inputScript = value;
        } else if (flag == "--record") {
            if (!needValue()) return false;
            options.recordFile = value;
        } else if (flag == "--replay") {
            if (!needValue()) return false;
            options.replayFile = value;
        } else if (flag == "--net-interface") {
            if (!needValue()) return false;
            options.netInterface = value;
        } else if (flag == "--frames") {
            if (!needValue()) return false;
            if (!ParseInt(value, options.frames)) {
                error = "--frames takes a whole number of frames, not \"" + value + "\"";
                return false;
            }
        } else if (flag == "--fixed-dt") {
            if (!needValue()) return false;
            if (!ParseFloat(value, options.fixedDt)) {
                error = "--fixed-dt takes milliseconds (0 or more), not \"" + value + "\"";
                return false;
            }
        } else if (flag == "--problems") {
            if (!needValue()) return false;
            if (value == "box") {
                options.problems = ProblemMode::Box;
            } else if (value == "stderr") {
                options.problems = ProblemMode::Stderr;
            } else if (value == "fatal") {
                options.problems = ProblemMode::Fatal;
            } else {
                error = "--problems takes box, stderr or fatal, not \"" + value + "\"";
                return false;
            }
            options.problemsGiven = true;
        } else {
            error = "unknown argument \"" + flag + "\"";
            return false;
        }
    }
    if (!options.replayFile.empty() &&
        (!options.inputScript.empty() || !options.level.empty() || options.frames != 0)) {
        // The replay is the run: other input or another level would make another. Another display
        // rate (--fixed-dt) plays the same ticks.
        error = "--replay takes its level, ticks and input from the replay, so it cannot be given "
                "--input-script, --level or --frames";
        return false;
    }
    if (!options.exportLevel.empty() && !options.importFile.empty()) {
        error = "--export-level writes a level file and starts no game, so it cannot be given one to install";
        return false;
    }
    if (!options.problemsGiven) {
        options.problems = options.headless ? ProblemMode::Stderr : ProblemMode::Box;
    }
    return true;
}

}  // namespace Fallward
