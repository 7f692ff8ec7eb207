// The options, one item a row, each showing its state on its button: the display, its pacing, the
// two volumes, the ghosts, flashing (full or reduced), the game speed (100% down to 50%), the
// text size (100%, 125%, 150%), the controls, and "[back]" last (also ESC). ENTER toggles an item or
// steps it on (a volume 10% down, from 0% round to 100%; the frame limit to its next choice), LEFT
// and RIGHT step a volume or the frame limit down and up, and toggle the rest. Every change applies
// at once and is saved for the next run; a change the display answers shows under the items.
//
// An item is one row of Items() in Options.cpp: its button's name, the words it shows, and what
// ENTER and the arrows do. The screen makes the buttons itself, so a new item needs nothing else.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class Options : public Screen {
public:
    struct Item {
        const char* button;
        std::string (Options::*label)();
        void (Options::*confirm)();
        // LEFT (-1) and RIGHT (1); null: the arrows do what ENTER does.
        void (Options::*step)(int);
    };
    static const std::vector<Item>& Items();
    static std::vector<std::string> ButtonNames();

    Options();

    void Init() override;
    void Update(float dt) override;

    // What the last toggle switched to, on the line under the buttons.
    const std::string& GetNotice() const { return notice.GetShown(); }

private:
    void ShowLabels();

    std::string FullscreenLabel();
    std::string ResolutionLabel();
    std::string VsyncLabel();
    std::string FrameLimitLabel();
    std::string MusicLabel();
    std::string EffectsLabel();
    std::string GhostsLabel();
    std::string FlashingLabel();
    std::string GameSpeedLabel();
    std::string TextSizeLabel();
    std::string ControlsLabel();
    std::string BackLabel();

    void ToggleFullscreen();
    void ToggleResolution();
    void ToggleVsync();
    void StepFrameLimitOn();
    void StepFrameLimit(int steps);
    void StepMusicDown();
    void StepMusic(int steps);
    void StepEffectsDown();
    void StepEffects(int steps);
    void ToggleGhosts();
    void ToggleFlashing();
    void StepGameSpeedDown();  // ENTER: 10% slower, from 50% round to 100%
    void StepGameSpeed(int steps);
    void StepTextSizeOn();  // ENTER: the next size, from the largest round to 100%
    void StepTextSize(int steps);
    void OpenControls();
    void GoBack();

    int GetVolume(const char* call);
    void SetVolume(const char* call, int percent);
    int GetFrameLimit();
    int GetGameSpeed();
    int GetTextSize();
    void SetGameSpeed(int percent);

    Menu menu;
    MenuNotice notice;
    std::vector<ZELM::EntityHandle> buttons;
};

}  // namespace Logic
