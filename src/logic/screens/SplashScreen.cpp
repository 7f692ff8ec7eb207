// The splash screen's timing.
#include "logic/screens/SplashScreen.h"

namespace Logic {

void SplashScreen::Update(float dt) {
    elapsed += dt;
    if (elapsed > kShowMs) {
        PostNextLevel();
    }
    if (KeyTriggered("ENTER")) {
        PostLoadLevel("Menu");
    }
}

}  // namespace Logic
