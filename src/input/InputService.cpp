// Keyboard and mouse sampling, key queries by name and the pick ray.
#include "input/InputService.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>

#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "input/Action.h"
#include "input/NetworkInput.h"
#include "input/ScanCodeTable.h"
#include "windows/EventTranslation.h"
#include "windows/WindowHandles.h"

namespace Input {

InputService::InputService(bool headless, std::string scriptPath)
    : headless(headless), scriptPath(std::move(scriptPath)) {
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        keyNames[kKeyNames[i].name] = kKeyNames[i].code;
    }
}

InputService::~InputService() {
    if (watching) {
        SDL_DelEventWatch(&InputService::WatchDeviceEvents, this);
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
    DynamicBinder::Bind("ActionDown", this, &InputService::ActionDown);
    DynamicBinder::Bind("ActionTriggered", this, &InputService::ActionTriggered);
    DynamicBinder::Bind("NetActionDown", this, &InputService::NetActionDown);
    DynamicBinder::Bind("ActionPadLevel", this, &InputService::ActionPadLevel);
    DynamicBinder::Bind("GetControls", this, &InputService::GetControls);
    DynamicBinder::Bind("SetControls", this, &InputService::SetControls);
    DynamicBinder::Bind("RestoreDefaultControls", this, &InputService::RestoreDefaultControls);
    DynamicBinder::Bind("BindControlKey", this, &InputService::BindControlKey);
    DynamicBinder::Bind("BindControlPad", this, &InputService::BindControlPad);
    DynamicBinder::Bind("NameControls", this, &InputService::NameControls);
    DynamicBinder::Bind("IsPadLastUsed", this, &InputService::IsPadLastUsed);
    DynamicBinder::Bind("FirstKeyTriggered", this, &InputService::FirstKeyTriggered);
    DynamicBinder::Bind("GetScriptedPad", this, &InputService::GetScriptedPad);
    DynamicBinder::Bind("IsScriptedPadConnected", this, &InputService::IsScriptedPadConnected);
    DynamicBinder::Bind("getActionKeystates", this, &InputService::getActionKeystates);
    DynamicBinder::Bind("getPastActionKeystates", this, &InputService::getPastActionKeystates);
    DynamicBinder::Bind("LeftClick", this, &InputService::LeftClick);
    DynamicBinder::Bind("LeftClickTrigger", this, &InputService::LeftClickTrigger);
    DynamicBinder::Bind("RightClick", this, &InputService::RightClick);
    DynamicBinder::Bind("RightClickTrigger", this, &InputService::RightClickTrigger);
    DynamicBinder::Bind("MiddleClick", this, &InputService::MiddleClick);
    DynamicBinder::Bind("AnyPressTriggered", this, &InputService::AnyPressTriggered);
    DynamicBinder::Bind("IsInputScripted", this, &InputService::IsInputScripted);
    DynamicBinder::Bind("xMouse", this, &InputService::xMouse);
    DynamicBinder::Bind("yMouse", this, &InputService::yMouse);
    DynamicBinder::Bind("xMouseProjected", this, &InputService::xMouseProjected);
    DynamicBinder::Bind("yMouseProjected", this, &InputService::yMouseProjected);
    DynamicBinder::Bind("getKeystates", this, &InputService::getKeystates);
    DynamicBinder::Bind("getPastKeystates", this, &InputService::getPastKeystates);
    DynamicBinder::Bind("getNetworkKeystates", this, &InputService::getNetworkKeystates);
    DynamicBinder::Bind("getNetworkPastKeystates", this, &InputService::getNetworkPastKeystates);
    BindBroadcast("LevelStart", this, &InputService::LevelStart);
    ZELM::ComponentRegistry::Instance().Register<NetworkInput>("Input", "NetworkInput");
}

void InputService::Init() {
    if (scriptPath.empty() && !playingText) {
        if (keepingSeen && !headless) {
            SDL_AddEventWatch(&InputService::WatchDeviceEvents, this);
            watching = true;
        }
        return;
    }
    script = std::make_unique<InputScript>();
    if (!playingText) {
        script->Load(scriptPath);
    } else {
        script->Parse(scriptText, "replay");
    }
    if (scriptByTick) {
        return;  // the first tick puts its events in place
    }
    // Events of frame 1 are what gameplay sees in frame 1, so they are in place before it runs.
    frame = 1;
    ApplyScript(frame, sampled);
    pressedSinceTick.mouse = sampled.mouse;
    sampledSinceTick = true;
}

void InputService::BeginTick() {
    ++tick;
    pastKeys = keys;
    pastMouse = mouse;
    if (script && scriptByTick) {
        Sample now;
        now.cursorX = cursorX;
        now.cursorY = cursorY;
        ApplyScript(tick, now);
        Publish(now);
    } else {
        // What is held now, and what went down since the last tick though it is up again.
        Sample seen = sampled;
        for (std::size_t code = 0; code < seen.keys.size(); ++code) {
            seen.keys[code] = static_cast<char>(seen.keys[code] | pressedSinceTick.keys[code]);
        }
        for (std::size_t button = 0; button < seen.mouse.buttons.size(); ++button) {
            seen.mouse.buttons[button] |= pressedSinceTick.mouse.buttons[button];
        }
        seen.mouse.x = pressedSinceTick.mouse.x;
        seen.mouse.y = pressedSinceTick.mouse.y;
        seen.mouse.z = pressedSinceTick.mouse.z;
        Publish(seen);
        pressedSinceTick = Sample();
    }
    sampledSinceTick = false;
    FillActionKeys();
    KeepPublishedChanges();
}

void InputService::FillActionKeys() {
    pastActionKeys = actionKeys;
    actionKeys.fill(0);
    for (int id = 0; id < Controls::kCount; ++id) {
        if (KeyOfActionHeld(static_cast<Controls::Id>(id), keys)) {
            actionKeys[static_cast<std::size_t>(Controls::DefaultCodeOf(static_cast<Controls::Id>(id)))] =
                static_cast<char>(0x80);
        }
    }
}

bool InputService::KeyOfActionHeld(Controls::Id id, const std::array<char, 256>& state) const {
    const Controls::Binding& binding = controls.Get(id);
    return Held(state, binding.keys[0]) || Held(state, binding.keys[1]);
}

bool InputService::PadHeld(int padAction) {
    return padAction != Controls::kNone && IsBound("IsPressed") &&
           Call<char>("IsPressed", static_cast<Action>(padAction)) != 0;
}

void InputService::NoteLastDevice() {
    if (AnyPressTriggered()) {
        padLastUsed = false;
    } else if (IsBound("AnyButtonTriggered") && Call<bool>("AnyButtonTriggered")) {
        padLastUsed = true;
    }
}

bool InputService::ActionDown(std::string action) {
    const Controls::Id id = Controls::IdOf(action);
    if (id == Controls::kCount || EditorActive()) {
        return false;
    }
    const Controls::Binding& binding = controls.Get(id);
    return KeyOfActionHeld(id, keys) || PadHeld(binding.pad[0]) || PadHeld(binding.pad[1]);
}

bool InputService::ActionTriggered(std::string action) {
    const Controls::Id id = Controls::IdOf(action);
    if (id == Controls::kCount || EditorActive()) {
        return false;
    }
    const Controls::Binding& binding = controls.Get(id);
    for (const int code : binding.keys) {
        if (Held(keys, code) && !Held(pastKeys, code)) {
            return true;
        }
    }
    for (const int padAction : binding.pad) {
        if (padAction != Controls::kNone && IsBound("IsTriggered") &&
            Call<char>("IsTriggered", static_cast<Action>(padAction)) != 0) {
            return true;
        }
    }
    return false;
}

bool InputService::NetActionDown(std::string action) {
    const Controls::Id id = Controls::IdOf(action);
    return id != Controls::kCount && Held(netKeys, Controls::DefaultCodeOf(id));
}

float InputService::ActionPadLevel(std::string action) {
    const Controls::Id id = Controls::IdOf(action);
    if (id == Controls::kCount || EditorActive() || !IsBound("IsPressed")) {
        return 0.0f;
    }
    float level = 0.0f;
    for (const int padAction : controls.Get(id).pad) {
        if (padAction == Controls::kNone) {
            continue;
        }
        const int value = Call<char>("IsPressed", static_cast<Action>(padAction));
        // Sticks and triggers read in levels up to 5; buttons read 1.
        const bool analogue = padAction <= kRightLeft || padAction == kLeftTrigger || padAction == kRightTrigger;
        const float pushed = analogue ? static_cast<float>(value < 0 ? -value : value) / 5.0f : (value != 0 ? 1.0f : 0.0f);
        level = std::max(level, pushed);
    }
    return level;
}

std::string InputService::BindControlKey(std::string action, int code) {
    return controls.BindKey(Controls::IdOf(action), code);
}

std::string InputService::BindControlPad(std::string action, int padAction) {
    return controls.BindPad(Controls::IdOf(action), padAction);
}

std::string InputService::NameControls(std::string text) {
    return text.find('{') == std::string::npos ? text : controls.NameIn(text, padLastUsed);
}

int InputService::FirstKeyTriggered() {
    for (int code = 1; code < 256; ++code) {
        if (Held(keys, code) && !Held(pastKeys, code)) {
            return code;
        }
    }
    return 0;
}

void InputService::Publish(const Sample& sample) {
    keys = sample.keys;
    mouse = sample.mouse;
    cursorX = sample.cursorX;
    cursorY = sample.cursorY;
}

void InputService::Update(float dt) {
    UpdateComponents(dt);
    NoteLastDevice();
    AimRay();
}

void InputService::UpdateFrame(float /*frameMs*/) {
    if (script && scriptByTick) {
        return;
    }
    const Sample before = sampled;
    ++frame;
    if (script) {
        sampled.mouse = MouseState();
        ApplyScript(frame, sampled);
    } else if (Windows::windowHandle != nullptr && !headless) {
        SampleDevices();
    } else {
        return;
    }
    LatchPresses(before);
    sampledSinceTick = true;
}

void InputService::LatchPresses(const Sample& before) {
    for (std::size_t code = 0; code < sampled.keys.size(); ++code) {
        if (Held(sampled.keys, static_cast<int>(code)) && !Held(before.keys, static_cast<int>(code))) {
            pressedSinceTick.keys[code] = static_cast<char>(0x80);
        }
    }
    for (std::size_t button = 0; button < sampled.mouse.buttons.size(); ++button) {
        if ((sampled.mouse.buttons[button] & 0x80) != 0 && (before.mouse.buttons[button] & 0x80) == 0) {
            pressedSinceTick.mouse.buttons[button] = 0x80;
        }
    }
    pressedSinceTick.mouse.x += sampled.mouse.x;
    pressedSinceTick.mouse.y += sampled.mouse.y;
    pressedSinceTick.mouse.z += sampled.mouse.z;
}

void InputService::ApplyScript(int at, Sample& into) {
    script->AdvanceTo(at);
    // Messages go out as the events are met; the tick that sees them is this one when played by
    // tick, the next one otherwise.
    SendScriptedMessages(scriptByTick ? tick : tick + 1);
    const InputScript::State& state = script->GetState();
    into.keys = state.keys;
    into.mouse.buttons = state.buttons;
    into.mouse.x += state.cursorX - into.cursorX;
    into.mouse.y += state.cursorY - into.cursorY;
    into.cursorX = state.cursorX;
    into.cursorY = state.cursorY;
}

void InputService::LevelStart() {
    if (!script || !ZELM::Engine::Exists()) {
        return;
    }
    const std::string level = ZELM::Engine::Instance().GetLevelName();
    if (scriptByTick) {
        script->StartLevel(level, tick + 1);
        return;
    }
    // A level starts at the end of a tick. When the frame's sample came before it (the frame's
    // last tick), that sample was the level's first frame: the events the script holds for it go
    // in now, as they would in a run started at this level. Otherwise the next sample is.
    if (sampledSinceTick) {
        if (script->StartLevel(level, frame)) {
            sampled.mouse = MouseState();
            ApplyScript(frame, sampled);
            pressedSinceTick = Sample();
            pressedSinceTick.mouse = sampled.mouse;
        }
    } else if (script->StartLevel(level, frame + 1)) {
        // Nothing of the level before is still held when the level's first frame begins.
        sampled.keys.fill(0);
        sampled.mouse.buttons.fill(0);
        pressedSinceTick = Sample();
    }
}

namespace {

// The key a US keyboard gives for a position. SDL knows the layout only once video has started, so
// a headless run falls back to the standard one.
SDL_Keycode KeyOf(SDL_Scancode position) {
    const SDL_Keycode key = SDL_GetKeyFromScancode(position);
    if (key != SDLK_UNKNOWN) {
        return key;
    }
    if (position >= SDL_SCANCODE_A && position <= SDL_SCANCODE_Z) {
        return SDLK_a + (position - SDL_SCANCODE_A);
    }
    if (position >= SDL_SCANCODE_1 && position <= SDL_SCANCODE_9) {
        return SDLK_1 + (position - SDL_SCANCODE_1);
    }
    switch (position) {
        case SDL_SCANCODE_0:
            return SDLK_0;
        case SDL_SCANCODE_RETURN:
            return SDLK_RETURN;
        case SDL_SCANCODE_ESCAPE:
            return SDLK_ESCAPE;
        case SDL_SCANCODE_BACKSPACE:
            return SDLK_BACKSPACE;
        case SDL_SCANCODE_TAB:
            return SDLK_TAB;
        case SDL_SCANCODE_SPACE:
            return SDLK_SPACE;
        case SDL_SCANCODE_GRAVE:
            return SDLK_BACKQUOTE;
        default:
            return SDL_SCANCODE_TO_KEYCODE(position);
    }
}

// The SDL events a keyboard and mouse would have sent for one scripted event.
std::vector<SDL_Event> DeviceEventsOf(const InputScript::Event& scripted, int cursorX, int cursorY) {
    std::vector<SDL_Event> made;
    SDL_Event event{};
    switch (scripted.kind) {
        case InputScript::Kind::Down:
        case InputScript::Kind::Up:
            event.type = scripted.kind == InputScript::Kind::Down ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.state = scripted.kind == InputScript::Kind::Down ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.scancode = SdlScancodeOf(scripted.code);
            event.key.keysym.sym = KeyOf(event.key.keysym.scancode);
            made.push_back(event);
            break;
        case InputScript::Kind::Text:
            // One text event a character, as a keyboard types them.
            for (char c : scripted.text) {
                event = SDL_Event{};
                event.type = SDL_TEXTINPUT;
                event.text.text[0] = c;
                made.push_back(event);
            }
            break;
        case InputScript::Kind::Click:
            for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
                event = SDL_Event{};
                event.type = type;
                event.button.button = scripted.button == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
                event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
                event.button.x = cursorX;
                event.button.y = cursorY;
                made.push_back(event);
            }
            break;
        case InputScript::Kind::Wheel:
            event.type = SDL_MOUSEWHEEL;
            event.wheel.y = scripted.notches;
            event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
            made.push_back(event);
            break;
        case InputScript::Kind::Mouse:
            event.type = SDL_MOUSEMOTION;
            event.motion.x = scripted.x;
            event.motion.y = scripted.y;
            made.push_back(event);
            break;
        default:
            break;  // the pad sends the window nothing
    }
    return made;
}

}  // namespace

