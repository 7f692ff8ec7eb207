// The window service's window, message pump and default message handling.
#include "windows/WindowsService.h"

#include <cstdio>

#include "engine/Engine.h"
#include "engine/ProblemReport.h"
#include "windows/EventTranslation.h"
#include "windows/WindowHandles.h"

namespace Windows {

SDL_Window* windowHandle = nullptr;

WindowsService::~WindowsService() {
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        if (windowHandle == window) {
            windowHandle = nullptr;
        }
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

void WindowsService::Bind() {
    ZELM::DynamicBinder::Bind("HandleOSMessages", this, &WindowsService::HandleOSMessages);

    // A headless run still has an event queue, on the driver that needs no display.
    if (headless) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    } else {
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    }
    // Closing the window must go through the handlers, which may keep it open; SDL would post its
    // own quit request on top.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_APP_NAME, "ZELM");
    videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!videoStarted) {
        std::fprintf(stderr, "fallward: no window system: %s\n", SDL_GetError());
    } else if (!headless) {
        // OpenGL-capable, so the graphics service can make its context on this window; hidden until Init.
        window = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kClientWidth, kClientHeight,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window == nullptr) {
            std::fprintf(stderr, "fallward: no window: %s\n", SDL_GetError());
        }
    }
    windowHandle = window;
}

void WindowsService::Init() {
    if (window != nullptr) {
        SDL_ShowWindow(window);
    }
}

void WindowsService::HandleOSMessages() {
    for (;;) {
        if (quitPosted) {
            quitPosted = false;
            CallLater("Quit", 0.0f);
            continue;
        }
        if (!videoStarted || SDL_PollEvent(&lastMessage) == 0) {
            break;
        }
        if (lastMessage.type == SDL_QUIT) {
            CallLater("Quit", 0.0f);
            continue;
        }
        for (const WindowsMessage& message : TranslateEvent(lastMessage, window)) {
            WindowProcedure(message);
        }
        if (lastMessage.type == SDL_WINDOWEVENT) {
            FollowWindowState(lastMessage.window.event);
        }
        if (lastMessage.type == SDL_DROPFILE) {
            ImportDroppedFile(lastMessage.drop.file);
            SDL_free(lastMessage.drop.file);
        }
    }
}

// A level file dropped on the window joins the player's levels, which then show it; a refused
// file is reported with the reason and the game goes on where it was.
void WindowsService::ImportDroppedFile(const char* file) {
    if (file == nullptr || !IsBound("ImportLevelFile")) {
        return;
    }
    const std::string problem = Call<std::string>("ImportLevelFile", std::string(file));
    if (problem.empty()) {
        CallLater("LoadLevel", 0.0f, std::string("MyLevels"));
    } else {
        ZELM_PROBLEM("Windows::WindowsService::ImportDroppedFile", "The level file \"%s\" was not imported: %s", file,
                     problem.c_str());
    }
}

void WindowsService::FollowWindowState(Uint8 windowEvent) {
    const bool wasInFront = focused && !minimised;
    switch (windowEvent) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            focused = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focused = false;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            minimised = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            minimised = false;
            break;
        default:
            return;
    }
    const bool inFront = focused && !minimised;
    if (inFront == wasInFront) {
        return;
    }
    if (ZELM::Engine::Exists()) {
        ZELM::Engine::Instance().GetPacer().SetIdle(!inFront);
    }
    CallAll("WindowFocusChanged", inFront);
}

std::intptr_t WindowsService::WindowProcedure(WindowsMessage message) {
    bool handled = false;
    message.handled = &handled;
    CallAll("WindowsMessageHandler", message);
    if (handled) {
        return 0;
    }
    switch (message.message) {
        case Message::kClose:
            DestroyWindow(message);
            return 0;
        case Message::kDestroy:
            quitPosted = true;
            return 0;
        default:
            return 0;
    }
}

void WindowsService::DestroyWindow(const WindowsMessage& close) {
    if (destroyed) {
        return;
    }
    destroyed = true;
    // The window is only hidden: the graphics service may still hold a context on it until shutdown.
    if (window != nullptr) {
        SDL_HideWindow(window);
    }
    WindowsMessage destroy;
    destroy.window = close.window;
    destroy.message = Message::kDestroy;
    WindowProcedure(destroy);
}

}  // namespace Windows
