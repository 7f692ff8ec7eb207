// The level selection's buttons and actions.
#include "logic/screens/LevelSelect.h"

#include <cmath>
#include <cstdio>

#include "logic/AdventureRun.h"
#include "logic/LogicService.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {

namespace {

// Under the last button of a full page and "[back]".
constexpr float kNoticeY = 460.0f;
// What each world of the adventure is about, a page each.
const char* const kWorlds[] = {"turning gravity", "phase walls", "gravity zones", "boxes and arrows"};

}  // namespace

LevelSelect::LevelSelect() : menu(MenuButtons::kLevelSelect, true), notice(engine, kNoticeY) {}

std::string LevelSelect::WorldLabel(std::size_t selection, std::size_t levelCount) {
    const std::size_t world = PageStart(selection, levelCount) / kLevelsAPage;
    std::string label = "World " + std::to_string(world + 1);
    if (world < sizeof kWorlds / sizeof kWorlds[0]) {
        label += std::string(": ") + kWorlds[world];
    }
    return levelCount > kLevelsAPage ? label + " (UP and DOWN turn the pages)" : label;
}

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
    notice.Show(WorldLabel(static_cast<std::size_t>(menu.GetSelection()), levels.size()));
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
    if (BackTriggered()) {
        PostLoadLevel("GameMenu");
        return;
    }
    const bool confirmed = menu.Step(engine);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), MenuButtons::kLevelSelect);
    const std::string label = WorldLabel(static_cast<std::size_t>(menu.GetSelection()), levels.size());
    if (label != notice.GetShown()) {
        notice.Show(label);
    }
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