// Scripted input reaches the window-message handlers (the editor, the tweak bars) as the messages
// the devices would have given, so they can be driven headless.
void InputService::SendScriptedMessages(int keptAt) {
    const int x = script->GetState().cursorX;
    const int y = script->GetState().cursorY;
    for (const InputScript::Event& scripted : script->GetFreshEvents()) {
        // Keys, buttons and the cursor are kept as the tick sees them; typing and the wheel reach
        // the game as messages only, so they are kept as they go out.
        if (scripted.kind == InputScript::Kind::Text || scripted.kind == InputScript::Kind::Wheel) {
            Keep(scripted, keptAt);
        }
        // The pointer itself goes there too: user interfaces that read it directly see the script's.
        if (scripted.kind == InputScript::Kind::Mouse && Windows::windowHandle != nullptr) {
            SDL_WarpMouseInWindow(Windows::windowHandle, scripted.x, scripted.y);
        }
        for (const SDL_Event& event : DeviceEventsOf(scripted, x, y)) {
            for (Windows::WindowsMessage message : Windows::TranslateEvent(event, Windows::windowHandle)) {
                bool handled = false;
                message.handled = &handled;
                CallAll("WindowsMessageHandler", message);
            }
        }
    }
}

void InputService::SampleDevices() {
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    std::array<char, 256>& keys = sampled.keys;
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
    sampled.cursorX = screenX - windowX;
    sampled.cursorY = screenY - windowY;

    MouseState& mouse = sampled.mouse;
    mouse = MouseState();
    SDL_GetRelativeMouseState(&mouse.x, &mouse.y);
    const Uint32 masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK, SDL_BUTTON_X1MASK};
    for (std::size_t i = 0; i < 4; ++i) {
        mouse.buttons[i] = (buttons & masks[i]) != 0 ? 0x80 : 0;
    }
}

