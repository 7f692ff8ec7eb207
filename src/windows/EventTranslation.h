// Turns one SDL event into the window messages the game's handlers understand.
#pragma once

#include <cstdint>
#include <vector>

#include <SDL.h>

#include "windows/WindowsMessage.h"

namespace Windows {

// The messages made from one event, in the order they are handled: a key press is followed by
// the character it types when that key types one without text input (Esc, Enter, Backspace, Tab),
// typed text gives one character message per code point, and an event with no message of its own
// still reaches the handlers as the null message. `handled` is left for the window procedure.
std::vector<WindowsMessage> TranslateEvent(const SDL_Event& event, SDL_Window* window);

// The virtual-key number of a key (0 for keys the game's handlers never look at).
std::uint32_t VirtualKeyOf(SDL_Keycode key);

}  // namespace Windows
