// A question the player answers yes or no in a modal box over the game's window.
#pragma once

#include <string>

namespace Windows {

// Asks in a box; no window, no box: the answer is no.
bool AskYesNo(const std::string& title, const std::string& text);

}  // namespace Windows
