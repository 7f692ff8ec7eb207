// The gamepad service: sticks, triggers and buttons as numbered actions with levels, profiles of
// actions, and the two vibration motors.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Service.h"
#include "input/Action.h"
#include "input/ControllerState.h"

struct _SDL_GameController;

namespace Input {

class XboxControllerInput : public ZELM::Service {
public:
    XboxControllerInput() = default;
    ~XboxControllerInput() override;

    // Binds the queries and the action properties, starts SDL's gamepad support and loads the
    // extra mappings from "gamecontrollerdb.txt" beside the data.
    void Bind() override;
    void Init() override {}
    // Reads the controller and fills the actions from what is held now.
    void Update(float dt) override;

    // Bound by name. Results are the low byte of the action's value; non-zero means held.
    char IsPressed(Action action);
    char IsTriggered(Action action);
    char IsPressedProfile(int profile);
    char IsTriggeredProfile(int profile);
    // Whether any button (not a stick or a trigger, which drift) went down this update.
    bool AnyButtonTriggered();
    char GetPrevXboxBuffer(Action action);
    void SetLeftVibrationLevel(int level);
    void SetRightVibrationLevel(int level);
    void SetVibrationLevel(int level);
    void IncrementLeftVibrationLevel(int steps);
    void IncrementRightVibrationLevel(int steps);
    void IncrementVibrationLevel(int steps);
    void DecrementLeftVibrationLevel(int steps);
    void DecrementRightVibrationLevel(int steps);
    void DecrementVibrationLevel(int steps);

    // Level of a stick axis (-5 to 5) and of a trigger (0 to 5).
    static int StickLevel(int value);
    static int TriggerLevel(int value);
    // Motor speed for a vibration level: 5 is full, anything outside 1 to 5 stops the motor.
    static std::uint16_t VibrationSpeed(int level);

    std::uint16_t GetLeftVibration() const { return vibration[0]; }
    std::uint16_t GetRightVibration() const { return vibration[1]; }
    const ControllerState& GetState() const { return state; }
    // A device, or the input script's pad while input is scripted.
    bool IsConnected() const { return connected; }
    // The first control that went down this update, pushed well past its dead zone when it is a
    // stick or a trigger: what a player binding a control pressed. 0 when none did.
    int TriggeredPadAction();

private:
    enum class ReadResult { Ok, NotConnected };

    ReadResult ReadController(ControllerState& out);
    void FindController();
    bool ReadScripted(ControllerState& fresh);
    void SendVibration(std::uint16_t left, std::uint16_t right);
    void FillActions();
    static std::uint16_t Step(std::uint16_t speed, long long steps);
    static bool Valid(Action action) { return action > kNoAction && action < kActionCount; }

    ControllerState state;
    ControllerState pastState;
    std::array<std::uint16_t, 2> vibration{};  // left, right
    std::array<int, kActionCount> actions{};
    std::array<int, kActionCount> pastActions{};
    std::uint16_t controller = 0;
    int profileSet = 0;

    bool started = false;
    _SDL_GameController* device = nullptr;
    bool connected = false;
    ControllerState reading;  // the latest reading, numbered
};

}  // namespace Input
