#include "logic/screens/MenuButtons.h"

namespace Logic {

// Defined before the lists that hold it: statics of one file are made in their order.
const std::string MenuButtons::kBack = "exitoptions";
const std::vector<std::string> MenuButtons::kMainMenu = {"play", "options", "credits", "quit"};
const std::vector<std::string> MenuButtons::kPlayGameMenu = {"adventure", "tattack", "race", "levels",
                                                             "mylevels", kBack};
const std::vector<std::string> MenuButtons::kOptions = {"fstoggle",    "restoggle",   "musicvolume",
                                                        "effectsvolume", kBack, "vsynctoggle",
                                                        "framelimit",  "ghosttoggle", "textsize"};
const std::vector<std::string> MenuButtons::kLevelSelect = {kBack};
const std::vector<std::string> MenuButtons::kCourseMenu = {kBack};
const std::vector<std::string> MenuButtons::kMyLevels = {"mledit", "mlimport", kBack};
const std::vector<std::string> MenuButtons::kPauseMenu = {"pauseHT",   "pauseFS",  "pauseR", "pauseRL",
                                                          "pauseRTMM", "pauseRTG", "pauseQ"};

const std::vector<std::string>* MenuButtons::Of(const std::string& screenType) {
    if (screenType == "MainMenu") return &kMainMenu;
    if (screenType == "PlayGameMenu") return &kPlayGameMenu;
    if (screenType == "Options") return &kOptions;
    if (screenType == "LevelSelect") return &kLevelSelect;
    if (screenType == "CourseMenu") return &kCourseMenu;
    if (screenType == "MyLevelsMenu") return &kMyLevels;
    if (screenType == "ImportMenu") return &kLevelSelect;
    return nullptr;
}

}  // namespace Logic
