// One line of the text layer owned by a gameplay object, blanked for good when its owner goes.
#pragma once

#include <memory>
#include <string>

#include "graphics/Text.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

// The panels the game's lines share (Graphics::Text::panel): the tutorial instructions and the
// notices stack in one box, so they never overlap; the clock and a level's name have their own.
// A page (the how-to, the results, the credits) keeps its lines' places on a panel of its own; a
// menu's buttons share Graphics::Button::kMenuPanel.
enum PanelNumber : int { kNoPanel = 0, kMessagePanel = 1, kClockPanel = 2, kTitlePanel = 3, kPagePanel = 4 };

class ScreenText {
public:
    // Asks the engine for a line ("AddText") and places it; without a text layer (tools, tests)
    // the line is kept here, so its owner can always write to it.
    ScreenText(ZELM::DynamicCaller& engine, int x, int y, int width, float scale, const std::string& text);
    // An empty text takes the line out of the layer: a component that is gone leaves no words behind.
    ~ScreenText();
    ScreenText(const ScreenText&) = delete;
    ScreenText& operator=(const ScreenText&) = delete;

    Graphics::Text* Get() const { return line; }
    Graphics::Text* operator->() const { return line; }

    // The screen's height in pixels ("GetScreenHeight"), 600 without a graphics service.
    static float ScreenHeight(ZELM::DynamicCaller& engine);
    static float ScreenWidth(ZELM::DynamicCaller& engine);

private:
    std::unique_ptr<Graphics::Text> own;
    Graphics::Text* line = nullptr;
};

}  // namespace Logic
