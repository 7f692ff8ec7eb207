// The game's scripts before the player's.
#include "logic/ScriptFolder.h"

#include <filesystem>

#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"

namespace Logic {

std::string ScriptFolder::Of(const std::string& name) {
    const std::string bundled = ZELM::PathTable::Instance().Get("Scripts");
    std::error_code error;
    if (std::filesystem::is_regular_file(bundled + name + ".lua", error)) {
        return bundled;
    }
    const std::string own = ZELM::PlayerLevels::ScriptsDirectory();
    return std::filesystem::is_regular_file(own + name + ".lua", error) ? own : bundled;
}

}  // namespace Logic
