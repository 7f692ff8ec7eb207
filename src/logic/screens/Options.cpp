// The options' actions.
#include "logic/screens/Options.h"

#include <string>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/Settings.h"

namespace Logic {
namespace {

const char* const kVolumeButtons[] = {"musicvolume", "effectsvolume"};
const char* const kVolumeNames[] = {"music", "effects"};

}  // namespace

// The notice sits one button's step below the last item.
Options::Options()
    : menu({"fstoggle", "restoggle", "musicvolume", "effectsvolume", "exitoptions", "ghosttoggle"}, true),
      notice(engine, 550.0f) {}

void Options::Init() {
    ResetView();
    menu.FindButtons(true);
    ShowVolumes();
    ShowGhosts();
}

void Options::ShowGhosts() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    ZELM::Entity* button = entities != nullptr ? entities->Get("ghosttoggle").GetIfAlive() : nullptr;
    if (button != nullptr && button->IsBound("SetText") && engine.IsBound("IsShowingGhosts")) {
        button->Call("SetText",
                     std::string(engine.Call<bool>("IsShowingGhosts") ? "[ghost: on]" : "[ghost: off]"));
    }
}

void Options::ToggleGhosts() {
    if (engine.IsBound("SetShowGhosts")) {
        engine.Call("SetShowGhosts", !engine.Call<bool>("IsShowingGhosts"));
    }
    ShowGhosts();
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

bool Options::StepVolumeByArrows() {
    const Item item = static_cast<Item>(menu.GetSelection());
    if (item != kMusicVolume && item != kEffectsVolume) {
        return false;
    }
    const int step = (KeyTriggered("right") ? Settings::kVolumeStep : 0) -
                     (KeyTriggered("left") ? Settings::kVolumeStep : 0);
    if (step == 0) {
        return false;
    }
    const int volume = GetVolume(item) + step;
    SetVolume(item, volume < 0 ? 0 : (volume > 100 ? 100 : volume));
    return true;
}

void Options::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("Menu");
        return;
    }
    notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
    if (StepVolumeByArrows() || !menu.Step(engine)) {
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
        case kGhosts:
            ToggleGhosts();
            break;
        default:
            break;
    }
}

}  // namespace Logic
