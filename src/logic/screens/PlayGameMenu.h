// The mode selection: adventure, time attack, race, the level selection, or back to the main menu
// (also ESC).
#pragma once

#include "logic/screens/Menu.h"
#include "logic/screens/Screen.h"

namespace Logic {

class PlayGameMenu : public Screen {
public:
    PlayGameMenu();

    void Init() override;
    void Update(float dt) override;

private:
    // Sets the mode, whether reaching the goal may leave the level, and the mode's music.
    void StartMode(int winType, bool dontWin, int music);

    Menu menu;
};

}  // namespace Logic
