// The level selection's buttons and actions.
#include "logic/screens/LevelSelect.h"

#include <cmath>
#include <cstdio>

#include "logic/AdventureRun.h"
#include "logic/LogicService.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {

LevelSelect::LevelSelect() : menu(MenuButtons::kLevelSelect, true) {}

std::string LevelSelect::ButtonText(const std::string& level, float bestSeconds) {
    if (!std::isfinite(bestSeconds)) {
        return "[" + AdventureRun::DisplayName(level) + ": no time yet]";
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f s", static_cast<double>(bestSeconds));
    return "[" + AdventureRun::DisplayName(level) + ": " + seconds + "]";
}

void LevelSelect::Init() {
    ResetView();
    // Without the game flow (tools) only the first level is offered.
    levels = engine.IsBound("GetReachedLevels") ? engine.Call<std::vector<std::string>>("GetReachedLevels")
                                                : std::vector<std::string>{AdventureRun::kFirstLevel};
    CreateLevelButtons();
    std::vector<std::string> names = list.GetNames();
    names.insert(names.end(), MenuButtons::kLevelSelect.begin(), MenuButtons::kLevelSelect.end());
    menu = Menu(names, true);
    // The furthest level is where a player most likely goes on.
    menu.SetSelection(levels.empty() ? 0 : static_cast<int>(levels.size()) - 1);
    menu.FindButtons(true);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), MenuButtons::kLevelSelect);
}

void LevelSelect::CreateLevelButtons() {
    std::vector<std::string> texts;
    for (const std::string& level : levels) {
        const float best = engine.IsBound("GetLevelBest") ? engine.Call<float>("GetLevelBest", level) : NAN;
        texts.push_back(ButtonText(level, best));
    }
    list.Create(texts);
}

void LevelSelect::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("GameMenu");
        return;
    }
    const bool confirmed = menu.Step(engine);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), MenuButtons::kLevelSelect);
    if (!confirmed) {
        return;
    }
    const auto chosen = static_cast<std::size_t>(menu.GetSelection());
    if (chosen >= levels.size()) {
        PostLoadLevel("GameMenu");
        return;
    }
    engine.Call("SetWinType", static_cast<int>(kAdventure));
    engine.Call("SetPlayerDontWin", false);
    engine.Call("PlayBGM", 1);
    PostLoadLevel(levels[chosen]);
}

}  // namespace Logic
