// Gamepad reading on SDL's game controller support, converted to the ranges the levels assume.
#include "input/XboxControllerInput.h"

#include <algorithm>
#include <filesystem>

#include <SDL.h>

#include "engine/ProblemReport.h"

namespace Input {
namespace {

constexpr const char* kActionNames[kActionCount] = {
    "",
    "XBox Action: Left Up",
    "XBox Action: Left Down",
    "XBox Action: Left Right",
    "XBox Action: Left Left",
    "XBox Action: Right Up",
    "XBox Action: Right Down",
    "XBox Action: Right Right",
    "XBox Action: Right Left",
    "XBox Action: Dpad Up",
    "XBox Action: Dpad Down",
    "XBox Action: Dpad Right",
    "XBox Action: Dpad Left",
    "XBox Action: Left Bumper",
    "XBox Action: Right Bumper",
    "XBox Action: Left Trigger",
    "XBox Action: Right Trigger",
    "XBox Action: Left Stick Button",
    "XBox Action: Right Stick Button",
    "XBox Action: A",
    "XBox Action: B",
    "XBox Action: X",
    "XBox Action: Y",
    "XBox Action: Back",
    "XBox Action: Start",
};

// The actions each profile tests, in test order; 0 ends a list.
constexpr int kProfiles[][9] = {
    {1, 9, 2, 10, 4, 11, 3, 12, 0},  // any direction of the left stick or the D-pad
    {1, 9, 0},
    {2, 10, 0},
    {4, 11, 0},
    {3, 12, 0},
    {5, 6, 7, 8, 0},  // any direction of the right stick
    {5, 0},
    {6, 0},
    {7, 0},
    {8, 0},
    {13, 14, 0},
    {16, 15, 0},
    {24, 0},
    {23, 0},
    {19, 0},
};
constexpr int kProfileCount = sizeof(kProfiles) / sizeof(kProfiles[0]);

constexpr std::uint16_t kFullSpeed = 65530;
constexpr long long kSpeedStep = 15000;
// Rumble is renewed every update; this only bounds how long it outlives a stalled game.
constexpr Uint32 kRumbleMs = 1000;

std::int16_t Upwards(Sint16 sdlY) {
    // SDL's y grows downwards; -(-32768) does not fit and becomes the largest value instead.
    return static_cast<std::int16_t>(sdlY == -32768 ? 32767 : -sdlY);
}

std::uint8_t TriggerByte(Sint16 sdlTrigger) {
    const int value = std::max<int>(0, sdlTrigger);
    return static_cast<std::uint8_t>((value * 255 + 16383) / 32767);
}

}  // namespace

XboxControllerInput::~XboxControllerInput() {
    if (device != nullptr) {
        SDL_GameControllerClose(device);
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void XboxControllerInput::Bind() {
    using ZELM::DynamicBinder;
    DynamicBinder::Bind("IsPressed", this, &XboxControllerInput::IsPressed);
    DynamicBinder::Bind("IsTriggered", this, &XboxControllerInput::IsTriggered);
    DynamicBinder::Bind("IsPressedProfile", this, &XboxControllerInput::IsPressedProfile);
    DynamicBinder::Bind("IsTriggeredProfile", this, &XboxControllerInput::IsTriggeredProfile);
    DynamicBinder::Bind("AnyButtonTriggered", this, &XboxControllerInput::AnyButtonTriggered);
    DynamicBinder::Bind("IsPadConnected", this, &XboxControllerInput::IsConnected);
    DynamicBinder::Bind("TriggeredPadAction", this, &XboxControllerInput::TriggeredPadAction);
    DynamicBinder::Bind("GetPrevXboxBuffer", this, &XboxControllerInput::GetPrevXboxBuffer);
    DynamicBinder::Bind("SetLeftVibrationLevel", this, &XboxControllerInput::SetLeftVibrationLevel);
    DynamicBinder::Bind("SetRightVibrationLevel", this, &XboxControllerInput::SetRightVibrationLevel);
    DynamicBinder::Bind("SetVibrationLevel", this, &XboxControllerInput::SetVibrationLevel);
    DynamicBinder::Bind("IncrementLeftVibrationLevel", this, &XboxControllerInput::IncrementLeftVibrationLevel);
    DynamicBinder::Bind("IncrementRightVibrationLevel", this, &XboxControllerInput::IncrementRightVibrationLevel);
    DynamicBinder::Bind("IncrementVibrationLevel", this, &XboxControllerInput::IncrementVibrationLevel);
    DynamicBinder::Bind("DecrementLeftVibrationLevel", this, &XboxControllerInput::DecrementLeftVibrationLevel);
    DynamicBinder::Bind("DecrementRightVibrationLevel", this, &XboxControllerInput::DecrementRightVibrationLevel);
    DynamicBinder::Bind("DecrementVibrationLevel", this, &XboxControllerInput::DecrementVibrationLevel);
    for (int action = kLeftUp; action < kActionCount; ++action) {
        BindProperty(&actions[static_cast<std::size_t>(action)], kActionNames[action], false, false);
    }

    // SDL reads the mappings named by its SDL_GAMECONTROLLERCONFIG environment variable itself when
    // its gamepad support starts; the file beside the data adds to them.
    started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    std::error_code error;
    if (started && std::filesystem::exists("gamecontrollerdb.txt", error) &&
        SDL_GameControllerAddMappingsFromFile("gamecontrollerdb.txt") < 0) {
        ZELM_PROBLEM("Input::XboxControllerInput::Bind", "Gamepad mappings \"gamecontrollerdb.txt\" not read: %s",
                     SDL_GetError());
    }
}

void XboxControllerInput::Update(float dt) {
    UpdateComponents(dt);
    pastState = state;
    pastActions = actions;
    actions.fill(0);
    const std::array<std::uint16_t, 2> speeds = vibration;
    const ReadResult result = ReadController(state);
    SendVibration(speeds[0], speeds[1]);
    // Filled from every reading, changed or not: a control held still reads held in every frame,
    // as a held key does, and "triggered" stays the edge against the update before.
    if (result == ReadResult::Ok) {
        FillActions();
    } else {
        // Only a missing controller can fail a read here, and nothing is held then.
        state = ControllerState();
    }
}

void XboxControllerInput::FindController() {
    if (device != nullptr && SDL_GameControllerGetAttached(device)) {
        return;
    }
    if (device != nullptr) {
        SDL_GameControllerClose(device);
        device = nullptr;
    }
    // `controller` counts game controllers, not every joystick SDL sees.
    int found = 0;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_IsGameController(index) && found++ == controller) {
            device = SDL_GameControllerOpen(index);
            return;
        }
    }
}

// A scripted run plays its own pad and never reads a device: what a test scripts is all it gets.
bool XboxControllerInput::ReadScripted(ControllerState& fresh) {
    connected = Call<bool>("IsScriptedPadConnected");
    fresh = Call<ControllerState>("GetScriptedPad");
    return connected;
}

XboxControllerInput::ReadResult XboxControllerInput::ReadController(ControllerState& out) {
    ControllerState fresh;
    if (IsBound("IsInputScripted") && Call<bool>("IsInputScripted") && IsBound("GetScriptedPad")) {
        if (!ReadScripted(fresh)) {
            return ReadResult::NotConnected;
        }
        if (!fresh.SameReading(reading)) {
            fresh.packet = reading.packet + 1;
            reading = fresh;
        }
        out = reading;
        return ReadResult::Ok;
    }
    if (!started) {
        return ReadResult::NotConnected;
    }
    SDL_GameControllerUpdate();
    FindController();
    connected = device != nullptr;
    if (device == nullptr) {
        return ReadResult::NotConnected;
    }
    auto button = [this](SDL_GameControllerButton which, std::uint16_t bit) {
        return SDL_GameControllerGetButton(device, which) != 0 ? bit : std::uint16_t{0};
    };
    fresh.buttons = static_cast<std::uint16_t>(
        button(SDL_CONTROLLER_BUTTON_DPAD_UP, ControllerState::kDpadUp) |
        button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, ControllerState::kDpadDown) |
        button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, ControllerState::kDpadLeft) |
        button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, ControllerState::kDpadRight) |
        button(SDL_CONTROLLER_BUTTON_START, ControllerState::kStart) |
        button(SDL_CONTROLLER_BUTTON_BACK, ControllerState::kBack) |
        button(SDL_CONTROLLER_BUTTON_LEFTSTICK, ControllerState::kLeftThumb) |
        button(SDL_CONTROLLER_BUTTON_RIGHTSTICK, ControllerState::kRightThumb) |
        button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, ControllerState::kLeftShoulder) |
        button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, ControllerState::kRightShoulder) |
        button(SDL_CONTROLLER_BUTTON_A, ControllerState::kA) | button(SDL_CONTROLLER_BUTTON_B, ControllerState::kB) |
        button(SDL_CONTROLLER_BUTTON_X, ControllerState::kX) | button(SDL_CONTROLLER_BUTTON_Y, ControllerState::kY));
    fresh.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    fresh.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    fresh.thumbLX = SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_LEFTX);
    fresh.thumbLY = Upwards(SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_LEFTY));
    fresh.thumbRX = SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_RIGHTX);
    fresh.thumbRY = Upwards(SDL_GameControllerGetAxis(device, SDL_CONTROLLER_AXIS_RIGHTY));
    if (!fresh.SameReading(reading)) {
        fresh.packet = reading.packet + 1;
        reading = fresh;
    }
    out = reading;
    return ReadResult::Ok;
}

