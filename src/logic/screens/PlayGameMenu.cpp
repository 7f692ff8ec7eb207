// The mode selection's actions.
#include "logic/screens/PlayGameMenu.h"

#include "logic/screens/MenuButtons.h"

#include "logic/LogicService.h"

namespace Logic {

PlayGameMenu::PlayGameMenu() : menu(MenuButtons::kPlayGameMenu, true) {}

void PlayGameMenu::Init() {
    ResetView();
    menu.SetSelection(0);
    menu.FindButtons(true);
}

void PlayGameMenu::ChooseCourse(int winType) {
    // The course menu offers the courses of the mode set here.
    engine.Call("SetWinType", winType);
    PostLoadLevel("Courses");
}

void PlayGameMenu::Update(float) {
    if (BackTriggered()) {
        PostLoadLevel("Menu");
        return;
    }
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0: {
            engine.Call("SetWinType", static_cast<int>(kAdventure));
            engine.Call("SetPlayerDontWin", false);
            engine.Call("PlayBGM", 1);
            // A player who has been here before goes on from the furthest level reached.
            const std::string furthest = engine.Call<std::string>("GetFurthestLevel");
            if (furthest.empty()) {
                PostNextLevel();
            } else {
                PostLoadLevel(furthest);
            }
            break;
        }
        case 1: ChooseCourse(kTimeAttack); break;
        case 2: ChooseCourse(kRace); break;
        case 3: PostLoadLevel("LevelSelect"); break;
        case 4: PostLoadLevel("MyLevels"); break;
        case 5: PostLoadLevel("Menu"); break;
        default: break;
    }
}

}  // namespace Logic
