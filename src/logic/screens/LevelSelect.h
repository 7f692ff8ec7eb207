// The level selection: the adventure levels reached so far, each with its best time, and back to
// the mode selection (also ESC). The chosen level starts the adventure there.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "logic/screens/Menu.h"
#include "logic/screens/Screen.h"

namespace Logic {

class LevelSelect : public Screen {
public:
    // Heights in a 600-pixel screen, below the title picture.
    static constexpr float kFirstY = 150.0f;
    static constexpr float kStep = 40.0f;

    LevelSelect();

    void Init() override;
    void Update(float dt) override;

    // A level's button text: its name and best time in the player's words.
    static std::string ButtonText(const std::string& level, float bestSeconds);

private:
    // One button a level, from the "button" archetype, above "[back]".
    void CreateLevelButtons();

    std::vector<std::string> levels;
    Menu menu;
};

}  // namespace Logic
