// The gamepad's numbered actions; 0 is no action and always reads 0.
#pragma once

namespace Input {

// Fixed to int so that any number a caller passes is a value the service can check and refuse.
enum Action : int {
    kNoAction = 0,
    kLeftUp = 1,
    kLeftDown,
    kLeftRight,
    kLeftLeft,
    kRightUp,
    kRightDown,
    kRightRight,
    kRightLeft,
    kDpadUp,
    kDpadDown,
    kDpadRight,
    kDpadLeft,
    kLeftBumper,
    kRightBumper,
    kLeftTrigger,
    kRightTrigger,
    kLeftStickButton,
    kRightStickButton,
    kButtonA,
    kButtonB,
    kButtonX,
    kButtonY,
    kButtonBack,
    kButtonStart,
    kActionCount  // 25: the size of the action tables, index 0 included
};

}  // namespace Input
