// Gathers a player level and the player's files it needs into a pack, to hand to another player.
#pragma once

#include <string>
#include <utility>

#include "sharing/LevelPack.h"

namespace Sharing {

class LevelPackExport {
public:
    // `game` is the version line the pack records, `author` the name the player gives.
    LevelPackExport(std::string game, std::string author)
        : game(std::move(game)), author(std::move(author)) {}

    // The pack of the player level named by its stem or its "my:" name: the level file and, of
    // what it names, each tile map, script and archetype that is not one of the game's own. False
    // with the reason when the level or one of its files cannot be found.
    bool Gather(const std::string& levelName, LevelPack& pack, std::string& problem) const;
    // Gathers and writes the pack to `path` through a temporary file and rename.
    bool Write(const std::string& levelName, const std::string& path, std::string& problem) const;

private:
    bool AddFile(LevelPack& pack, LevelPack::Kind kind, const std::string& stem, const std::string& path,
                 std::string& problem) const;
    bool AddTiles(LevelPack& pack, const std::string& name, std::string& problem) const;
    bool AddScript(LevelPack& pack, const std::string& stem, std::string& problem) const;
    bool AddArchetype(LevelPack& pack, const std::string& stem, std::string& problem) const;

    std::string game;
    std::string author;
};

}  // namespace Sharing
