// The options' items and their actions.
#include "logic/screens/Options.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "logic/ScreenText.h"
#include "logic/Settings.h"
#include "logic/screens/MenuButtons.h"
#include "logic/screens/MenuColumn.h"

namespace Logic {
namespace {

// What a vsync toggle switched to: the display may refuse to wait for its refresh.
std::string VsyncNotice(bool on, bool waits) {
    if (!on) {
        return "vsync off";
    }
    return waits ? "vsync on" : "no vsync on this display";
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

}  // namespace

// Made on first use: the back button's name is another file's static, not yet made while this
// file's statics are.
const std::vector<Options::Item>& Options::Items() {
    static const std::vector<Item> items = {
        {"fstoggle", &Options::FullscreenLabel, &Options::ToggleFullscreen, nullptr},
        {"restoggle", &Options::ResolutionLabel, &Options::ToggleResolution, nullptr},
        {"vsynctoggle", &Options::VsyncLabel, &Options::ToggleVsync, nullptr},
        {"framelimit", &Options::FrameLimitLabel, &Options::StepFrameLimitOn, &Options::StepFrameLimit},
        {"musicvolume", &Options::MusicLabel, &Options::StepMusicDown, &Options::StepMusic},
        {"effectsvolume", &Options::EffectsLabel, &Options::StepEffectsDown, &Options::StepEffects},
        {"ghosttoggle", &Options::GhostsLabel, &Options::ToggleGhosts, nullptr},
        {"flashingtoggle", &Options::FlashingLabel, &Options::ToggleFlashing, nullptr},
        {"gamespeed", &Options::GameSpeedLabel, &Options::StepGameSpeedDown, &Options::StepGameSpeed},
        {"textsize", &Options::TextSizeLabel, &Options::StepTextSizeOn, &Options::StepTextSize},
        {"controls", &Options::ControlsLabel, &Options::OpenControls, nullptr},
        {MenuButtons::kBack.c_str(), &Options::BackLabel, &Options::GoBack, nullptr},
    };
    return items;
}

std::vector<std::string> Options::ButtonNames() {
    std::vector<std::string> names;
    for (const Item& item : Items()) {
        names.push_back(item.button);
    }
    return names;
}

// The notice takes the row after the last item.
Options::Options()
    : menu(ButtonNames(), true),
      notice(engine, MenuColumn::ItemY(static_cast<int>(Items().size()), static_cast<int>(Items().size()))) {}

void Options::Init() {
    ResetView();
    buttons = MenuColumn::Create(ButtonNames(), 0.0f);
    menu.FindButtons(true);
    ShowLabels();
}

void Options::ShowLabels() {
    for (std::size_t i = 0; i < Items().size() && i < buttons.size(); ++i) {
        MenuColumn::SetText(buttons[i], (this->*Items()[i].label)());
    }
}

// Without the services behind an item (tools), it shows the game's default and changes nothing.
std::string Options::FullscreenLabel() {
    return "[full screen: " + OnOff(engine.IsBound("IsFullscreen") && engine.Call<bool>("IsFullscreen")) + "]";
}

std::string Options::ResolutionLabel() {
    return "[resolution: " + std::to_string(static_cast<int>(ScreenText::ScreenWidth(engine))) + "x" +
           std::to_string(static_cast<int>(ScreenText::ScreenHeight(engine))) + "]";
}

std::string Options::VsyncLabel() {
    return "[vsync: " + OnOff(!engine.IsBound("IsUsingVsync") || engine.Call<bool>("IsUsingVsync")) + "]";
}

std::string Options::FrameLimitLabel() {
    const int limit = GetFrameLimit();
    return "[frame limit: " + (limit == 0 ? std::string("off") : std::to_string(limit)) + "]";
}

std::string Options::MusicLabel() { return "[music volume: " + std::to_string(GetVolume("GetMusicVolume")) + "%]"; }
std::string Options::EffectsLabel() {
    return "[effects volume: " + std::to_string(GetVolume("GetEffectsVolume")) + "%]";
}

std::string Options::GhostsLabel() {
    return "[ghost: " + OnOff(!engine.IsBound("IsShowingGhosts") || engine.Call<bool>("IsShowingGhosts")) + "]";
}

std::string Options::FlashingLabel() {
    const bool reduced = engine.IsBound("IsFlashingReduced") && engine.Call<bool>("IsFlashingReduced");
    return std::string("[flashing: ") + (reduced ? "reduced" : "full") + "]";
}

std::string Options::GameSpeedLabel() { return "[game speed: " + std::to_string(GetGameSpeed()) + "%]"; }

int Options::GetTextSize() { return engine.IsBound("GetTextSize") ? engine.Call<int>("GetTextSize") : 100; }

std::string Options::TextSizeLabel() { return "[text size: " + std::to_string(GetTextSize()) + "%]"; }

std::string Options::ControlsLabel() { return "[controls]"; }
std::string Options::BackLabel() { return "[back]"; }

void Options::ToggleFullscreen() {
    engine.Call("ToggleFullscreen");
    engine.Call("SaveSettings");
    notice.Show(MenuNotice::DisplayState(engine));
}

void Options::ToggleResolution() {
    engine.Call("ToggleResolution");
    engine.Call("SaveSettings");
    notice.Show(MenuNotice::Resolution(engine));
}

void Options::ToggleVsync() {
    if (!engine.IsBound("SetUseVsync")) {
        return;
    }
    const bool on = !engine.Call<bool>("IsUsingVsync");
    const bool waits = engine.Call<bool>("SetUseVsync", on);
    notice.Show(VsyncNotice(on, waits));
}

int Options::GetFrameLimit() { return engine.IsBound("GetFrameRateLimit") ? engine.Call<int>("GetFrameRateLimit") : 0; }

void Options::StepFrameLimitOn() { StepFrameLimit(1); }

void Options::StepFrameLimit(int steps) {
    if (!engine.IsBound("SetFrameRateLimit")) {
        return;
    }
    const int limit = Settings::StepFrameLimit(GetFrameLimit(), steps);
    engine.Call("SetFrameRateLimit", limit);
    notice.Show(limit == 0 ? "no frame limit" : "at most " + std::to_string(limit) + " frames a second");
}

int Options::GetVolume(const char* call) { return engine.IsBound(call) ? engine.Call<int>(call) : 100; }

void Options::SetVolume(const char* call, int percent) {
    if (engine.IsBound(call)) {
        engine.Call(call, std::clamp(percent, 0, 100));
    }
    engine.Call("SaveSettings");
}

void Options::StepMusicDown() { SetVolume("SetMusicVolume", Settings::StepDown(GetVolume("GetMusicVolume"))); }
void Options::StepMusic(int steps) {
    SetVolume("SetMusicVolume", GetVolume("GetMusicVolume") + steps * Settings::kVolumeStep);
}
void Options::StepEffectsDown() {
    SetVolume("SetEffectsVolume", Settings::StepDown(GetVolume("GetEffectsVolume")));
}
void Options::StepEffects(int steps) {
    SetVolume("SetEffectsVolume", GetVolume("GetEffectsVolume") + steps * Settings::kVolumeStep);
}

void Options::ToggleGhosts() {
    if (engine.IsBound("SetShowGhosts")) {
        engine.Call("SetShowGhosts", !engine.Call<bool>("IsShowingGhosts"));
    }
}

void Options::ToggleFlashing() {
    if (engine.IsBound("SetFlashingReduced")) {
        engine.Call("SetFlashingReduced", !engine.Call<bool>("IsFlashingReduced"));
    }
}

// Without the game flow's settings (tools) the game runs at full speed.
int Options::GetGameSpeed() {
    return engine.IsBound("GetGameSpeedPercent") ? engine.Call<int>("GetGameSpeedPercent") : 100;
}

void Options::SetGameSpeed(int percent) {
    if (engine.IsBound("SetGameSpeedPercent")) {
        engine.Call("SetGameSpeedPercent", percent);
    }
    if (percent < 100) {
        notice.Show("slower play: times show \"assisted\" and set no records");
    }
}

void Options::StepGameSpeedDown() { SetGameSpeed(Settings::StepGameSpeedDown(GetGameSpeed())); }
void Options::StepGameSpeed(int steps) { SetGameSpeed(Settings::StepGameSpeed(GetGameSpeed(), steps)); }

void Options::StepTextSizeOn() {
    if (engine.IsBound("SetTextSize")) {
        engine.Call("SetTextSize", Settings::NextTextSize(GetTextSize()));
    }
}

// LEFT and RIGHT go smaller and larger and stop at either end, as the volumes do.
void Options::StepTextSize(int steps) {
    const int* sizes = std::begin(Settings::kTextSizes);
    const int count = static_cast<int>(std::size(Settings::kTextSizes));
    const int at = static_cast<int>(std::find(sizes, sizes + count, GetTextSize()) - sizes);
    if (engine.IsBound("SetTextSize")) {
        engine.Call("SetTextSize", sizes[std::clamp(at + steps, 0, count - 1)]);
    }
}

void Options::OpenControls() { PostLoadLevel("Controls"); }
void Options::GoBack() { PostLoadLevel("Menu"); }

void Options::Update(float) {
    if (BackTriggered()) {
        GoBack();
        return;
    }
    notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
    const bool confirmed = menu.Step(engine);
    const std::size_t selected = static_cast<std::size_t>(menu.GetSelection());
    if (selected >= Items().size()) {
        return;
    }
    const Item& item = Items()[selected];
    const int sideways = menu.GetSideways();
    if (sideways != 0 && item.step != nullptr) {
        (this->*item.step)(sideways);
    } else if (sideways != 0 && item.confirm != &Options::GoBack && item.confirm != &Options::OpenControls) {
        (this->*item.confirm)();
    } else if (confirmed) {
        (this->*item.confirm)();
    } else {
        return;
    }
    ShowLabels();
}

}  // namespace Logic
