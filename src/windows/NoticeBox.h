// A notice the player acknowledges in a modal box over the game's window.
#pragma once

#include <string>

namespace Windows {

// Shows the text in a box with one button; without a window nothing is shown (the caller has
// already written the text where a headless run reads it).
void ShowNotice(const std::string& title, const std::string& text);

}  // namespace Windows