void InputService::Keep(InputScript::Event event, int at) {
    if (!keepingSeen) {
        return;
    }
    event.frame = at;
    event.section = 0;
    if (event.kind == InputScript::Kind::Mouse) {
        keptCursorX = event.x;
        keptCursorY = event.y;
    }
    seen.push_back(std::move(event));
}

// A held button is kept as a click of its first tick: scripts hold a button for one frame only.
void InputService::KeepPublishedChanges() {
    if (!keepingSeen) {
        return;
    }
    InputScript::Event event;
    for (int code = 1; code < static_cast<int>(keys.size()); ++code) {
        if (Held(keys, code) != Held(pastKeys, code)) {
            event.kind = Held(keys, code) ? InputScript::Kind::Down : InputScript::Kind::Up;
            event.code = code;
            Keep(event, tick);
        }
    }
    if (cursorX != keptCursorX || cursorY != keptCursorY) {
        event.kind = InputScript::Kind::Mouse;
        event.x = cursorX;
        event.y = cursorY;
        Keep(event, tick);
    }
    for (int button = 0; button < 2; ++button) {
        const std::size_t at = static_cast<std::size_t>(button);
        if ((mouse.buttons[at] & 0x80) != 0 && (pastMouse.buttons[at] & 0x80) == 0) {
            event.kind = InputScript::Kind::Click;
            event.button = button;
            Keep(event, tick);
        }
    }
}

