// Full screen or windowed, and at which of the offered modes: the window switched by the bound
// toggles and by the display hotkeys, the back buffer resized after it.
#pragma once

#include <functional>

#include "graphics/DisplayModes.h"

namespace ZELM {
class DynamicCaller;
}

namespace Graphics {

class DisplaySwitcher {
public:
    // Sizes the back buffer for the mode the window has just taken: its width, height and whether
    // it is full screen.
    using Resize = std::function<void(unsigned, unsigned, bool)>;

    explicit DisplaySwitcher(Resize resize);

    // Lists the modes of the window's display and makes the window's own size the windowed mode.
    // Only after this call do the switches reach the window: without a device they change nothing.
    void ListModes(int windowWidth, int windowHeight);
    // Alt+Tab leaves full screen; F11 or Alt+Enter toggles it, with the jump sound as its click.
    void HandleKeys(ZELM::DynamicCaller& engine);
    void ToggleFullscreen();
    // The next mode of the current state's list.
    void NextResolution();
    bool IsFullscreen() const { return fullscreen; }
    const DisplayModes& GetModes() const { return modes; }

private:
    // Puts the window in the current state at its current mode, then has the back buffer resized.
    void Apply();

    Resize resize;
    DisplayModes modes;
    bool listed = false;
    bool fullscreen = false;
};

}  // namespace Graphics
