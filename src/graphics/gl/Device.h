// The graphics device: an OpenGL 3.3 core context on the game's window, or a null device that
// accepts the same calls and draws nothing (headless runs, or no context to be had).
#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <string>
#include <vector>

struct SDL_Window;

namespace Graphics {

class Device {
public:
    // The fixed transforms the frame sets and the components read back to draw with.
    enum class Transform { World, View, Projection };

    // A device drawing into the window; a null window, or a window that cannot give an OpenGL 3.3
    // core context, makes a null device (the reason is kept in GetError).
    explicit Device(SDL_Window* window);
    // Deletes the context only: the window may already be gone when the services shut down.
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool IsNull() const { return context == nullptr; }
    // Whether a context is alive and current: assets outlive the graphics service and the window
    // goes before it, and nothing may be freed on a context that is gone (it freed everything).
    static bool HasLiveContext();
    const std::string& GetError() const { return error; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

    // Kept on the null device too: the camera and components work the same headless.
    void SetTransform(Transform which, const glm::mat4& value) { transforms[static_cast<int>(which)] = value; }
    const glm::mat4& GetTransform(Transform which) const { return transforms[static_cast<int>(which)]; }

    // Draws into the window again (after a render target) and clears colour and depth.
    void BeginMain(std::uint32_t argb);
    // The back buffer takes the size of the display mode; the window's drawable size wins when
    // the window system gave it another.
    void Resize(int modeWidth, int modeHeight);
    // Draws into the window again, keeping what is there.
    void UseBackBuffer();
    // See-through surfaces drawn without depth writes leave what is behind them (and what is drawn
    // after them) in view.
    void SetDepthWrite(bool on);
    // Draws only inside the rectangle of the current target (rows from the bottom) until
    // ClearScissor.
    void SetScissor(int x, int y, int rectWidth, int rectHeight);
    void ClearScissor();
    void Present();
    // On: the swap waits for the display's refresh, adaptively where the driver can (a late frame
    // is shown at once instead of waiting for the next refresh); off: it never waits. True when the
    // swap now waits; a null device, or a driver that refuses, never does.
    bool SetVsync(bool on);
    // The back buffer as RGBA rows from the top; false on a null device.
    bool ReadBackBuffer(std::vector<std::uint8_t>& rgba, int& outWidth, int& outHeight) const;

private:
    SDL_Window* window = nullptr;
    void* context = nullptr;
    std::string error;
    int width = 0;
    int height = 0;
    glm::mat4 transforms[3] = {glm::mat4(1.0f), glm::mat4(1.0f), glm::mat4(1.0f)};
};

}  // namespace Graphics
