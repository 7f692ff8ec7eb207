// Keyboard and mouse sampling, key queries by name and the pick ray.
#include "input/InputService.h"

#include <algorithm>
#include <cctype>

#include <SDL.h>

#include "engine/ComponentRegistry.h"
#include "input/NetworkInput.h"
#include "input/ScanCodeTable.h"
#include "windows/WindowHandles.h"

namespace Input {

InputService::InputService(bool headless, std::string scriptPath)
    : headless(headless), scriptPath(std::move(scriptPath)) {
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        keyNames[kKeyNames[i].name] = kKeyNames[i].code;
    }
}

void InputService::Bind() {
    using ZELM::DynamicBinder;
    DynamicBinder::Bind("KeyDown", this, &InputService::KeyDown);
    DynamicBinder::Bind("KeyTriggered", this, &InputService::KeyTriggered);
    DynamicBinder::Bind("EditorKeyDown", this, &InputService::EditorKeyDown);
    DynamicBinder::Bind("EditorKeyTriggered", this, &InputService::EditorKeyTriggered);
    DynamicBinder::Bind("NetKeyDown", this, &InputService::NetKeyDown);
    DynamicBinder::Bind("NetKeyTriggered", this, &InputService::NetKeyTriggered);
    DynamicBinder::Bind("LeftClick", this, &InputService::LeftClick);
    DynamicBinder::Bind("LeftClickTrigger", this, &InputService::LeftClickTrigger);
    DynamicBinder::Bind("RightClick", this, &InputService::RightClick);
    DynamicBinder::Bind("RightClickTrigger", this, &InputService::RightClickTrigger);
    DynamicBinder::Bind("MiddleClick", this, &InputService::MiddleClick);
    DynamicBinder::Bind("xMouse", this, &InputService::xMouse);
    DynamicBinder::Bind("yMouse", this, &InputService::yMouse);
    DynamicBinder::Bind("xMouseProjected", this, &InputService::xMouseProjected);
    DynamicBinder::Bind("yMouseProjected", this, &InputService::yMouseProjected);
    DynamicBinder::Bind("getKeystates", this, &InputService::getKeystates);
    DynamicBinder::Bind("getPastKeystates", this, &InputService::getPastKeystates);
    DynamicBinder::Bind("getNetworkKeystates", this, &InputService::getNetworkKeystates);
    DynamicBinder::Bind("getNetworkPastKeystates", this, &InputService::getNetworkPastKeystates);
    ZELM::ComponentRegistry::Instance().Register<NetworkInput>("Input", "NetworkInput");
}

void InputService::Init() {
    if (scriptPath.empty()) {
        return;
    }
    script = std::make_unique<InputScript>();
    script->Load(scriptPath);
    // Events of frame 1 are what gameplay sees in frame 1, so they are in place before it runs.
    frame = 1;
    script->AdvanceTo(frame);
    keys = script->GetState().keys;
    mouse.buttons = script->GetState().buttons;
    cursorX = script->GetState().cursorX;
    cursorY = script->GetState().cursorY;
}

void InputService::Update(float dt) {
    UpdateComponents(dt);
    pastKeys = keys;
    pastMouse = mouse;
    if (script) {
        SampleScript();
    } else if (Windows::windowHandle != nullptr && !headless) {
        SampleDevices();
    }
    AimRay();
}

void InputService::SampleScript() {
    // Gameplay updates before this service, so what is sampled now is what it sees next frame:
    // the script's next frame.
    ++frame;
    script->AdvanceTo(frame);
    const InputScript::State& state = script->GetState();
    keys = state.keys;
    mouse = MouseState();
    mouse.buttons = state.buttons;
    mouse.x = state.cursorX - cursorX;
    mouse.y = state.cursorY - cursorY;
    cursorX = state.cursorX;
    cursorY = state.cursorY;
}

