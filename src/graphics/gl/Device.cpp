// The OpenGL context and the frame's clears, presentation and read-back.
#include "graphics/gl/Device.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>

namespace Graphics {
namespace {
int liveContexts = 0;
}  // namespace

// Destroying the window unbinds its context, so shutdown may find a context that is no longer current.
bool Device::HasLiveContext() {
    return liveContexts > 0 && SDL_GL_GetCurrentContext() != nullptr;
}

Device::Device(SDL_Window* gameWindow) {
    if (gameWindow == nullptr) {
        error = "no window";
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GLContext created = SDL_GL_CreateContext(gameWindow);
    if (created == nullptr) {
        error = SDL_GetError();
        return;
    }
    window = gameWindow;
    context = created;
    ++liveContexts;
    // Not tied to the display's refresh until the player's settings ask for it (SetVsync).
    SDL_GL_SetSwapInterval(0);
    SDL_GL_GetDrawableSize(window, &width, &height);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
}

Device::~Device() {
    if (context != nullptr) {
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
        --liveContexts;
    }
}

void Device::BeginMain(std::uint32_t argb) {
    if (IsNull()) {
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClearColor(static_cast<float>((argb >> 16) & 0xff) / 255.0f,
                 static_cast<float>((argb >> 8) & 0xff) / 255.0f, static_cast<float>(argb & 0xff) / 255.0f,
                 static_cast<float>(argb >> 24) / 255.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void Device::Resize(int modeWidth, int modeHeight) {
    if (IsNull()) {
        return;
    }
    width = modeWidth;
    height = modeHeight;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    if (drawableWidth > 0 && drawableHeight > 0) {
        width = drawableWidth;
        height = drawableHeight;
    }
}

void Device::UseBackBuffer() {
    if (IsNull()) {
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
}

void Device::SetDepthWrite(bool on) {
    if (!IsNull()) {
        glDepthMask(on ? GL_TRUE : GL_FALSE);
    }
}

void Device::SetScissor(int x, int y, int rectWidth, int rectHeight) {
    if (!IsNull()) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, rectWidth, rectHeight);
    }
}

void Device::ClearScissor() {
    if (!IsNull()) {
        glDisable(GL_SCISSOR_TEST);
    }
}

void Device::Present() {
    if (!IsNull()) {
        SDL_GL_SwapWindow(window);
    }
}

bool Device::SetVsync(bool on) {
    if (IsNull()) {
        return false;
    }
    if (!on) {
        SDL_GL_SetSwapInterval(0);
        return false;
    }
    return SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
}

bool Device::ReadBackBuffer(std::vector<std::uint8_t>& rgba, int& outWidth, int& outHeight) const {
    if (IsNull() || width <= 0 || height <= 0) {
        return false;
    }
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    // OpenGL's rows start at the bottom; pictures start at the top.
    rgba.resize(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        std::copy_n(
            bottomUp.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(height - 1 - y)),
            row, rgba.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
    }
    outWidth = width;
    outHeight = height;
    return true;
}

}  // namespace Graphics
