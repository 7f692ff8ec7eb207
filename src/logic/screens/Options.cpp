// The options' actions.
#include "logic/screens/Options.h"

#include <string>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/Settings.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {

const char* const kVolumeButtons[] = {"musicvolume", "effectsvolume"};
const char* const kVolumeNames[] = {"music", "effects"};

// What a vsync toggle switched to: the display may refuse to wait for its refresh.
std::string VsyncNotice(bool on, bool waits) {
    if (!on) {
        return "vsync off";
    }
    return waits ? "vsync on" : "no vsync on this display";
}

// What the frame limit became.
std::string FrameLimitNotice(int limit) {
    if (limit == 0) {
        return "no frame limit";
    }
    return "at most " + std::to_string(limit) + " frames a second";
}

}  // namespace

// The notice sits one button's step below the last item.
Options::Options()
    : menu(MenuButtons::kOptions, true),
      notice(engine, 540.0f) {}

void Options::Init() {
    ResetView();
    menu.FindButtons(true);
    ShowVolumes();
    ShowPacing();
    ShowGhosts();
    ShowTextSize();
}

void Options::ShowTextSize() {
    if (engine.IsBound("GetTextSize")) {
        SetButtonText("textsize", "[text size: " + std::to_string(engine.Call<int>("GetTextSize")) + "%]");
    }
}

void Options::StepTextSize() {
    if (engine.IsBound("SetTextSize")) {
        engine.Call("SetTextSize", Settings::NextTextSize(engine.Call<int>("GetTextSize")));
    }
    ShowTextSize();
}

void Options::SetButtonText(const char* button, const std::string& text) {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    ZELM::Entity* entity = entities != nullptr ? entities->Get(button).GetIfAlive() : nullptr;
    if (entity != nullptr && entity->IsBound("SetText")) {
        entity->Call("SetText", text);
    }
}

void Options::ShowGhosts() {
    if (engine.IsBound("IsShowingGhosts")) {
        SetButtonText("ghosttoggle", engine.Call<bool>("IsShowingGhosts") ? "[ghost: on]" : "[ghost: off]");
    }
}

void Options::ToggleGhosts() {
    if (engine.IsBound("SetShowGhosts")) {
        engine.Call("SetShowGhosts", !engine.Call<bool>("IsShowingGhosts"));
    }
    ShowGhosts();
}

// Without the game flow's settings (tools) there is no pacing to show or change.
int Options::GetFrameLimit() {
    return engine.IsBound("GetFrameRateLimit") ? engine.Call<int>("GetFrameRateLimit") : 0;
}

void Options::ShowPacing() {
    if (engine.IsBound("IsUsingVsync")) {
        SetButtonText("vsynctoggle", engine.Call<bool>("IsUsingVsync") ? "[vsync: on]" : "[vsync: off]");
    }
    const int limit = GetFrameLimit();
    SetButtonText("framelimit",
                  "[frame limit: " + (limit == 0 ? std::string("off") : std::to_string(limit)) + "]");
}

void Options::ToggleVsync() {
    if (!engine.IsBound("SetUseVsync")) {
        return;
    }
    const bool on = !engine.Call<bool>("IsUsingVsync");
    const bool waits = engine.Call<bool>("SetUseVsync", on);
    ShowPacing();
    notice.Show(VsyncNotice(on, waits));
}

void Options::StepFrameLimit(int steps) {
    if (!engine.IsBound("SetFrameRateLimit")) {
        return;
    }
    const int limit = Settings::StepFrameLimit(GetFrameLimit(), steps);
    engine.Call("SetFrameRateLimit", limit);
    ShowPacing();
    notice.Show(FrameLimitNotice(limit));
}

// Without a sound service (tools) there is no volume to show or change.
int Options::GetVolume(Item item) {
    const char* call = item == kMusicVolume ? "GetMusicVolume" : "GetEffectsVolume";
    return engine.IsBound(call) ? engine.Call<int>(call) : 100;
}

void Options::SetVolume(Item item, int percent) {
    const char* call = item == kMusicVolume ? "SetMusicVolume" : "SetEffectsVolume";
    if (engine.IsBound(call)) {
        engine.Call(call, percent);
    }
    ShowVolumes();
    engine.Call("SaveSettings");
}

void Options::ShowVolumes() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    for (const Item item : {kMusicVolume, kEffectsVolume}) {
        const int index = item - kMusicVolume;
        ZELM::Entity* button =
            entities != nullptr ? entities->Get(kVolumeButtons[index]).GetIfAlive() : nullptr;
        if (button != nullptr && button->IsBound("SetText")) {
            button->Call("SetText", "[" + std::string(kVolumeNames[index]) +
                                        " volume: " + std::to_string(GetVolume(item)) + "%]");
        }
    }
}

bool Options::StepByArrows() {
    const Item item = static_cast<Item>(menu.GetSelection());
    if (item != kMusicVolume && item != kEffectsVolume && item != kFrameLimit) {
        return false;
    }
    const int step = (KeyTriggered("right") ? 1 : 0) - (KeyTriggered("left") ? 1 : 0);
    if (step == 0) {
        return false;
    }
    if (item == kFrameLimit) {
        StepFrameLimit(step);
        return true;
    }
    const int volume = GetVolume(item) + step * Settings::kVolumeStep;
    SetVolume(item, volume < 0 ? 0 : (volume > 100 ? 100 : volume));
    return true;
}

void Options::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("Menu");
        return;
    }
    notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
    if (StepByArrows() || !menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case kFullscreen:
            engine.Call("ToggleFullscreen");
            engine.Call("SaveSettings");
            notice.Show(MenuNotice::DisplayState(engine));
            break;
        case kResolution:
            engine.Call("ToggleResolution");
            engine.Call("SaveSettings");
            notice.Show(MenuNotice::Resolution(engine));
            break;
        case kMusicVolume:
        case kEffectsVolume: {
            const Item item = static_cast<Item>(menu.GetSelection());
            SetVolume(item, Settings::StepDown(GetVolume(item)));
            break;
        }
        case kBack:
            PostLoadLevel("Menu");
            break;
        case kVsync:
            ToggleVsync();
            break;
        case kFrameLimit:
            StepFrameLimit(1);
            break;
        case kGhosts:
            ToggleGhosts();
            break;
        case kTextSize:
            StepTextSize();
            break;
        default:
            break;
    }
}

}  // namespace Logic
