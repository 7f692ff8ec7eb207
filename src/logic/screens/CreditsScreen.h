// The credits: who made the game and with what, by section under a title, fitted to the window;
// ESC or ENTER goes back to the main menu.
#pragma once

#include "logic/screens/PageLayout.h"
#include "logic/screens/Screen.h"

namespace Logic {

class CreditsScreen : public Screen {
public:
    CreditsScreen() : page(engine) {}

    void Init() override;
    void Update(float dt) override;

    const PageLayout& GetPage() const { return page; }

private:
    PageLayout page;
};

}  // namespace Logic