int InputService::WatchDeviceEvents(void* service, SDL_Event* event) {
    auto* self = static_cast<InputService*>(service);
    InputScript::Event seen;
    if (event->type == SDL_MOUSEWHEEL && event->wheel.y != 0) {
        const int flipped = event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        seen.kind = InputScript::Kind::Wheel;
        seen.notches = std::clamp(event->wheel.y * flipped, -100, 100);
        self->Keep(seen, self->tick + 1);
    } else if (event->type == SDL_TEXTINPUT) {
        // A script types printable characters only; the rest of a typed text cannot be replayed.
        seen.kind = InputScript::Kind::Text;
        for (const char* c = event->text.text; *c != '\0'; ++c) {
            if (std::isprint(static_cast<unsigned char>(*c))) {
                seen.text += *c;
            }
        }
        if (!seen.text.empty()) {
            self->Keep(seen, self->tick + 1);
        }
    }
    return 1;
}

std::vector<InputScript::Event> InputService::HeldEvents() const {
    std::vector<InputScript::Event> held;
    InputScript::Event event;
    event.frame = 1;
    for (int code = 1; code < static_cast<int>(keys.size()); ++code) {
        if (Held(keys, code)) {
            event.kind = InputScript::Kind::Down;
            event.code = code;
            held.push_back(event);
        }
    }
    if (cursorX != 0 || cursorY != 0) {
        event.kind = InputScript::Kind::Mouse;
        event.x = cursorX;
        event.y = cursorY;
        held.push_back(event);
    }
    return held;
}