void XboxControllerInput::SendVibration(std::uint16_t left, std::uint16_t right) {
    // A controller without motors refuses; like a missing one, that is not an error.
    if (device != nullptr) {
        SDL_GameControllerRumble(device, left, right, kRumbleMs);
    }
}

void XboxControllerInput::FillActions() {
    auto bit = [this](std::uint16_t mask) { return (state.buttons & mask) != 0 ? 1 : 0; };
    auto stick = [this](Action positive, Action negative, int level) {
        actions[positive] = level > 0 ? level : 0;
        actions[negative] = level < 0 ? level : 0;
    };
    stick(kLeftUp, kLeftDown, StickLevel(state.thumbLY));
    stick(kLeftRight, kLeftLeft, StickLevel(state.thumbLX));
    stick(kRightUp, kRightDown, StickLevel(state.thumbRY));
    // The right stick's horizontal pair and the D-pad's sideways pair are crossed on purpose: the
    // profiles are built on these sources.
    stick(kRightLeft, kRightRight, StickLevel(state.thumbRX));
    actions[kDpadUp] = bit(ControllerState::kDpadUp);
    actions[kDpadDown] = bit(ControllerState::kDpadDown);
    actions[kDpadRight] = bit(ControllerState::kDpadLeft);
    actions[kDpadLeft] = bit(ControllerState::kDpadRight);
    actions[kLeftBumper] = bit(ControllerState::kLeftShoulder);
    actions[kRightBumper] = bit(ControllerState::kRightShoulder);
    actions[kLeftTrigger] = TriggerLevel(state.leftTrigger);
    actions[kRightTrigger] = TriggerLevel(state.rightTrigger);
    actions[kLeftStickButton] = bit(ControllerState::kRightThumb);
    actions[kRightStickButton] = 0;
    actions[kButtonA] = bit(ControllerState::kA);
    actions[kButtonB] = bit(ControllerState::kB);
    actions[kButtonX] = bit(ControllerState::kX);
    actions[kButtonY] = bit(ControllerState::kY);
    actions[kButtonBack] = bit(ControllerState::kBack);
    actions[kButtonStart] = bit(ControllerState::kStart);
    actions[kNoAction] = 0;
}

