// The common menu step.
#include "logic/screens/Menu.h"

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/ProblemReport.h"
#include "input/Action.h"

namespace Logic {

Menu::Menu(std::vector<std::string> buttonNames, bool wraps) : names(std::move(buttonNames)), wraps(wraps) {}

void Menu::FindButtons(bool reportMissing) {
    buttons.clear();
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    for (const std::string& name : names) {
        ZELM::EntityHandle button = entities != nullptr ? entities->Get(name) : ZELM::EntityHandle();
        if (reportMissing && !button.IsAlive()) {
            ZELM_PROBLEM("Logic::Menu::FindButtons", "The menu's button \"%s\" is not in the level!", name.c_str());
        }
        buttons.push_back(button);
    }
}

int Menu::FollowMouse(ZELM::DynamicCaller& engine) {
    if (!engine.IsBound("xMouse") || !engine.IsBound("yMouse")) {
        return -1;  // no input service (tools)
    }
    const int x = engine.Call<int>("xMouse");
    const int y = engine.Call<int>("yMouse");
    const bool moved = mouseSeen && (x != mouseX || y != mouseY);
    mouseSeen = true;
    mouseX = x;
    mouseY = y;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ZELM::Entity* button = buttons[i].GetIfAlive();
        if (button != nullptr && button->IsBound("ContainsPoint") &&
            button->Call<bool>("ContainsPoint", x, y)) {
            if (moved) {
                selection = static_cast<int>(i);
            }
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Menu::PadHeld(ZELM::DynamicCaller& engine, Direction direction) {
    if (!engine.IsBound("IsPressed")) {
        return false;  // no gamepad service (tools)
    }
    // The D-pad's sideways actions are crossed in the action table; a stick counts from level 2, so a
    // resting stick that drifts moves nothing.
    static const Input::Action kDpad[] = {Input::kDpadUp, Input::kDpadDown, Input::kDpadRight, Input::kDpadLeft};
    static const Input::Action kStick[] = {Input::kLeftUp, Input::kLeftDown, Input::kLeftLeft, Input::kLeftRight};
    const int stick = engine.Call<char>("IsPressed", kStick[direction]);
    return engine.Call<char>("IsPressed", kDpad[direction]) != 0 || stick >= 2 || stick <= -2;
}

bool Menu::Moved(ZELM::DynamicCaller& engine, Direction direction) {
    static const char* const kKeys[] = {"up", "down", "left", "right"};
    const bool pad = padRepeat[direction].Step(PadHeld(engine, direction));
    return engine.Call<bool>("KeyTriggered", std::string(kKeys[direction])) || pad;
}

bool Menu::Confirmed(ZELM::DynamicCaller& engine) {
    return engine.Call<bool>("KeyTriggered", std::string("enter")) ||
           (engine.IsBound("IsTriggered") && engine.Call<char>("IsTriggered", Input::kButtonA) != 0);
}

bool Menu::Step(ZELM::DynamicCaller& engine) {
    const int underMouse = FollowMouse(engine);
    if (Moved(engine, kUp)) {
        --selection;
    }
    if (Moved(engine, kDown)) {
        ++selection;
    }
    const bool right = Moved(engine, kRight);
    sideways = (right ? 1 : 0) - (Moved(engine, kLeft) ? 1 : 0);
    const int last = static_cast<int>(names.size()) - 1;
    if (selection < 0) {
        selection = wraps ? last : 0;
    } else if (selection > last) {
        selection = wraps ? 0 : last;
    }
    // A button destroyed since FindButtons was reported there; it is skipped, never followed.
    for (const ZELM::EntityHandle& handle : buttons) {
        if (ZELM::Entity* button = handle.GetIfAlive()) {
            button->Call("Select", false);
        }
    }
    ZELM::Entity* selected =
        static_cast<std::size_t>(selection) < buttons.size() ? buttons[selection].GetIfAlive() : nullptr;
    if (selected != nullptr) {
        selected->Call("Select", true);
    }
    const bool clicked = underMouse >= 0 && underMouse == selection && engine.IsBound("LeftClickTrigger") &&
                         engine.Call<bool>("LeftClickTrigger");
    if (!clicked && !Confirmed(engine)) {
        return false;
    }
    engine.Call("PlayButtonSelect");
    return true;
}

}  // namespace Logic
