// The player's own levels: made in the editor or imported from a shared file, kept in a folder of
// their own so that none can take the place of a level the game ships.
#pragma once

#include <string>

namespace ZELM {

class PathTable;

// A player level is known to the game as "my:" and its file's stem ("my:Castle"): loading, records,
// best runs and ghosts use that name, so it never meets a bundled level of the same stem.
// The folder holds NAME.xml, Tiles/NAME, Scripts/*.lua and Archetypes/*.xml.
class PlayerLevels {
public:
    static constexpr const char* kPrefix = "my:";

    // Ends with "/": "MyLevels/" below the player's data directory for an installed game, else the
    // manifest's "MyLevels" (beside the bundled data), else "MyLevels/" in the working directory.
    static std::string Directory();
    // The same from a path table other than the game's (the checks made before the game starts).
    static std::string DirectoryOf(const PathTable& paths);
    static std::string TilesDirectory() { return Directory() + "Tiles/"; }
    static std::string ScriptsDirectory() { return Directory() + "Scripts/"; }
    static std::string ArchetypesDirectory() { return Directory() + "Archetypes/"; }

    static bool IsPlayerLevel(const std::string& levelName);
    // "my:Castle" from "Castle".
    static std::string LevelName(const std::string& stem) { return kPrefix + stem; }
    // "Castle" from "my:Castle"; any other name as it is.
    static std::string StemOf(const std::string& levelName);
    static std::string LevelFile(const std::string& levelName) { return Directory() + StemOf(levelName) + ".xml"; }
    static std::string TileFile(const std::string& levelName) { return TilesDirectory() + StemOf(levelName); }
    // Whether a file path lies in the player's levels folder (the level files themselves).
    static bool HoldsLevelFile(const std::string& path);
    // Whether a file path lies in the player's tile maps folder.
    static bool HoldsTileFile(const std::string& path);
};

}  // namespace ZELM
