// The XDG base directories of the game.
#include "engine/UserDirectories.h"

#include <cstdlib>

namespace ZELM {
namespace {

std::string XdgDirectory(const char* variable, const char* fallbackBelowHome) {
    const char* chosen = std::getenv(variable);
    const char* home = std::getenv("HOME");
    // A relative directory is not to be trusted (the base directory rules say to ignore it): it
    // would follow whatever the working directory happens to be.
    if (chosen != nullptr && chosen[0] == '/') {
        return std::string(chosen) + "/fallward/";
    }
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/" + fallbackBelowHome + "/fallward/";
    }
    return std::string();
}

}  // namespace

std::string UserDataDirectory() { return XdgDirectory("XDG_DATA_HOME", ".local/share"); }

std::string UserStateDirectory() { return XdgDirectory("XDG_STATE_HOME", ".local/state"); }

}  // namespace ZELM
