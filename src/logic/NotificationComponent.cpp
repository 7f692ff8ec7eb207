// The notice line.
#include "logic/NotificationComponent.h"

namespace Logic {

NotificationComponent::NotificationComponent()
    : text(engine, 20, 300, static_cast<int>(ScreenText::ScreenHeight(engine) / 600.0f * 800.0f),
           2.0f * ScreenText::ScreenHeight(engine) / 600.0f, " ") {
    text->panel = kMessagePanel;
}

void NotificationComponent::Bind() { ZELM::DynamicBinder::Bind("INowWin", this, &NotificationComponent::INowWin); }

void NotificationComponent::Update(float) {
    if (waitForEnter && engine.Call<bool>("KeyDown", std::string("ENTER"))) {
        engine.CallLater("LoadLevel", 0.0f, std::string("Win"));
    }
}

}  // namespace Logic
