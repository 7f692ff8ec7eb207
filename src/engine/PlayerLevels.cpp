// Where the player's own levels live.
#include "engine/PlayerLevels.h"

#include <filesystem>

#include "engine/PathTable.h"

namespace ZELM {

std::string PlayerLevels::Directory() {
    const PathTable& paths = PathTable::Instance();
    if (!paths.GetUserRoot().empty()) {
        return paths.GetUser("MyLevels");
    }
    const std::string beside = paths.Get("MyLevels");
    return beside.empty() ? std::string("MyLevels/") : beside;
}

bool PlayerLevels::IsPlayerLevel(const std::string& levelName) {
    return levelName.rfind(kPrefix, 0) == 0 && levelName.size() > std::char_traits<char>::length(kPrefix);
}

std::string PlayerLevels::StemOf(const std::string& levelName) {
    return IsPlayerLevel(levelName) ? levelName.substr(std::char_traits<char>::length(kPrefix)) : levelName;
}

bool PlayerLevels::HoldsLevelFile(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(Directory(), ignored);
    const std::filesystem::path parent = std::filesystem::weakly_canonical(std::filesystem::path(path).parent_path(), ignored);
    return !folder.empty() && parent == folder;
}

}  // namespace ZELM
