// A line under a menu that says what the last choice did, such as the display mode a toggle
// switched to: the window may change under the player, and the words say what it became.
#pragma once

#include <string>

#include "logic/ScreenText.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class MenuNotice {
public:
    // `y` is the line's height in a 600-pixel screen, as the buttons' heights are.
    MenuNotice(ZELM::DynamicCaller& engine, float y);

    void Show(const std::string& notice);
    // A blank, not an empty text: an empty line leaves the text layer for good.
    void Clear() { Show(" "); }
    const std::string& GetShown() const { return text->text; }
    // Centres the line as the buttons are centred, for the window's size now.
    void LayOut();

    // What the display toggles switched to, in the player's words: "full screen" or "windowed",
    // and "1024 x 768".
    static std::string DisplayState(ZELM::DynamicCaller& engine);
    static std::string Resolution(ZELM::DynamicCaller& engine);

private:
    ZELM::DynamicCaller& engine;
    ScreenText text;
    float y;
};

}  // namespace Logic
