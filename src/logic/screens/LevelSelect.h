// The level selection: the adventure levels reached so far, each with its best time, and back to
// the mode selection (also ESC). The chosen level starts the adventure there.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/PagedButtons.h"
#include "logic/screens/Screen.h"

namespace Logic {

class LevelSelect : public Screen {
public:
    // The levels one page shows: a world of the adventure, as many as fit above "[back]".
    static constexpr std::size_t kLevelsAPage = 6;

    LevelSelect();

    void Init() override;
    void Update(float dt) override;

    // A level's button text: its name and best time in the player's words.
    static std::string ButtonText(const std::string& level, float bestSeconds);
    // The first level of the page that shows the selection; "[back]" (the index past the last
    // level) shows the last page.
    static std::size_t PageStart(std::size_t selection, std::size_t levelCount) {
        return PagedButtons::PageStart(selection, levelCount, kLevelsAPage);
    }
    // The line under the buttons: the world of the page shown, and how to reach the others.
    static std::string WorldLabel(std::size_t selection, std::size_t levelCount);

private:
    // One button a level, above "[back]".
    void CreateLevelButtons();

    std::vector<std::string> levels;
    PagedButtons list{"levelselect", kLevelsAPage};
    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
