// The display the drawing tests need: whether there is one, and a window ready for OpenGL 3.3 on it.
#pragma once

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace ZELMTest {

inline bool HasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

// Starts SDL's video and makes a window that can take an OpenGL 3.3 core context; null, with the
// reason to skip in `why`, when there is no display or no such window. The caller destroys the
// window and quits the video subsystem.
inline SDL_Window* OpenTestWindow(const char* title, int width, int height, Uint32 flags, std::string& why) {
    if (!HasDisplay()) {
        why = "no display to draw on";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = std::string("no video: ") + SDL_GetError();
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL | flags);
    if (window == nullptr) {
        why = std::string("no OpenGL window: ") + SDL_GetError();
    }
    return window;
}

}  // namespace ZELMTest
