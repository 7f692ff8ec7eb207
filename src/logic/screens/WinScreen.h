// The result screen: the adventure's run under the words of the level script, and ESC or ENTER
// goes back to the main menu.
#pragma once

#include <memory>
#include <vector>

#include "logic/ScreenText.h"
#include "logic/screens/Screen.h"

namespace Logic {

class WinScreen : public Screen {
public:
    // Lists the run: the total, and each level's time when the adventure ran from its first level.
    void Init() override;
    void Update(float dt) override;

private:
    std::vector<std::unique_ptr<ScreenText>> runLines;
};

}  // namespace Logic
