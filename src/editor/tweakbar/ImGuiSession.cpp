// ImGui's lifetime and frames.
#include "editor/tweakbar/ImGuiSession.h"

#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include <algorithm>

namespace Tweak {

namespace {

constexpr float kShortestFrame = 1.0f / 10000.0f;

bool IsMouseEvent(Uint32 type) {
    return type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP ||
           type == SDL_MOUSEWHEEL;
}

bool IsKeyboardEvent(Uint32 type) {
    return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_TEXTINPUT || type == SDL_TEXTEDITING;
}

}  // namespace

std::unique_ptr<ImGuiSession> ImGuiSession::Start(SDL_Window* window, std::string& error) {
    IMGUI_CHECKVERSION();
    std::unique_ptr<ImGuiSession> session(new ImGuiSession(ImGui::CreateContext()));
    ImGui::SetCurrentContext(session->context_);
    ImGuiIO& io = ImGui::GetIO();
    // Bars are placed by the program's definitions, not by a file ImGui would write in the working
    // directory.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    session->sdlBackend_ = ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
    if (!session->sdlBackend_) {
        error = "the SDL side of the drawing could not start";
        return nullptr;
    }
    session->openGlBackend_ = ImGui_ImplOpenGL3_Init("#version 330");
    if (!session->openGlBackend_) {
        error = "the OpenGL side of the drawing could not start (no OpenGL 3.3 library?)";
        return nullptr;
    }
    return session;
}

ImGuiSession::~ImGuiSession() {
    ImGui::SetCurrentContext(context_);
    if (openGlBackend_) {
        ImGui_ImplOpenGL3_Shutdown();
    }
    if (sdlBackend_) {
        ImGui_ImplSDL2_Shutdown();
    }
    ImGui::DestroyContext(context_);
}

void ImGuiSession::SetDisplaySize(int width, int height) {
    width_ = width;
    height_ = height;
    ApplyDisplaySize();
}

void ImGuiSession::ApplyDisplaySize() const {
    if (width_ > 0 && height_ > 0) {
        ImGui::SetCurrentContext(context_);
        ImGui::GetIO().DisplaySize = ImVec2(static_cast<float>(width_), static_cast<float>(height_));
    }
}

std::vector<PendingAction> ImGuiSession::DrawFrame(BarRegistry& bars) {
    ImGui::SetCurrentContext(context_);
    ImGui_ImplOpenGL3_NewFrame();
    // Measures the window every frame; a size given through TwWindowSize wins over it.
    ImGui_ImplSDL2_NewFrame();
    ApplyDisplaySize();
    // ImGui aborts on a frame of no time, which two draws within one clock tick would make.
    ImGuiIO& io = ImGui::GetIO();
    io.DeltaTime = std::max(io.DeltaTime, kShortestFrame);
    ImGui::NewFrame();
    std::vector<PendingAction> actions = painter_.Paint(bars);
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    return actions;
}

bool ImGuiSession::ProcessEvent(const SDL_Event& event) {
    ImGui::SetCurrentContext(context_);
    ImGui_ImplSDL2_ProcessEvent(&event);
    const ImGuiIO& io = ImGui::GetIO();
    return (IsMouseEvent(event.type) && io.WantCaptureMouse) ||
           (IsKeyboardEvent(event.type) && io.WantCaptureKeyboard);
}

bool ImGuiSession::TypingInField() const {
    ImGui::SetCurrentContext(context_);
    return ImGui::GetIO().WantTextInput;
}

}  // namespace Tweak
