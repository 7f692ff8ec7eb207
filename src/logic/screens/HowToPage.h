// The pause menu's how-to page: a line for every kind of block and thing a level can hold, from the
// arrow keys to the boxes, on a panel of its own over the paused level, fitted to the screen.
#pragma once

#include <string>
#include <vector>

#include "logic/screens/PageLayout.h"

namespace Logic {

class HowToPage {
public:
    explicit HowToPage(ZELM::DynamicCaller& engine) : engine(engine), page(engine) {}

    // Lays the page out for the current screen size; showing it again lays it out anew.
    void Show();
    void Hide() { page.Hide(); }
    bool IsShown() const { return page.IsShown(); }
    // The words on the screen, a line each.
    std::vector<std::string> GetLines() const { return page.GetLines(); }

private:
    ZELM::DynamicCaller& engine;
    PageLayout page;
};

}  // namespace Logic
