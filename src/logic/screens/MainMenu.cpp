// The main menu's actions.
#include "logic/screens/MainMenu.h"

#include "logic/screens/MenuButtons.h"

namespace Logic {

MainMenu::MainMenu() : menu(MenuButtons::kMainMenu, true) {}

void MainMenu::Init() {
    ResetView();
    menu.FindButtons(true);
}

void MainMenu::Update(float) {
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0: PostLoadLevel("GameMenu"); break;
        case 1: PostLoadLevel("Options"); break;
        case 2: PostLoadLevel("Credits"); break;
        case 3: PostQuit(); break;
        default: break;
    }
}

}  // namespace Logic
