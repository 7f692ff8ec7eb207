// The options' actions.
#include "logic/screens/Options.h"

namespace Logic {

Options::Options() : menu({"fstoggle", "restoggle", "exitoptions"}, true) {}

void Options::Init() {
    ResetView();
    menu.FindButtons(true);
}

void Options::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("Menu");
        return;
    }
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0: engine.Call("ToggleFullscreen"); break;
        case 1: engine.Call("ToggleResolution"); break;
        case 2: PostLoadLevel("Menu"); break;
        default: break;
    }
}

}  // namespace Logic