int XboxControllerInput::StickLevel(int value) {
    const int magnitude = value < 0 ? -value : value;
    int level = 0;
    if (magnitude > 32750) {
        level = 5;
    } else if (magnitude > 29000) {
        level = 4;
    } else if (magnitude > 24000) {
        level = 3;
    } else if (magnitude > 18000) {
        level = 2;
    } else if (magnitude > 12000) {
        level = 1;
    }
    return value < 0 ? -level : level;
}

int XboxControllerInput::TriggerLevel(int value) {
    if (value > 230) return 5;
    if (value > 180) return 4;
    if (value > 125) return 3;
    if (value > 70) return 2;
    if (value > 15) return 1;
    return 0;
}

std::uint16_t XboxControllerInput::VibrationSpeed(int level) {
    switch (level) {
        case 5: return kFullSpeed;
        case 4: return 50000;
        case 3: return 35000;
        case 2: return 20000;
        case 1: return 5000;
        default: return 0;
    }
}

std::uint16_t XboxControllerInput::Step(std::uint16_t speed, long long steps) {
    // Worked out wide: a large step count must neither overflow nor wrap the motor speed around.
    const long long clampedSteps = std::clamp<long long>(steps, -10, 10);
    return static_cast<std::uint16_t>(std::clamp<long long>(speed + clampedSteps * kSpeedStep, 0, kFullSpeed));
}

