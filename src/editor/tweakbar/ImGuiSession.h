// The ImGui context and its SDL and OpenGL 3 backends, from TwInit to TwTerminate.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/BarPainter.h"
#include "editor/tweakbar/BarRegistry.h"
#include "editor/tweakbar/PendingAction.h"

struct ImGuiContext;

namespace Tweak {

class ImGuiSession {
public:
    // window's OpenGL 3.3 core context must be current. Null, with a reason, when a backend fails.
    static std::unique_ptr<ImGuiSession> Start(SDL_Window* window, std::string& error);
    // Shuts the backends down, then the context; the GL context must still be current.
    ~ImGuiSession();
    ImGuiSession(const ImGuiSession&) = delete;
    ImGuiSession& operator=(const ImGuiSession&) = delete;

    // 0 x 0 follows the window's own size.
    void SetDisplaySize(int width, int height);
    // One whole ImGui frame over the current framebuffer; returns what the user did in it.
    std::vector<PendingAction> DrawFrame(BarRegistry& bars);
    // Whether the bars consumed the event.
    bool ProcessEvent(const SDL_Event& event);
    // Whether a text field has the keyboard.
    bool TypingInField() const;

private:
    explicit ImGuiSession(ImGuiContext* context) : context_(context) {}
    void ApplyDisplaySize() const;

    ImGuiContext* context_;
    bool sdlBackend_ = false;
    bool openGlBackend_ = false;
    int width_ = 0;
    int height_ = 0;
    BarPainter painter_;
};

}  // namespace Tweak
