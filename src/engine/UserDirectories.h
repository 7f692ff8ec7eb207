// Where the game writes for the player: the XDG base directories, with "fallward" below them.
#pragma once

#include <string>

namespace ZELM {

// $XDG_DATA_HOME/fallward/, else ~/.local/share/fallward/: what the player makes (levels, tile
// maps, archetypes saved from the editor). "" when neither variable gives an absolute path.
std::string UserDataDirectory();

// $XDG_STATE_HOME/fallward/, else ~/.local/state/fallward/: what the game keeps about its runs
// (the network log). "" when neither variable gives an absolute path.
std::string UserStateDirectory();

}  // namespace ZELM
