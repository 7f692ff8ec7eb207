// Which folder a level's or an entity's script is read from: the game's own, else the player's.
#pragma once

#include <string>

namespace Logic {

class ScriptFolder {
public:
    // The bundled Scripts directory when it holds NAME.lua, else the player's levels' Scripts when
    // that does, else the bundled one (so a report names where the game looks first). The script
    // runs in the sandbox rooted at the folder it came from. The game's own come first, so a
    // player's script can never stand in for one of them.
    static std::string Of(const std::string& name);
};

}  // namespace Logic
