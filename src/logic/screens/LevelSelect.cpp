// The level selection's buttons and actions.
#include "logic/screens/LevelSelect.h"

#include <cmath>
#include <cstdio>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/AdventureRun.h"
#include "logic/LogicService.h"

namespace Logic {
namespace {

const char* const kBack = "exitoptions";

std::string ButtonName(std::size_t index) {
    return "levelselect" + std::to_string(index);
}

}  // namespace

LevelSelect::LevelSelect() : menu({kBack}, true) {}

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
    names.push_back(kBack);
    menu = Menu(names, true);
    // The furthest level is where a player most likely goes on.
    menu.SetSelection(levels.empty() ? 0 : static_cast<int>(levels.size()) - 1);
    menu.FindButtons(true);
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
        button->CallAll("SetY", kFirstY + kStep * static_cast<float>(i));
    }
    if (ZELM::Entity* back = entities->Get(kBack).GetIfAlive()) {
        back->CallAll("SetY", kFirstY + kStep * static_cast<float>(levels.size()));
    }
}

void LevelSelect::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("GameMenu");
        return;
    }
    if (!menu.Step(engine)) {
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
