// The start-up check of the data directory.
#include "engine/StartProblem.h"

#include <filesystem>

#include "engine/LevelSequence.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"

namespace ZELM {

namespace {

const char* const kManifest = "manifest.txt";

}  // namespace

std::string FindStartProblem(const std::string& dataDirectory, const std::string& userRoot,
                             const std::string& startLevel) {
    std::error_code ignored;
    const std::string quoted = "\"" + dataDirectory + "\"";
    if (!std::filesystem::is_regular_file(kManifest, ignored)) {
        return "the data directory " + quoted + " has no " + kManifest;
    }
    PathTable paths;
    paths.Read(kManifest);
    paths.SetUserRoot(userRoot);
    const std::string levels = paths.Get("Levels");
    if (levels.empty()) {
        return std::string("the ") + kManifest + " of the data directory " + quoted +
               " names no Levels directory";
    }
    if (!startLevel.empty()) {
        // A level outside the order may still be played on its own (a demo): only its file matters.
        const std::string file = PlayerLevels::IsPlayerLevel(startLevel)
                                     ? PlayerLevels::DirectoryOf(paths) + PlayerLevels::StemOf(startLevel) + ".xml"
                                     : paths.Find("Levels", startLevel + ".xml");
        if (!std::filesystem::is_regular_file(file, ignored)) {
            return "there is no level \"" + startLevel + "\": the data directory " + quoted + " has no " +
                   file;
        }
        return std::string();
    }
    LevelSequence order;
    order.Read(levels + "order.txt");
    if (order.GetNames().empty()) {
        return "the data directory " + quoted + " has no levels: " + levels +
               "order.txt is missing or names none";
    }
    return std::string();
}

}  // namespace ZELM
