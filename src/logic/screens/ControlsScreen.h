// The controls: one row an action with its keys and pad controls, "[restore defaults]" and
// "[back]" (also ESC). ENTER (or A) on a row waits for the key or pad control to bind: it becomes
// the action's first, the one before moves to second, and pressing the first again makes it the
// only one; a key another action had moves here and the line under the rows says so. ESC (or B)
// stops waiting. ENTER, ESC and F11 cannot be bound, so menus and the display always answer.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class ControlsScreen : public Screen {
public:
    static std::vector<std::string> ButtonNames();

    ControlsScreen();

    void Init() override;
    void Update(float dt) override;

    const std::string& GetNotice() const { return notice.GetShown(); }

private:
    void ShowRows();
    std::string RowText(int action);
    void StartWaiting(int action);
    void Wait();
    void Bound(const std::string& result);
    void RestoreDefaults();

    Menu menu;
    MenuNotice notice;
    std::vector<ZELM::EntityHandle> buttons;
    int waitingFor = -1;  // the action waiting for its key, or -1
};

}  // namespace Logic