void InputService::AimRay() {
    int width = Windows::kClientWidth;
    int height = Windows::kClientHeight;
    if (Windows::windowHandle != nullptr) {
        SDL_GetWindowSize(Windows::windowHandle, &width, &height);
    }
    // Until a renderer binds its matrices the camera sits at the origin looking along z.
    const Matrix projection =
        IsBound("GetProjectionMatrix") ? Call<Matrix>("GetProjectionMatrix") : IdentityMatrix();
    const Matrix view = IsBound("GetViewMatrix") ? Call<Matrix>("GetViewMatrix") : IdentityMatrix();
    if (ray.Aim(cursorX, cursorY, width, height, projection, view) && ray.direction[2] != 0.0f) {
        const float t = -ray.origin[2] / ray.direction[2];
        cursorWorldX = ray.origin[0] + t * ray.direction[0];
        cursorWorldY = ray.origin[1] + t * ray.direction[1];
    }
}

// Editor mode, or the console's field holding the keyboard: what is typed there is not play.
bool InputService::EditorActive() {
    return IsBound("EditorBlockingInput") && Call<bool>("EditorBlockingInput");
}

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
    return code > 0 && code < 256 &&
           (static_cast<unsigned char>(state[static_cast<std::size_t>(code)]) & 0x80) != 0;
}

