// The step every menu takes each frame: UP and DOWN move the selection, the buttons show it, and
// ENTER confirms it.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class Menu {
public:
    // Wrap: past either end to the other; otherwise the selection stops at the ends.
    Menu(std::vector<std::string> buttonNames, bool wraps);

    // Finds the menu's buttons among the level's entities. A missing one is skipped by the step;
    // with `reportMissing` it is reported here, once.
    void FindButtons(bool reportMissing);
    // Moves and shows the selection; true when ENTER confirmed it (the select sound is played).
    bool Step(ZELM::DynamicCaller& engine);

    int GetSelection() const { return selection; }
    void SetSelection(int value) { selection = value; }

private:
    std::vector<std::string> names;
    std::vector<ZELM::EntityHandle> buttons;
    bool wraps;
    int selection = 0;
};

}  // namespace Logic
