// The splash screen's timing and its prompt.
#include "logic/screens/SplashScreen.h"

#include "graphics/TextMeasure.h"

namespace Logic {

void SplashScreen::Init() {
    elapsed = 0.0f;
    const float r = ScreenText::ScreenHeight(engine) / 600.0f;
    const float scale = 1.5f * r;
    const float width = ScreenText::ScreenWidth(engine);
    const int left = Graphics::TextMeasure::CentredLeft(width, kPrompt, scale);
    // Small and low, clear of the picture's middle.
    prompt = std::make_unique<ScreenText>(engine, left, static_cast<int>(540.0f * r), static_cast<int>(width),
                                          scale, kPrompt);
}

bool SplashScreen::AnythingPressed() {
    const bool key = engine.IsBound("AnyPressTriggered") && engine.Call<bool>("AnyPressTriggered");
    const bool pad = engine.IsBound("AnyButtonTriggered") && engine.Call<bool>("AnyButtonTriggered");
    return key || pad;
}

void SplashScreen::Update(float dt) {
    elapsed += dt;
    if (AnythingPressed()) {
        PostLoadLevel("Menu");
        return;
    }
    if (elapsed > kShowMs) {
        PostNextLevel();
    }
}

}  // namespace Logic
