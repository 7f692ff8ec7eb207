// The options: full screen, resolution, music and effects volume, back to the main menu (also
// ESC), vsync, the frame limit, and whether a level's best run shows as a ghost. Each display
// toggle says below the buttons what it switched to; a volume, vsync, the frame limit and the
// ghosts show on their buttons. ENTER steps a volume down 10% (from 0% round to 100%), LEFT and
// RIGHT step it down and up; ENTER and RIGHT step the frame limit on through its choices, LEFT
// back. Every change applies at once and is saved for the next run.
#pragma once

#include <string>

#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class Options : public Screen {
public:
    Options();

    void Init() override;
    void Update(float dt) override;

    // What the last toggle switched to, on the line under the buttons.
    const std::string& GetNotice() const { return notice.GetShown(); }

private:
    // The items that came after the first five follow "[back]", so the first five kept their places.
    enum Item : int {
        kFullscreen,
        kResolution,
        kMusicVolume,
        kEffectsVolume,
        kBack,
        kVsync,
        kFrameLimit,
        kGhosts,
        kTextSize
    };

    // LEFT and RIGHT on a selected volume or the frame limit; true when one changed.
    bool StepByArrows();
    void SetVolume(Item item, int percent);
    int GetVolume(Item item);
    void ShowVolumes();
    void ShowGhosts();
    void ToggleGhosts();
    void ShowTextSize();
    void StepTextSize();
    void ShowPacing();
    void ToggleVsync();
    void StepFrameLimit(int steps);
    int GetFrameLimit();
    void SetButtonText(const char* button, const std::string& text);

    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
