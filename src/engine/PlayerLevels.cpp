// Where the player's own levels live.
#include "engine/PlayerLevels.h"

#include <filesystem>

#include "engine/PathTable.h"

namespace ZELM {

std::string PlayerLevels::Directory() { return DirectoryOf(PathTable::Instance()); }

std::string PlayerLevels::DirectoryOf(const PathTable& paths) {
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

namespace {

// The directory itself, without the trailing separator that would make it differ from a parent path.
std::filesystem::path Folder(const std::string& directory) {
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::weakly_canonical(std::filesystem::absolute(directory, ignored), ignored);
    return folder.has_filename() ? folder : folder.parent_path();
}

}  // namespace

bool PlayerLevels::HoldsLevelFile(const std::string& path) {
    const std::filesystem::path file(path);
    return file.has_parent_path() && Folder(file.parent_path().string()) == Folder(Directory());
}

bool PlayerLevels::HoldsTileFile(const std::string& path) {
    const std::filesystem::path file(path);
    return file.has_parent_path() && Folder(file.parent_path().string()) == Folder(TilesDirectory());
}

}  // namespace ZELM
