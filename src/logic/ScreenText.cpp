// Text lines of the gameplay components.
#include "logic/ScreenText.h"

namespace Logic {

ScreenText::ScreenText(ZELM::DynamicCaller& engine, int x, int y, int width, float scale, const std::string& text) {
    if (engine.IsBound("AddText")) {
        line = engine.Call<Graphics::Text*>("AddText");
    }
    if (line == nullptr) {
        own = std::make_unique<Graphics::Text>(x, y, width, scale);
        line = own.get();
    }
    line->x = x;
    line->y = y;
    line->width = width;
    line->scale = scale;
    line->text = text;
}

ScreenText::~ScreenText() { line->text.clear(); }

float ScreenText::ScreenHeight(ZELM::DynamicCaller& engine) {
    return engine.IsBound("GetScreenHeight") ? static_cast<float>(engine.Call<int>("GetScreenHeight")) : 600.0f;
}

float ScreenText::ScreenWidth(ZELM::DynamicCaller& engine) {
    return engine.IsBound("GetScreenWidth") ? static_cast<float>(engine.Call<int>("GetScreenWidth")) : 800.0f;
}

}  // namespace Logic
