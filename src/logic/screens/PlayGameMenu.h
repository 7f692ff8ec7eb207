// The mode selection: adventure, time attack or race (each of the last two through its course
// menu), the level selection, or back to the main menu (also ESC).
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
    void ChooseCourse(int winType);

    Menu menu;
};

}  // namespace Logic
