// The window service: owns the game's window and pumps the operating system's messages.
#pragma once

#include <cstdint>
#include <string>

#include <SDL.h>

#include "engine/Service.h"
#include "windows/WindowsMessage.h"

namespace Windows {

class WindowsService : public ZELM::Service {
public:
    explicit WindowsService(bool headless) : headless(headless) {}
    ~WindowsService() override;

    // Creates the window (none when headless), so it exists before any later service binds.
    void Bind() override;
    // Shows the window.
    void Init() override;
    void Update(float dt) override { UpdateComponents(dt); }

    // Handles every message waiting in the queue; a posted quit becomes the engine's deferred "Quit".
    void HandleOSMessages();
    // Hands one message to every "WindowsMessageHandler", then applies the default handling unless a
    // handler took it. Returns 0, as every message the game handles does.
    std::intptr_t WindowProcedure(WindowsMessage message);

    bool IsHeadless() const { return headless; }
    SDL_Window* GetWindow() const { return window; }
    // The event last taken from the queue.
    const SDL_Event& GetLastMessage() const { return lastMessage; }

private:
    // What closing does by default: the window goes away, then its destroy message is handled.
    void DestroyWindow(const WindowsMessage& close);
    // Follows whether the window is in front (focused and not minimised): out of sight the frames
    // slow to a trickle, and "WindowFocusChanged" tells the game each time it changes.
    void FollowWindowState(Uint8 windowEvent);
    void ImportDroppedFile(const char* file);

    bool headless;
    bool videoStarted = false;
    bool destroyed = false;
    bool quitPosted = false;
    // Focused until the window system says otherwise: on a display without a window manager it never does.
    bool focused = true;
    bool minimised = false;
    SDL_Window* window = nullptr;
    SDL_Event lastMessage{};
};

}  // namespace Windows
