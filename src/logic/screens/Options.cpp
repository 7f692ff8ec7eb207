// The options' actions.
#include "logic/screens/Options.h"

namespace Logic {

// The notice sits one button's step below "[back]".
Options::Options() : menu({"fstoggle", "restoggle", "exitoptions"}, true), notice(engine, 430.0f) {}

void Options::Init() {
    ResetView();
    menu.FindButtons(true);
}

void Options::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("Menu");
        return;
    }
    notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case 0:
            engine.Call("ToggleFullscreen");
            notice.Show(MenuNotice::DisplayState(engine));
            break;
        case 1:
            engine.Call("ToggleResolution");
            notice.Show(MenuNotice::Resolution(engine));
            break;
        case 2: PostLoadLevel("Menu"); break;
        default: break;
    }
}

}  // namespace Logic