char XboxControllerInput::IsPressed(Action action) {
    return Valid(action) ? static_cast<char>(actions[action]) : 0;
}

char XboxControllerInput::IsTriggered(Action action) {
    return Valid(action) && pastActions[action] == 0 ? static_cast<char>(actions[action]) : 0;
}

bool XboxControllerInput::AnyButtonTriggered() {
    // The D-pad and the buttons, from the left bumper on, are pressed or not; the sticks and
    // triggers are levels that a resting pad may not read as zero.
    static const Action kButtons[] = {
        kDpadUp,           kDpadDown, kDpadRight, kDpadLeft, kLeftBumper, kRightBumper, kLeftStickButton,
        kRightStickButton, kButtonA,  kButtonB,   kButtonX,  kButtonY,    kButtonBack,  kButtonStart};
    for (const Action button : kButtons) {
        if (IsTriggered(button) != 0) {
            return true;
        }
    }
    return false;
}

int XboxControllerInput::TriggeredPadAction() {
    // Level 3 and more for a stick or a trigger: a resting stick that drifts binds nothing.
    constexpr int kFirmPush = 3;
    for (int action = kLeftUp; action < kActionCount; ++action) {
        const int now = actions[static_cast<std::size_t>(action)];
        const int before = pastActions[static_cast<std::size_t>(action)];
        const bool levelled = action <= kRightLeft || action == kLeftTrigger || action == kRightTrigger;
        const int threshold = levelled ? kFirmPush : 1;
        if ((now >= threshold || now <= -threshold) && before > -threshold && before < threshold) {
            return action;
        }
    }
    return kNoAction;
}

char XboxControllerInput::GetPrevXboxBuffer(Action action) {
    return Valid(action) ? static_cast<char>(pastActions[action]) : 0;
}

char XboxControllerInput::IsPressedProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount) {
        return 0;
    }
    for (const int* action = kProfiles[profile]; *action != 0; ++action) {
        if (const char value = IsPressed(static_cast<Action>(*action))) {
            return value;
        }
    }
    return 0;
}

char XboxControllerInput::IsTriggeredProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount) {
        return 0;
    }
    for (const int* action = kProfiles[profile]; *action != 0; ++action) {
        if (const char value = IsTriggered(static_cast<Action>(*action))) {
            return value;
        }
    }
    return 0;
}

void XboxControllerInput::SetLeftVibrationLevel(int level) { vibration[0] = VibrationSpeed(level); }
void XboxControllerInput::SetRightVibrationLevel(int level) { vibration[1] = VibrationSpeed(level); }
void XboxControllerInput::SetVibrationLevel(int level) { vibration = {VibrationSpeed(level), VibrationSpeed(level)}; }
void XboxControllerInput::IncrementLeftVibrationLevel(int steps) { vibration[0] = Step(vibration[0], steps); }
void XboxControllerInput::IncrementRightVibrationLevel(int steps) { vibration[1] = Step(vibration[1], steps); }
void XboxControllerInput::IncrementVibrationLevel(int steps) {
    vibration = {Step(vibration[0], steps), Step(vibration[1], steps)};
}
void XboxControllerInput::DecrementLeftVibrationLevel(int steps) { vibration[0] = Step(vibration[0], -static_cast<long long>(steps)); }
void XboxControllerInput::DecrementRightVibrationLevel(int steps) { vibration[1] = Step(vibration[1], -static_cast<long long>(steps)); }
void XboxControllerInput::DecrementVibrationLevel(int steps) {
    vibration = {Step(vibration[0], -static_cast<long long>(steps)), Step(vibration[1], -static_cast<long long>(steps))};
}

}  // namespace Input
