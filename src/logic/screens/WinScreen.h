// The result screen: the adventure's run under a title, in columns that fit the window, and ESC or
// ENTER goes back to the main menu.
#pragma once

#include "logic/screens/PageLayout.h"
#include "logic/screens/Screen.h"

namespace Logic {

class WinScreen : public Screen {
public:
    WinScreen() : page(engine) {}

    // Lists the run: the total, and each level's time when the adventure ran from its first level.
    void Init() override;
    void Update(float dt) override;

    const PageLayout& GetPage() const { return page; }

private:
    PageLayout page;
};

}  // namespace Logic
