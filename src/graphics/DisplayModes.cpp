// Filtering and stepping through display modes.
#include "graphics/DisplayModes.h"

namespace Graphics {

void DisplayModes::Build(const std::vector<DisplayMode>& modes, int desktopWidth, int desktopHeight) {
    fullscreenModes.clear();
    windowedModes.clear();
    // Shapes are compared as the floats they compute to, exactly.
    const float desktopAspect = static_cast<float>(desktopWidth) / static_cast<float>(desktopHeight);
    const float windowAspect = 4.0f / 3.0f;
    for (const DisplayMode& mode : modes) {
        if (mode.refreshRate != 60 || mode.height <= 0) {
            continue;
        }
        const float aspect = static_cast<float>(mode.width) / static_cast<float>(mode.height);
        if (aspect == desktopAspect) {
            fullscreenModes.push_back(mode);
        }
        if (aspect == windowAspect && mode.height >= 600) {
            windowedModes.push_back(mode);
        }
    }
    fullscreenIndex = fullscreenModes.empty() ? 0 : fullscreenModes.size() - 1;
    windowedIndex = 0;
}

const DisplayMode* DisplayModes::Current(bool fullscreen) const {
    const std::vector<DisplayMode>& list = fullscreen ? fullscreenModes : windowedModes;
    const std::size_t index = fullscreen ? fullscreenIndex : windowedIndex;
    return list.empty() ? nullptr : &list[index];
}

void DisplayModes::Next(bool fullscreen) {
    const std::vector<DisplayMode>& list = fullscreen ? fullscreenModes : windowedModes;
    std::size_t& index = fullscreen ? fullscreenIndex : windowedIndex;
    // An empty list has nothing to step to.
    index = list.empty() ? 0 : (index + 1) % list.size();
}

void DisplayModes::FallBack(const DisplayMode& desktop, const DisplayMode& window) {
    if (fullscreenModes.empty() && desktop.width > 0 && desktop.height > 0) {
        fullscreenModes.push_back(desktop);
        fullscreenIndex = 0;
    }
    if (windowedModes.empty() && window.width > 0 && window.height > 0) {
        windowedModes.push_back(window);
        windowedIndex = 0;
    }
}

void DisplayModes::SelectWindowed(int width, int height) {
    for (std::size_t i = 0; i < windowedModes.size(); ++i) {
        if (windowedModes[i].width == width && windowedModes[i].height == height) {
            windowedIndex = i;
            return;
        }
    }
}

}  // namespace Graphics
