// The player's own levels' list and its actions.
#include "logic/screens/MyLevelsMenu.h"

#include <algorithm>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/PlayerLevels.h"
#include "logic/LogicService.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {

// The screen's own buttons, in the order of MenuButtons::kMyLevels.
const char kEditButton[] = "mledit";
const char kImportButton[] = "mlimport";
// Under the last button of a full page, the page and the fixed buttons.
constexpr float kNoticeY = 540.0f;

const char kNoLevelsYet[] = "No levels yet: press ` in any level to make one, or import one.";

}  // namespace

const std::vector<std::string>& MyLevelsMenu::OwnButtons() { return MenuButtons::kMyLevels; }

MyLevelsMenu::MyLevelsMenu() : menu(OwnButtons(), true), notice(engine, kNoticeY) {}

void MyLevelsMenu::ReadItems() {
    items = PlayerLevelList::Read(ZELM::PlayerLevels::Directory());
    for (PlayerLevelList::Item& item : items) {
        if (engine.IsBound("GetMyLevelBest")) {
            item.bestSeconds = engine.Call<float>("GetMyLevelBest", item.level);
        }
        if (engine.IsBound("GetMyLevelPlayed")) {
            item.played = static_cast<std::int64_t>(engine.Call<double>("GetMyLevelPlayed", item.level));
        }
        if (engine.IsBound("CheckPlayerLevel")) {
            item.problem = engine.Call<std::string>("CheckPlayerLevel", item.level);
        }
    }
    PlayerLevelList::Sort(items);
}

void MyLevelsMenu::Init() {
    ResetView();
    ReadItems();
    std::vector<std::string> texts;
    for (const PlayerLevelList::Item& item : items) {
        texts.push_back(PlayerLevelList::ButtonText(item, editing));
    }
    list.Create(texts);
    std::vector<std::string> names = list.GetNames();
    names.insert(names.end(), OwnButtons().begin(), OwnButtons().end());
    menu = Menu(names, true);
    // Back on the level just played or imported, else on the last played.
    const std::string focus = engine.IsBound("GetMyLevelsFocus") ? engine.Call<std::string>("GetMyLevelsFocus") : "";
    const auto focused = std::find_if(items.begin(), items.end(),
                                      [&focus](const PlayerLevelList::Item& item) { return item.level == focus; });
    const std::size_t index = focused != items.end() ? static_cast<std::size_t>(focused - items.begin()) : 0;
    // With no level the first button is "[import]": the way to get one.
    menu.SetSelection(items.empty() ? 1 : static_cast<int>(index));
    menu.FindButtons(true);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), OwnButtons());
    shownLabel.clear();
    if (items.empty()) {
        notice.Show(kNoLevelsYet);
    } else {
        ShowPageLabel();
    }
}

void MyLevelsMenu::ShowPageLabel() {
    const std::string label = list.PageLabel(static_cast<std::size_t>(menu.GetSelection()));
    if (label == shownLabel) {
        return;
    }
    shownLabel = label;
    notice.Show(label.empty() ? " " : label + " (UP and DOWN turn the pages)");
}

void MyLevelsMenu::ToggleEditing() {
    editing = !editing;
    for (std::size_t i = 0; i < items.size(); ++i) {
        list.SetText(i, PlayerLevelList::ButtonText(items[i], editing));
    }
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    ZELM::Entity* button = entities != nullptr ? entities->Get(kEditButton).GetIfAlive() : nullptr;
    if (button != nullptr && button->IsBound("SetText")) {
        button->Call("SetText", std::string(editing ? "[play]" : "[edit]"));
    }
    // The words stay until the page turns.
    shownLabel = list.PageLabel(static_cast<std::size_t>(menu.GetSelection()));
    // The editor is worked with the keyboard and the mouse only; a player on the pad is told first.
    const bool onPad = engine.IsBound("IsPadLastUsed") && engine.Call<bool>("IsPadLastUsed");
    notice.Show(!editing ? " "
                         : (onPad ? "The editor needs a keyboard and a mouse; the pad does not work it."
                                  : "Choose the level to open in the editor."));
}

void MyLevelsMenu::PlayOrEdit(const PlayerLevelList::Item& item) {
    engine.Call("SetMyLevelsFocus", item.level);
    if (editing) {
        // The editor loads the level and opens on it; without one (tools) nothing happens.
        if (engine.IsBound("GetEditorMode")) {
            engine.CallLater("EditLevel", 0.0f, item.level);
        }
        return;
    }
    if (!item.problem.empty()) {
        notice.Show(item.stem + " cannot be played: " + item.problem);
        shownLabel = list.PageLabel(static_cast<std::size_t>(menu.GetSelection()));
        return;
    }
    engine.Call("SetWinType", static_cast<int>(kPlayerLevel));
    engine.Call("SetPlayerDontWin", true);
    engine.Call("PlayBGM", 1);
    PostLoadLevel(item.level);
}

void MyLevelsMenu::Choose(std::size_t chosen) {
    if (chosen < items.size()) {
        PlayOrEdit(items[chosen]);
        return;
    }
    const std::string& button = OwnButtons()[std::min(chosen - items.size(), OwnButtons().size() - 1)];
    if (button == kEditButton) {
        ToggleEditing();
    } else if (button == kImportButton) {
        PostLoadLevel("ImportLevel");
    } else {
        PostLoadLevel("GameMenu");
    }
}

void MyLevelsMenu::Update(float) {
    if (BackTriggered()) {
        if (editing) {
            ToggleEditing();
        } else {
            PostLoadLevel("GameMenu");
        }
        return;
    }
    const bool confirmed = menu.Step(engine);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), OwnButtons());
    if (!items.empty()) {
        ShowPageLabel();
    }
    if (confirmed) {
        Choose(static_cast<std::size_t>(menu.GetSelection()));
    }
}

}  // namespace Logic
