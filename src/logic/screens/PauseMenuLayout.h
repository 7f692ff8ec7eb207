// Where the pause menu's title and items go: one block centred on the screen at every resolution.
#pragma once

#include "graphics/Button.h"
#include "graphics/Text.h"

namespace Logic {

class PauseMenuLayout {
public:
    static constexpr int kItems = 7;
    // Heights in a 600-pixel screen, as the buttons' own: every place scales with the window.
    static constexpr float kTitleScale = 4.0f;
    static constexpr float kItemStep = 50.0f;
    // The title's glyphs, a gap, then the items' labels 20 pixels high each, 17 below their y; the
    // menu opens on "[return to game]", so the last label shows 7 pixels lower, as unselected ones do.
    static constexpr float kTitleHeight = 40.0f;
    static constexpr float kTitleGap = 30.0f;
    static constexpr float kLabelDrop = Graphics::Button::kLabelDrop;
    static constexpr float kUnselectedDrop = 7.0f;
    static constexpr float kBlockHeight =
        kTitleHeight + kTitleGap + kItemStep * (kItems - 1) + 20.0f + kUnselectedDrop;
    static constexpr float kTitleTop = (600.0f - kBlockHeight) / 2.0f;

    // The y of item `index` (from 0), as the button entity takes it.
    static constexpr float ItemY(int index) {
        return kTitleTop + kTitleHeight + kTitleGap - kLabelDrop + kItemStep * static_cast<float>(index);
    }
    // Centres the title across the screen at the block's top, above the dimmed frame.
    static void PlaceTitle(Graphics::Text& title, float screenWidth, float screenHeight);
};

}  // namespace Logic
