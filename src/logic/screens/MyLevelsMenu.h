// The player's own levels ("[my levels]"): one button each with its name, size and best time, a
// page at a time, the last played first. ENTER plays the level with its clock, records, best run
// and ghost; "[edit]" turns the list into one that opens the chosen level in the editor;
// "[import]" reads a level file someone shared; ESC goes back to the mode selection. A level that
// cannot be played is listed with the reason, and choosing it says so instead of starting it.
#pragma once

#include <string>
#include <vector>

#include "logic/PlayerLevelList.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/PagedButtons.h"
#include "logic/screens/Screen.h"

namespace Logic {

class MyLevelsMenu : public Screen {
public:
    static constexpr std::size_t kLevelsAPage = 6;
    // The screen's own buttons, in the level file, under the list.
    static const std::vector<std::string>& OwnButtons();

    MyLevelsMenu();

    void Init() override;
    void Update(float dt) override;


private:
    void ReadItems();
    void Choose(std::size_t chosen);
    void PlayOrEdit(const PlayerLevelList::Item& item);
    void ToggleEditing();
    void ShowPageLabel();

    std::vector<PlayerLevelList::Item> items;
    PagedButtons list{"mylevel", kLevelsAPage};
    Menu menu;
    MenuNotice notice;
    bool editing = false;
    std::string shownLabel;
};

}  // namespace Logic
