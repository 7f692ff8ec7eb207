// The level selection's buttons and actions.
#include "logic/screens/LevelSelect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/AdventureRun.h"
#include "logic/LogicService.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {


// Below the screen: a button there is neither seen nor under the mouse.
constexpr float kOffScreenY = 10000.0f;

std::string ButtonName(std::size_t index) {
    return "levelselect" + std::to_string(index);
}

}  // namespace

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
    std::vector<std::string> names;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        names.push_back(ButtonName(i));
    }
    names.insert(names.end(), MenuButtons::kLevelSelect.begin(), MenuButtons::kLevelSelect.end());
    menu = Menu(names, true);
    // The furthest level is where a player most likely goes on.
    menu.SetSelection(levels.empty() ? 0 : static_cast<int>(levels.size()) - 1);
    menu.FindButtons(true);
    placedPage = SIZE_MAX;
    PlacePage();
}

std::size_t LevelSelect::PageStart(std::size_t selection, std::size_t levelCount) {
    if (levelCount == 0) {
        return 0;
    }
    const std::size_t shown = selection < levelCount ? selection : levelCount - 1;
    return shown / kLevelsAPage * kLevelsAPage;
}

void LevelSelect::PlacePage() {
    const std::size_t start = PageStart(static_cast<std::size_t>(menu.GetSelection()), levels.size());
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (start == placedPage || entities == nullptr) {
        return;
    }
    placedPage = start;
    const std::size_t end = std::min(levels.size(), start + kLevelsAPage);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (ZELM::Entity* button = entities->Get(ButtonName(i)).GetIfAlive()) {
            const bool onPage = i >= start && i < end;
            button->CallAll("SetY", onPage ? kFirstY + kStep * static_cast<float>(i - start) : kOffScreenY);
        }
    }
    if (ZELM::Entity* back = entities->Get(MenuButtons::kBack).GetIfAlive()) {
        back->CallAll("SetY", kFirstY + kStep * static_cast<float>(end - start));
    }
}

void LevelSelect::CreateLevelButtons() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const float best =
            engine.IsBound("GetLevelBest") ? engine.Call<float>("GetLevelBest", levels[i]) : NAN;
        ZELM::Entity* button = entities->CreateFromArchetype(ButtonName(i), "button").Resolve();
        if (button == nullptr || !button->IsBound("SetText")) {
            continue;  // the archetype is missing or has no button: reported by the entity controller
        }
        button->Call("SetText", ButtonText(levels[i], best));
        button->CallAll("SetX", 0.0f);
    }
}

void LevelSelect::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("GameMenu");
        return;
    }
    const bool confirmed = menu.Step(engine);
    PlacePage();
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
