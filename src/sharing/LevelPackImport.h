// Takes a shared level pack into the player's levels: everything is read and checked first, the
// level passes the level checker as it would be installed, and only then is anything written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/LevelChecker.h"
#include "sharing/LevelPack.h"

namespace Sharing {

class LevelPackImport {
public:
    // Asked before anything of the player's is replaced; true replaces.
    using Question = std::function<bool(const std::string& question)>;
    enum class Outcome { Installed, Declined, Refused };
    struct Result {
        Outcome outcome = Outcome::Refused;
        std::string levelName;  // the level's "my:" name, once the pack has been read
        std::string message;    // for a refused pack: the file and the reason
    };

    // The level checker matches the level's components against these types.
    explicit LevelPackImport(Fallward::LevelChecker::ComponentTypes types) : types(std::move(types)) {}

    // Reads, checks and installs the pack file into PlayerLevels::Directory(). A refused or
    // declined pack leaves the player's folder as it was.
    Result Import(const std::string& path, const Question& mayReplace) const;

    // The checks that need nothing written: the pack's limits and names, that it holds exactly its
    // level and what the level needs that the game lacks, and each tile map's header.
    static bool Check(const std::string& text, LevelPack& pack, std::string& problem);

private:
    // Where each file of the pack goes, relative to the player's levels folder ("Scripts/Door.lua").
    static std::string InstalledName(const LevelPack::File& file);
    // The installed files the pack would overwrite with other bytes.
    static std::vector<std::string> Replaced(const LevelPack& pack);
    // Writes the pack into a staging folder inside the player's, runs the level checker there, and
    // renames the files into place only when it finds nothing.
    bool StageAndInstall(const LevelPack& pack, std::string& problem) const;
    bool RunChecker(const std::string& staging, const LevelPack& pack, std::string& problem) const;

    Fallward::LevelChecker::ComponentTypes types;
};

}  // namespace Sharing
