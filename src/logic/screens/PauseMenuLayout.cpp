// Placing the pause menu's title.
#include "logic/screens/PauseMenuLayout.h"

#include "graphics/TextMeasure.h"

namespace Logic {

void PauseMenuLayout::PlaceTitle(Graphics::Text& title, float screenWidth, float screenHeight) {
    const float r = screenHeight / 600.0f;
    title.scale = kTitleScale * r;
    title.width = static_cast<int>(screenWidth);
    title.x = Graphics::TextMeasure::CentredLeft(screenWidth, title.text, title.scale);
    title.y = static_cast<int>(kTitleTop * r);
    title.overDim = true;
}

}  // namespace Logic
