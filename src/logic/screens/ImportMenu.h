// Importing a level someone shared: the level files (".fwlevel") found in the player's home, its
// Downloads and its Desktop, the newest first, a page at a time. ENTER reads the chosen file, checks
// it and installs it among the player's levels, then shows "[my levels]" with it; a file that is
// refused stays listed and the line under the buttons says why. ESC goes back.
#pragma once

#include <string>
#include <vector>

#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/PagedButtons.h"
#include "logic/screens/Screen.h"

namespace Logic {

class ImportMenu : public Screen {
public:
    static constexpr std::size_t kFilesAPage = 6;
    static constexpr std::size_t kMostListed = 200;

    ImportMenu();

    void Init() override;
    void Update(float dt) override;

    // The level files of those folders ("" folders skipped), the newest first.
    static std::vector<std::string> FindLevelFiles(const std::vector<std::string>& folders);
    // Where a player keeps what they were sent: the home folder, its Downloads and its Desktop.
    static std::vector<std::string> SearchedFolders();

private:
    void Import(const std::string& file);

    std::vector<std::string> files;
    PagedButtons list{"importfile", kFilesAPage};
    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
