// What a level file names outside itself: its tile map, its scripts and its entities' archetypes.
#pragma once

#include <set>
#include <string>

namespace Sharing {

class LevelReferences {
public:
    // Reads the level's text; false with the reason in `problem` when it is no level file.
    bool Read(const std::string& text, std::string& problem);

    // The tile map's name ("" when the level has none).
    const std::string& GetTiles() const { return tiles; }
    // Level scripts and entity scripts, by name without ".lua".
    const std::set<std::string>& GetScripts() const { return scripts; }
    // Archetype names of the entities ("Not Set" left out).
    const std::set<std::string>& GetArchetypes() const { return archetypes; }

private:
    std::string tiles;
    std::set<std::string> scripts;
    std::set<std::string> archetypes;
};

}  // namespace Sharing
