// The pause menu of a playable level.
#include "logic/screens/Level.h"

namespace Logic {

Level::Level() : menu({"pauseHT", "pauseFS", "pauseR", "pauseRTMM", "pauseRTG", "pauseQ"}, false) {}

void Level::Init() {
    engine.Call("DrawLevelMap");
    menu.SetSelection(0);
    paused = false;
    showingHowTo = false;
}

void Level::TogglePause() {
    paused = !paused;
    engine.CallLater("Pause", 0.0f, paused);
}

void Level::Update(float) {
    if (!showingHowTo && KeyTriggered("esc")) {
        TogglePause();
        return;
    }
    if (showingHowTo && KeyTriggered("esc")) {
        engine.Call("PlayButtonHowTo");
        engine.CallLater("DisplayHowTo", 0.0f, false);
        showingHowTo = false;
        return;
    }
    if (paused && !showingHowTo) {
        RunPauseMenu();
    }
}

void Level::RunPauseMenu() {
    // The buttons come and go with the pause menu, so they are looked up every time.
    menu.FindButtons(false);
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0:
            engine.CallAll("SetAllowCommunication", true);
            engine.CallLater("DisplayHowTo", 0.0f, true);
            showingHowTo = true;
            break;
        case 1: engine.Call("ToggleFullscreen"); break;
        case 2: engine.Call("ToggleResolution"); break;
        case 3:
            engine.Call("EraseLevelMap");
            // Leave the pause first: the engine would stay paused, and the music silent, in the
            // menu and in the next game.
            engine.CallLater("Pause", 0.0f, false);
            PostLoadLevel("Menu");
            break;
        case 4: TogglePause(); break;
        case 5: PostQuit(); break;
        default: break;
    }
}

}  // namespace Logic
