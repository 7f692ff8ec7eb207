// The pause menu's how-to page: a line for every kind of block and thing a level can hold, from the
// arrow keys to the boxes, in a type small enough for the whole list to fit the screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "logic/ScreenText.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class HowToPage {
public:
    explicit HowToPage(ZELM::DynamicCaller& engine) : engine(engine) {}

    // Lays the page out for the current screen size; showing it again lays it out anew.
    void Show();
    void Hide() { lines.clear(); }
    bool IsShown() const { return !lines.empty(); }
    // The words on the screen, a line each.
    std::vector<std::string> GetLines() const;

private:
    std::string Named(const char* text);

    ZELM::DynamicCaller& engine;
    std::vector<std::unique_ptr<ScreenText>> lines;
};

}  // namespace Logic
