// The options: full screen, resolution, back to the main menu (also ESC). Each toggle says below
// the buttons what it switched to.
#pragma once

#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class Options : public Screen {
public:
    Options();

    void Init() override;
    void Update(float dt) override;

private:
    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
