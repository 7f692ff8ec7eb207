// The gamepad service on a virtual controller, so SDL's real controller path is the one exercised.
#include <gtest/gtest.h>

#include <climits>

#include <SDL.h>

#include "input/XboxControllerInput.h"

namespace {

using namespace Input;

class XboxControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        caller.SetName("Engine");
        pad.Bind();
    }
    void TearDown() override {
        if (joystick != nullptr) {
            SDL_JoystickClose(joystick);
            SDL_JoystickDetachVirtual(index);
        }
    }

    // Plugs in a virtual controller laid out with SDL's standard axes and buttons.
    void PlugIn() {
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(index);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
        pad.Update(16.0f);
        ASSERT_TRUE(pad.IsConnected());
    }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
    char Pressed(Action action) { return caller.Call<char>("IsPressed", action); }
    char Triggered(Action action) { return caller.Call<char>("IsTriggered", action); }
    char Profile(int profile) { return caller.Call<char>("IsPressedProfile", profile); }

    XboxControllerInput pad;
    ZELM::DynamicCaller caller;
    SDL_Joystick* joystick = nullptr;
    int index = -1;
};

TEST(XboxControllerLevels, StickAndTriggerThresholds) {
    EXPECT_EQ(XboxControllerInput::StickLevel(12000), 0);
    EXPECT_EQ(XboxControllerInput::StickLevel(12001), 1);
    EXPECT_EQ(XboxControllerInput::StickLevel(-12001), -1);
    EXPECT_EQ(XboxControllerInput::StickLevel(18000), 1);
    EXPECT_EQ(XboxControllerInput::StickLevel(18001), 2);
    EXPECT_EQ(XboxControllerInput::StickLevel(24001), 3);
    EXPECT_EQ(XboxControllerInput::StickLevel(29001), 4);
    EXPECT_EQ(XboxControllerInput::StickLevel(32750), 4);
    EXPECT_EQ(XboxControllerInput::StickLevel(32751), 5);
    EXPECT_EQ(XboxControllerInput::StickLevel(-32768), -5);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(15), 0);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(16), 1);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(70), 1);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(71), 2);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(126), 3);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(181), 4);
    EXPECT_EQ(XboxControllerInput::TriggerLevel(231), 5);
}

TEST_F(XboxControllerTest, SticksGiveSignedLevelsOnTheirActionPairsWithYUpwards) {
    PlugIn();
    Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);  // fully up
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kLeftUp), 5);
    EXPECT_EQ(Pressed(kLeftDown), 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);  // fully down
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kLeftUp), 0);
    EXPECT_EQ(Pressed(kLeftDown), static_cast<char>(-5));
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 12000);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kLeftRight), 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 12001);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kLeftRight), 1);
    // The right stick's sideways pair is crossed: pushing right reads on "Right Left".
    Axis(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kRightLeft), 4);
    EXPECT_EQ(Pressed(kRightRight), 0);
    EXPECT_EQ(Profile(5), 4);
    // A trigger pulled all the way.
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kRightTrigger), 5);
    EXPECT_EQ(Profile(11), 5);
}

TEST_F(XboxControllerTest, ButtonsAndProfilesIncludingTheCrossedDpadSides) {
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    Button(SDL_CONTROLLER_BUTTON_A, true);
    Button(SDL_CONTROLLER_BUTTON_RIGHTSTICK, true);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kDpadRight), 1);
    EXPECT_EQ(Pressed(kDpadLeft), 0);
    EXPECT_NE(Profile(3), 0);  // left
    EXPECT_EQ(Profile(4), 0);  // right
    EXPECT_NE(Profile(0), 0);
    EXPECT_NE(Profile(14), 0);
    EXPECT_EQ(Pressed(kLeftStickButton), 1);
    EXPECT_EQ(Pressed(kRightStickButton), 0);
    EXPECT_EQ(Profile(12), 0);
    // Out of range asks hold nothing rather than read past the tables.
    EXPECT_EQ(Pressed(static_cast<Action>(99)), 0);
    EXPECT_EQ(Pressed(static_cast<Action>(-1)), 0);
    EXPECT_EQ(Profile(15), 0);
    EXPECT_EQ(Profile(-1), 0);
}

