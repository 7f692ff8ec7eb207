// The display modes the game offers: full-screen modes of the desktop's shape and 4:3 windows.
#pragma once

#include <cstddef>
#include <vector>

namespace Graphics {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int refreshRate = 0;
};

class DisplayModes {
public:
    // Keeps, in the given order, the 60 Hz modes whose shape is exactly the desktop's (full
    // screen) and those exactly 4:3 and at least 600 high (windowed). The full-screen choice
    // starts at the last entry, the windowed one at the first.
    void Build(const std::vector<DisplayMode>& modes, int desktopWidth, int desktopHeight);
    // The current mode of the state; null when its list is empty (the state then keeps the mode
    // it has).
    const DisplayMode* Current(bool fullscreen) const;
    // Advances the current entry of the state's list, wrapping to the first.
    void Next(bool fullscreen);
    // A list left empty by the rules (a display that reports no 60 Hz modes, as virtual ones do)
    // gets one entry: the desktop's mode for full screen, the window's size for windowed, so that
    // the toggles always have a mode to switch to.
    void FallBack(const DisplayMode& desktop, const DisplayMode& window);
    // Makes the windowed entry of that size current when there is one, so the game starts in the
    // window it was given.
    void SelectWindowed(int width, int height);

    const std::vector<DisplayMode>& GetFullscreen() const { return fullscreenModes; }
    const std::vector<DisplayMode>& GetWindowed() const { return windowedModes; }

private:
    std::vector<DisplayMode> fullscreenModes;
    std::vector<DisplayMode> windowedModes;
    std::size_t fullscreenIndex = 0;
    std::size_t windowedIndex = 0;
};

}  // namespace Graphics
