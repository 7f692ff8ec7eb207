// Whether a data directory can start the game at all, asked before any window opens: data that
// cannot give a first level would otherwise leave the player on an empty screen that no key leaves.
#pragma once

#include <string>

namespace ZELM {

// What keeps the game from starting in `dataDirectory` (the working directory by now), in one
// sentence naming the directory and what it lacks; "" when it can start. `startLevel` is the
// level asked for (empty: the first of the level order); `userRoot` is the player's own tree,
// which may hold the asked level instead (see PathTable::SetUserRoot).
std::string FindStartProblem(const std::string& dataDirectory, const std::string& userRoot,
                             const std::string& startLevel);

}  // namespace ZELM
