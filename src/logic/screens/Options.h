// The options: full screen, resolution, music and effects volume, back to the main menu (also
// ESC), and whether a level's best run shows as a ghost. Each display toggle says below the
// buttons what it switched to; a volume and the ghosts show on their buttons, ENTER steps a
// volume down 10% (from 0% round to 100%), LEFT and RIGHT step it down and up. Every change is
// saved for the next run.
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
    // The ghosts' item came last, so the items before it kept their places.
    enum Item : int { kFullscreen, kResolution, kMusicVolume, kEffectsVolume, kBack, kGhosts };

    // LEFT and RIGHT on a selected volume; true when one changed.
    bool StepVolumeByArrows();
    void SetVolume(Item item, int percent);
    int GetVolume(Item item);
    void ShowVolumes();
    void ShowGhosts();
    void ToggleGhosts();

    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
