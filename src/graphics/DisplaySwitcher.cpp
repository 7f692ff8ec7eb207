// Listing the display's modes and switching the window between them and full screen.
#include "graphics/DisplaySwitcher.h"

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

#include "utilities/Dynamic.h"
#include "windows/WindowHandles.h"

namespace Graphics {
namespace {

bool KeyDown(ZELM::DynamicCaller& engine, const char* key) {
    return engine.IsBound("KeyDown") && engine.Call<bool>("KeyDown", std::string(key));
}

bool KeyTriggered(ZELM::DynamicCaller& engine, const char* key) {
    return engine.IsBound("KeyTriggered") && engine.Call<bool>("KeyTriggered", std::string(key));
}

}  // namespace

DisplaySwitcher::DisplaySwitcher(Resize resize) : resize(std::move(resize)) {}

void DisplaySwitcher::ListModes(int windowWidth, int windowHeight) {
    listed = true;
    const int display = SDL_GetWindowDisplayIndex(Windows::windowHandle);
    SDL_DisplayMode desktop{};
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &desktop) != 0) {
        return;
    }
    std::vector<DisplayMode> offered;
    // SDL lists the largest mode first; the game lists them from the smallest.
    for (int i = SDL_GetNumDisplayModes(display) - 1; i >= 0; --i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) == 0 && SDL_BITSPERPIXEL(mode.format) >= 24) {
            offered.push_back({mode.w, mode.h, mode.refresh_rate});
        }
    }
    modes.Build(offered, desktop.w, desktop.h);
    modes.FallBack({desktop.w, desktop.h, desktop.refresh_rate}, {windowWidth, windowHeight, 60});
    modes.SelectWindowed(windowWidth, windowHeight);
}

void DisplaySwitcher::HandleKeys(ZELM::DynamicCaller& engine) {
    const bool alt = KeyDown(engine, "LALT") || KeyDown(engine, "RALT");
    if (fullscreen && alt && KeyDown(engine, "TAB")) {
        fullscreen = false;
        Apply();
    }
    if (KeyTriggered(engine, "F11") || (alt && KeyTriggered(engine, "ENTER"))) {
        ToggleFullscreen();
        if (engine.IsBound("PlayJump")) {
            engine.Call("PlayJump");
        }
    }
}

void DisplaySwitcher::ToggleFullscreen() {
    fullscreen = !fullscreen;
    Apply();
}

void DisplaySwitcher::NextResolution() {
    modes.Next(fullscreen);
    Apply();
}

void DisplaySwitcher::Apply() {
    SDL_Window* window = Windows::windowHandle;
    const DisplayMode* mode = modes.Current(fullscreen);
    if (!listed || window == nullptr || mode == nullptr) {
        // Nothing to switch to: the picture stays in the state it is in.
        fullscreen = fullscreen && mode != nullptr;
        return;
    }
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
    SDL_DisplayMode desktop{};
    const int display = SDL_GetWindowDisplayIndex(window);
    const bool desktopSized = display >= 0 && SDL_GetDesktopDisplayMode(display, &desktop) == 0 &&
                              desktop.w == mode->width && desktop.h == mode->height;
    if (fullscreen && desktopSized) {
        // A bare window over the whole desktop: no mode change, and it needs no window manager.
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, 0, 0);
        SDL_SetWindowSize(window, mode->width, mode->height);
    } else if (fullscreen) {
        SDL_DisplayMode wanted{};
        wanted.w = mode->width;
        wanted.h = mode->height;
        wanted.refresh_rate = 60;
        SDL_SetWindowDisplayMode(window, &wanted);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowSize(window, mode->width, mode->height);
        SDL_SetWindowPosition(window, 100, 100);
    }
    resize(static_cast<unsigned>(mode->width), static_cast<unsigned>(mode->height), fullscreen);
}

}  // namespace Graphics
