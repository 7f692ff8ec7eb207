// Choosing the controls.
#include "logic/screens/ControlsScreen.h"

#include "input/Controls.h"
#include "logic/screens/MenuButtons.h"
#include "logic/screens/MenuColumn.h"

namespace Logic {
namespace {

using Input::Controls;

constexpr int kRestoreRow = Controls::kCount;
constexpr int kBackRow = Controls::kCount + 1;
constexpr int kRows = Controls::kCount + 2;
// The rows name two keys and two pad controls: smaller than the other menus' items, so the
// longest still fits across a 4:3 screen.
constexpr float kRowScale = 1.1f;

}  // namespace

std::vector<std::string> ControlsScreen::ButtonNames() {
    std::vector<std::string> names;
    for (int id = 0; id < Controls::kCount; ++id) {
        names.push_back(std::string("control") + Controls::NameOf(static_cast<Controls::Id>(id)));
    }
    names.push_back("restorecontrols");
    names.push_back(MenuButtons::kBack);
    return names;
}

ControlsScreen::ControlsScreen() : menu(ButtonNames(), true), notice(engine, MenuColumn::ItemY(kRows, kRows)) {}

void ControlsScreen::Init() {
    ResetView();
    buttons = MenuColumn::Create(ButtonNames(), kRowScale);
    menu.FindButtons(true);
    waitingFor = -1;
    ShowRows();
    notice.Show("ENTER or A on a row, then the key or pad control to bind");
}

std::string ControlsScreen::RowText(int action) {
    if (!engine.IsBound("GetControls")) {
        return Controls::LabelOf(static_cast<Controls::Id>(action));
    }
    const Controls controls = engine.Call<Controls>("GetControls");
    const auto id = static_cast<Controls::Id>(action);
    const std::string keys = action == waitingFor ? "...press a key or pad control..." : controls.KeysOf(id);
    return std::string(Controls::LabelOf(id)) + ": " + keys + ", pad " + controls.PadOf(id);
}

void ControlsScreen::ShowRows() {
    for (int row = 0; row < Controls::kCount && row < static_cast<int>(buttons.size()); ++row) {
        MenuColumn::SetText(buttons[static_cast<std::size_t>(row)], RowText(row));
    }
    if (buttons.size() == static_cast<std::size_t>(kRows)) {
        MenuColumn::SetText(buttons[kRestoreRow], "[restore defaults]");
        MenuColumn::SetText(buttons[kBackRow], "[back]");
    }
}

void ControlsScreen::StartWaiting(int action) {
    waitingFor = action;
    notice.Show("press the new control for " + std::string(Controls::LabelOf(static_cast<Controls::Id>(action))) +
                " (ESC or B: keep the old)");
    ShowRows();
}

void ControlsScreen::Bound(const std::string& result) {
    waitingFor = -1;
    engine.Call("SaveSettings");
    notice.Show(result);
    ShowRows();
}

// The tick after ENTER: what goes down now is the control to bind.
void ControlsScreen::Wait() {
    if (BackTriggered()) {
        waitingFor = -1;
        notice.Show("nothing changed");
        ShowRows();
        return;
    }
    const std::string action = Controls::NameOf(static_cast<Controls::Id>(waitingFor));
    const int code = engine.IsBound("FirstKeyTriggered") ? engine.Call<int>("FirstKeyTriggered") : 0;
    if (code != 0) {
        const std::string result = engine.Call<std::string>("BindControlKey", action, code);
        if (Controls::IsReservedKey(code)) {
            notice.Show(result);  // still waiting: the player picks another key
        } else {
            Bound(result);
        }
        return;
    }
    const int pad = engine.IsBound("TriggeredPadAction") ? engine.Call<int>("TriggeredPadAction") : 0;
    if (pad != 0) {
        Bound(engine.Call<std::string>("BindControlPad", action, pad));
    }
}

void ControlsScreen::RestoreDefaults() {
    if (engine.IsBound("RestoreDefaultControls")) {
        engine.Call("RestoreDefaultControls");
    }
    Bound("the game's own controls are back");
}

void ControlsScreen::Update(float) {
    notice.LayOut();
    if (waitingFor >= 0) {
        Wait();
        return;
    }
    if (BackTriggered()) {
        PostLoadLevel("Options");
        return;
    }
    if (!menu.Step(engine)) {
        return;
    }
    const int row = menu.GetSelection();
    if (row == kBackRow) {
        PostLoadLevel("Options");
    } else if (row == kRestoreRow) {
        RestoreDefaults();
    } else if (engine.IsBound("BindControlKey")) {
        StartWaiting(row);
    }
}

}  // namespace Logic
