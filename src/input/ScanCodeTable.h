// The key vocabulary of the game: key names to keyboard scan codes, and SDL's keys to the same codes.
#pragma once

#include <cstddef>

#include <SDL_scancode.h>

namespace Input {

struct KeyName {
    const char* name;  // upper case
    int code;
};

// The key-name table every part of the game names keys by. The codes are the ones race messages
// carry, so they never change.
extern const KeyName kKeyNames[];
extern const std::size_t kKeyNameCount;

// The scan code of an SDL key, or 0 (which no key reports) for one the table does not know.
int ScanCodeOf(SDL_Scancode key);
// The SDL key of a scan code, or SDL_SCANCODE_UNKNOWN: scripted keys become the events a keyboard
// would have sent.
SDL_Scancode SdlScancodeOf(int code);

}  // namespace Input
