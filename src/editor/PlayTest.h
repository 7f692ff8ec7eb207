// A play-test: the level as edited is kept in memory and started as a level starts; coming back
// puts the edit back exactly as it was, whatever the play did to it.
#pragma once

#include <optional>

#include "editor/LevelSnapshot.h"
#include "utilities/DynamicCaller.h"

namespace LevelEditor {

class PlayTest {
public:
    PlayTest() { engine.SetName("Engine"); }

    bool IsRunning() const { return edited.has_value(); }
    // Keeps the level (entities and tile map) and the editor mode to come back to, then makes the
    // entities anew from the kept level and announces a level start, so the player begins where
    // the edit put it.
    void Start(int editorMode);
    // The mode the play-test was started from.
    int GetEditedMode() const { return mode; }
    // Puts the kept level back; nothing when none was running.
    void Finish();

private:
    ZELM::DynamicCaller engine;
    std::optional<LevelSnapshot> edited;
    int mode = 0;
};

}  // namespace LevelEditor
