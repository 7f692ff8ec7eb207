// The notice line under a menu.
#include "logic/screens/MenuNotice.h"

#include <algorithm>

#include "graphics/Button.h"
#include "graphics/TextMeasure.h"

namespace Logic {

MenuNotice::MenuNotice(ZELM::DynamicCaller& engine, float y)
    : engine(engine), text(engine, 0, 0, 800, 2.0f, " "), y(y) {
    LayOut();
}

void MenuNotice::Show(const std::string& notice) {
    text->text = notice.empty() ? " " : notice;
    LayOut();
}

void MenuNotice::LayOut() {
    const float width = ScreenText::ScreenWidth(engine);
    const float height = ScreenText::ScreenHeight(engine);
    const float r = height / 600.0f;
    // The buttons' own layout, so the line stands centred under them at every resolution; a notice
    // too long for one line of the screen is set smaller, never cut at both edges.
    const float room = 0.95f * std::min(width, 800.0f * r);
    text->scale = Graphics::TextMeasure::FittingScale(text->text, 2.0f * r, room, r);
    text->width = static_cast<int>(room);
    text->x = std::max(0, Graphics::TextMeasure::CentredLeft(width, text->text, text->scale));
    text->y = static_cast<int>((y + Graphics::Button::kLabelDrop) * r);
    text->overDim = true;  // a menu's words
}

std::string MenuNotice::DisplayState(ZELM::DynamicCaller& engine) {
    const bool fullscreen = engine.IsBound("IsFullscreen") && engine.Call<bool>("IsFullscreen");
    return fullscreen ? "full screen" : "windowed";
}

std::string MenuNotice::Resolution(ZELM::DynamicCaller& engine) {
    return std::to_string(static_cast<int>(ScreenText::ScreenWidth(engine))) + " x " +
           std::to_string(static_cast<int>(ScreenText::ScreenHeight(engine)));
}

}  // namespace Logic