TEST_F(XboxControllerTest, HeldControlsReadHeldInEveryUpdateAndTriggerOnlyWhenPressedAnew) {
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Axis(SDL_CONTROLLER_AXIS_RIGHTY, -32768);  // fully up
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    const struct {
        Action action;
        char level;
    } held[] = {{kDpadUp, 1}, {kLeftRight, 5}, {kRightUp, 5}, {kLeftTrigger, 5}};
    // Only the first of these updates gets a changed reading; the controls stay held through all.
    for (int update = 0; update < 3; ++update) {
        pad.Update(16.0f);
        for (const auto& control : held) {
            EXPECT_EQ(Pressed(control.action), control.level) << control.action << " in update " << update;
            EXPECT_EQ(Triggered(control.action), update == 0 ? control.level : 0)
                << control.action << " in update " << update;
        }
        EXPECT_EQ(caller.Call<char>("IsTriggeredProfile", 5), update == 0 ? 5 : 0) << "update " << update;
    }
    EXPECT_EQ(caller.Call<char>("GetPrevXboxBuffer", kDpadUp), 1);
    // Let go, then pressed again: a new edge.
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    pad.Update(16.0f);
    EXPECT_EQ(Pressed(kDpadUp), 0);
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad.Update(16.0f);
    EXPECT_EQ(Triggered(kDpadUp), 1);
    EXPECT_EQ(Triggered(kLeftRight), 0) << "a change elsewhere is no new press of a held control";
}

TEST_F(XboxControllerTest, VibrationLevelsAndStepsStayWithinTheMotorRange) {
    caller.Call("SetVibrationLevel", 7);
    EXPECT_EQ(pad.GetLeftVibration(), 0);
    EXPECT_EQ(pad.GetRightVibration(), 0);
    caller.Call("IncrementVibrationLevel", 5);
    EXPECT_EQ(pad.GetLeftVibration(), 65530);
    EXPECT_EQ(pad.GetRightVibration(), 65530);
    caller.Call("DecrementLeftVibrationLevel", 2);
    EXPECT_EQ(pad.GetLeftVibration(), 35530);
    caller.Call("DecrementLeftVibrationLevel", 3);
    EXPECT_EQ(pad.GetLeftVibration(), 0);
    caller.Call("SetRightVibrationLevel", 4);
    EXPECT_EQ(pad.GetRightVibration(), 50000);
    caller.Call("IncrementRightVibrationLevel", 1);
    EXPECT_EQ(pad.GetRightVibration(), 65000);
    caller.Call("SetLeftVibrationLevel", 1);
    EXPECT_EQ(pad.GetLeftVibration(), 5000);
    // Huge step counts saturate instead of overflowing.
    caller.Call("IncrementVibrationLevel", INT_MAX);
    EXPECT_EQ(pad.GetLeftVibration(), 65530);
    caller.Call("DecrementVibrationLevel", INT_MAX);
    EXPECT_EQ(pad.GetLeftVibration(), 0);
    caller.Call("DecrementVibrationLevel", INT_MIN);
    EXPECT_EQ(pad.GetRightVibration(), 65530);
}

TEST_F(XboxControllerTest, WithoutAControllerNothingIsHeldAndVibrationIsIgnored) {
    caller.Call("SetVibrationLevel", 5);
    for (int frame = 0; frame < 3; ++frame) {
        pad.Update(16.0f);
    }
    EXPECT_FALSE(pad.IsConnected());
    for (int profile = 0; profile < 15; ++profile) {
        EXPECT_EQ(Profile(profile), 0) << profile;
    }
    EXPECT_EQ(Pressed(kButtonA), 0);
}

}  // namespace