bool InputService::KeyDown(std::string name) {
    return !EditorActive() && EditorKeyDown(name);
}

bool InputService::KeyTriggered(std::string name) {
    return !EditorActive() && EditorKeyTriggered(name);
}

bool InputService::EditorKeyDown(std::string name) {
    return Held(keys, CodeOf(name));
}

bool InputService::EditorKeyTriggered(std::string name) {
    const int code = CodeOf(name);
    return Held(keys, code) && !Held(pastKeys, code);
}

bool InputService::NetKeyDown(std::string name) {
    return Held(netKeys, CodeOf(name));
}

bool InputService::NetKeyTriggered(std::string name) {
    const int code = CodeOf(name);
    return Held(netKeys, code) && !Held(netPastKeys, code);
}

bool InputService::LeftClick() {
    return (mouse.buttons[0] & 0x80) != 0;
}

bool InputService::LeftClickTrigger() {
    return LeftClick() && (pastMouse.buttons[0] & 0x80) == 0;
}

bool InputService::RightClick() {
    return (mouse.buttons[1] & 0x80) != 0;
}

bool InputService::RightClickTrigger() {
    return RightClick() && (pastMouse.buttons[1] & 0x80) == 0;
}

bool InputService::AnyPressTriggered() {
    if (EditorActive()) {
        return false;
    }
    for (int code = 1; code < 256; ++code) {
        if (Held(keys, code) && !Held(pastKeys, code)) {
            return true;
        }
    }
    for (std::size_t button = 0; button < mouse.buttons.size(); ++button) {
        if ((mouse.buttons[button] & 0x80) != 0 && (pastMouse.buttons[button] & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

bool InputService::MiddleClick() {
    return (mouse.buttons[2] & 0x80) != 0;
}

int InputService::xMouse() {
    return cursorX;
}

int InputService::yMouse() {
    return cursorY;
}

float InputService::xMouseProjected(float z) {
    return ray.XAt(z);
}

float InputService::yMouseProjected(float z) {
    return ray.YAt(z);
}

}  // namespace Input
