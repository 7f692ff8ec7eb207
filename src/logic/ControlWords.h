// What the menus and texts ask of the input service by name: a text's "{action}" names, and the
// pad's menu buttons, with the shipped keyboard words where no input service is bound (tools, tests).
#pragma once

#include <string>

#include "input/Action.h"
#include "input/Controls.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class ControlWords {
public:
    // The text with its "{action}" names as the player's last device names them.
    static std::string Named(ZELM::DynamicCaller& engine, const std::string& text) {
        if (text.find('{') == std::string::npos) {
            return text;
        }
        return engine.IsBound("NameControls") ? engine.Call<std::string>("NameControls", text)
                                              : Input::Controls().NameIn(text, false);
    }
    // A pad button pressed anew this tick.
    static bool PadTriggered(ZELM::DynamicCaller& engine, Input::Action button) {
        return engine.IsBound("IsTriggered") && engine.Call<char>("IsTriggered", button) != 0;
    }
};

}  // namespace Logic
