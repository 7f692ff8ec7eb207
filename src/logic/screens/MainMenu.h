// The main menu: play, options, credits, quit.
#pragma once

#include "logic/screens/Menu.h"
#include "logic/screens/Screen.h"

namespace Logic {

class MainMenu : public Screen {
public:
    MainMenu();

    void Init() override;
    void Update(float dt) override;

private:
    Menu menu;
};

}  // namespace Logic
