// An edit or a click made while drawing, carried out once the frame is drawn.
#pragma once

#include <optional>
#include <string>

#include "editor/tweakbar/TweakValue.h"

namespace Tweak {

// By serial and name rather than by pointer: an earlier action's callback may have deleted the bar.
struct PendingAction {
    unsigned barSerial = 0;
    std::string entryName;
    std::optional<TweakValue> edit;  // none: a button press
};

}  // namespace Tweak
