// The result screen: ESC or ENTER goes back to the main menu.
#pragma once

#include "logic/screens/Screen.h"

namespace Logic {

class WinScreen : public Screen {
public:
    void Init() override {}
    void Update(float dt) override;
};

}  // namespace Logic
