// The notice line.
#include "logic/NotificationComponent.h"

#include "logic/ControlWords.h"

namespace Logic {

NotificationComponent::NotificationComponent()
    : text(engine, 20, 300, static_cast<int>(ScreenText::ScreenWidth(engine) - 40.0f),
           2.0f * ScreenText::ScreenHeight(engine) / 600.0f, " ") {
    text->panel = kMessagePanel;
}

void NotificationComponent::Bind() { ZELM::DynamicBinder::Bind("INowWin", this, &NotificationComponent::INowWin); }

void NotificationComponent::Update(float) {
    if (!waitForEnter) {
        return;
    }
    if (!retryCourse.empty()) {
        ReadRetryChoice();
    } else if (engine.Call<bool>("KeyDown", std::string("ENTER")) || ControlWords::PadTriggered(engine, Input::kButtonA)) {
        engine.CallLater("LoadLevel", 0.0f, std::string("Win"));
    }
}

// Pressed anew, not held: a key held since the finish would otherwise choose for the player.
void NotificationComponent::ReadRetryChoice() {
    if (chosen) {
        return;
    }
    if (engine.Call<bool>("KeyTriggered", std::string("ENTER")) || ControlWords::PadTriggered(engine, Input::kButtonA)) {
        Leave(retryCourse);  // the level starts over with its record and its best run's ghost
    } else if (engine.Call<bool>("KeyTriggered", std::string("ESC")) || ControlWords::PadTriggered(engine, Input::kButtonB)) {
        Leave(kCourseMenu);
    }
}

void NotificationComponent::Leave(const std::string& level) {
    chosen = true;  // one choice: the level is asked for once
    if (engine.IsBound("EraseLevelMap")) {
        engine.Call("EraseLevelMap");
    }
    engine.CallLater("LoadLevel", 0.0f, level);
}

}  // namespace Logic
