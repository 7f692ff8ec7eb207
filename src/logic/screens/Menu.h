// The step every menu takes each frame: UP and DOWN (the D-pad or the left stick) move the selection,
// the buttons show it, and ENTER (the pad's A) confirms it. The mouse does the same: moving onto a button selects it, a left click on it
// confirms it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "logic/screens/HeldRepeat.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class Menu {
public:
    // Wrap: past either end to the other; otherwise the selection stops at the ends.
    Menu(std::vector<std::string> buttonNames, bool wraps);

    // Finds the menu's buttons among the level's entities. A missing one is skipped by the step;
    // with `reportMissing` it is reported here, once.
    void FindButtons(bool reportMissing);
    // Moves and shows the selection; true when ENTER or a click confirmed it (the select sound is played).
    bool Step(ZELM::DynamicCaller& engine);

    int GetSelection() const { return selection; }
    // LEFT and RIGHT (or the pad's, held ones repeating) at the last step: -1, 0 or 1.
    int GetSideways() const { return sideways; }
    // The selection holds until the keys move it or the mouse moves from where it is now: a menu
    // opened under a resting mouse keeps the item its screen chose.
    void SetSelection(int value) {
        selection = value;
        mouseSeen = false;
    }

private:
    // The button under the mouse, or -1; selects it when the mouse has moved since the last step.
    int FollowMouse(ZELM::DynamicCaller& engine);
    enum Direction : int { kUp, kDown, kLeft, kRight };
    // The arrow keys' presses, and the D-pad's or the left stick's as they repeat while held.
    bool Moved(ZELM::DynamicCaller& engine, Direction direction);
    static bool PadHeld(ZELM::DynamicCaller& engine, Direction direction);
    static bool Confirmed(ZELM::DynamicCaller& engine);

    std::vector<std::string> names;
    std::vector<ZELM::EntityHandle> buttons;
    bool wraps;
    int selection = 0;
    int sideways = 0;
    std::array<HeldRepeat, 4> padRepeat{};
    // Where the mouse was at the last step; a mouse resting where the menu opened selects nothing.
    bool mouseSeen = false;
    int mouseX = 0;
    int mouseY = 0;
};

}  // namespace Logic
