// The mode selection's actions.
#include "logic/screens/PlayGameMenu.h"

#include "logic/LogicService.h"

namespace Logic {

PlayGameMenu::PlayGameMenu() : menu({"adventure", "tattack", "race", "levels", "exitoptions"}, true) {}

void PlayGameMenu::Init() {
    ResetView();
    menu.SetSelection(0);
    menu.FindButtons(true);
}

void PlayGameMenu::StartMode(int winType, bool dontWin, int music) {
    engine.Call("SetWinType", winType);
    engine.Call("SetPlayerDontWin", dontWin);
    if (winType == kRace) {
        // The network manager starts looking for the other machine while the race level loads.
        engine.CallAll("SetAllowCommunication", true);
    }
    engine.Call("PlayBGM", music);
}

void PlayGameMenu::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("Menu");
        return;
    }
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0: {
            StartMode(kAdventure, false, 1);
            // A player who has been here before goes on from the furthest level reached.
            const std::string furthest = engine.Call<std::string>("GetFurthestLevel");
            if (furthest.empty()) {
                PostNextLevel();
            } else {
                PostLoadLevel(furthest);
            }
            break;
        }
        case 1:
            StartMode(kTimeAttack, true, 2);
            PostLoadLevel("TimeAttack");
            break;
        case 2:
            StartMode(kRace, true, 3);
            PostLoadLevel("multiplayer");
            break;
        case 3: PostLoadLevel("LevelSelect"); break;
        case 4: PostLoadLevel("Menu"); break;
        default: break;
    }
}

}  // namespace Logic
