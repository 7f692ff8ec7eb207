// The result screen's run and leaving it.
#include "logic/screens/WinScreen.h"

#include "logic/AdventureRun.h"

namespace Logic {

void WinScreen::Init() {
    runLines.clear();
    const AdventureRun* run =
        engine.IsBound("GetAdventureRun") ? engine.Call<const AdventureRun*>("GetAdventureRun") : nullptr;
    if (run == nullptr) {
        return;
    }
    const float r = ScreenText::ScreenHeight(engine) / 600.0f;
    int y = static_cast<int>(310.0f * r);  // below the notice line, in the notice's panel
    for (const std::string& line : run->Summary()) {
        runLines.push_back(
            std::make_unique<ScreenText>(engine, 20, y++, static_cast<int>(800.0f * r), 2.0f * r, line));
        (*runLines.back())->panel = kMessagePanel;
    }
}

void WinScreen::Update(float) {
    if (BackTriggered() || ConfirmTriggered()) {
        engine.Call("EraseLevelMap");
        PostLoadLevel("Menu");
    }
}

}  // namespace Logic
