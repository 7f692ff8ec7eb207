// The buttons each menu screen finds by name in its level, in the order its menu steps through
// them. The screens build their menus from these lists and the level checker reports a level that
// lacks one of them, so the two can never disagree. A screen that makes more buttons while it runs
// (the level select, the course menu) lists those its level must hold.
#pragma once

#include <string>
#include <vector>

namespace Logic {

class MenuButtons {
public:
    // Every menu's way back.
    static const std::string kBack;
    static const std::vector<std::string> kMainMenu;
    static const std::vector<std::string> kPlayGameMenu;
    static const std::vector<std::string> kLevelSelect;
    static const std::vector<std::string> kCourseMenu;
    // The player's own levels: "[edit]", "[import]" and "[back]" under the list.
    static const std::vector<std::string> kMyLevels;
    // The pause menu makes every one of its buttons itself, as the options and the controls do:
    // no level is asked to hold them.
    static const std::vector<std::string> kPauseMenu;

    // The list of the screen whose component type is `screenType`; null for any other type.
    static const std::vector<std::string>* Of(const std::string& screenType);
};

}  // namespace Logic
