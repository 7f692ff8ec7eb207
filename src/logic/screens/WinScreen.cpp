// Leaving the result screen.
#include "logic/screens/WinScreen.h"

namespace Logic {

void WinScreen::Update(float) {
    if (KeyTriggered("ESC") || KeyTriggered("ENTER")) {
        engine.Call("EraseLevelMap");
        PostLoadLevel("Menu");
    }
}

}  // namespace Logic
