// The program-wide window handle that the input and graphics services read.
#pragma once

struct SDL_Window;

namespace Windows {

// The game's one window; null before the window service binds, in a headless run, or when the
// window could not be created.
extern SDL_Window* windowHandle;

// The client area every window of the game is made with (a headless run pretends to have it).
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;

}  // namespace Windows