void InputService::SampleDevices() {
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    keys.fill(0);
    for (int key = 0; key < count; ++key) {
        const int code = held[key] != 0 ? ScanCodeOf(static_cast<SDL_Scancode>(key)) : 0;
        if (code != 0) {
            keys[static_cast<std::size_t>(code)] = static_cast<char>(0x80);
        }
    }

    // The screen position made relative to the client area, so the cursor is known (and the
    // buttons read) even while the window does not have the focus.
    int screenX = 0;
    int screenY = 0;
    const Uint32 buttons = SDL_GetGlobalMouseState(&screenX, &screenY);
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(Windows::windowHandle, &windowX, &windowY);
    cursorX = screenX - windowX;
    cursorY = screenY - windowY;

    mouse = MouseState();
    SDL_GetRelativeMouseState(&mouse.x, &mouse.y);
    const Uint32 masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK, SDL_BUTTON_X1MASK};
    for (std::size_t i = 0; i < 4; ++i) {
        mouse.buttons[i] = (buttons & masks[i]) != 0 ? 0x80 : 0;
    }
}

void InputService::AimRay() {
    int width = Windows::kClientWidth;
    int height = Windows::kClientHeight;
    if (Windows::windowHandle != nullptr) {
        SDL_GetWindowSize(Windows::windowHandle, &width, &height);
    }
    // Until a renderer binds its matrices the camera sits at the origin looking along z.
    const Matrix projection = IsBound("GetProjectionMatrix") ? Call<Matrix>("GetProjectionMatrix") : IdentityMatrix();
    const Matrix view = IsBound("GetViewMatrix") ? Call<Matrix>("GetViewMatrix") : IdentityMatrix();
    if (ray.Aim(cursorX, cursorY, width, height, projection, view) && ray.direction[2] != 0.0f) {
        const float t = -ray.origin[2] / ray.direction[2];
        cursorWorldX = ray.origin[0] + t * ray.direction[0];
        cursorWorldY = ray.origin[1] + t * ray.direction[1];
    }
}

bool InputService::EditorActive() { return IsBound("GetEditorMode") && Call<bool>("GetEditorMode"); }

int InputService::CodeOf(const std::string& name) const {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    // Looked up with find: an unknown name must not grow the table.
    const auto found = keyNames.find(upper);
    return found != keyNames.end() ? found->second : 0;
}

bool InputService::Held(const std::array<char, 256>& state, int code) {
    // Code 0 stands for every unknown name and is never held, whatever wrote into it.
    return code > 0 && code < 256 && (static_cast<unsigned char>(state[static_cast<std::size_t>(code)]) & 0x80) != 0;
}

bool InputService::KeyDown(std::string name) { return !EditorActive() && EditorKeyDown(name); }

bool InputService::KeyTriggered(std::string name) { return !EditorActive() && EditorKeyTriggered(name); }

bool InputService::EditorKeyDown(std::string name) { return Held(keys, CodeOf(name)); }

bool InputService::EditorKeyTriggered(std::string name) {
    const int code = CodeOf(name);
    return Held(keys, code) && !Held(pastKeys, code);
}

bool InputService::NetKeyDown(std::string name) { return Held(netKeys, CodeOf(name)); }

bool InputService::NetKeyTriggered(std::string name) {
    const int code = CodeOf(name);
    return Held(netKeys, code) && !Held(netPastKeys, code);
}

bool InputService::LeftClick() { return (mouse.buttons[0] & 0x80) != 0; }

bool InputService::LeftClickTrigger() { return LeftClick() && (pastMouse.buttons[0] & 0x80) == 0; }

bool InputService::RightClick() { return (mouse.buttons[1] & 0x80) != 0; }

bool InputService::RightClickTrigger() { return RightClick() && (pastMouse.buttons[1] & 0x80) == 0; }

bool InputService::MiddleClick() { return (mouse.buttons[2] & 0x80) != 0; }

int InputService::xMouse() { return cursorX; }

int InputService::yMouse() { return cursorY; }

float InputService::xMouseProjected(float z) { return ray.XAt(z); }

float InputService::yMouseProjected(float z) { return ray.YAt(z); }

}  // namespace Input
