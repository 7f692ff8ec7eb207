// The level editor's service.
#pragma once

#include "engine/Service.h"

namespace LevelEditor {

class LevelEditorService : public ZELM::Service {
public:
    void Bind() override;
    // The editor starts in play mode.
    void Init() override;
    void Update(float dt) override { UpdateComponents(dt); }

    // Bound by name: whether editor mode is on, which makes gameplay key queries read false.
    bool GetEditorMode() { return editorMode; }
    // Every level starts in play: editor mode off and debug drawing off, so the camera follows the
    // player.
    void LevelStart();

private:
    // On from construction until Init, so nothing counts as gameplay input before the game starts.
    bool editorMode = true;
};

}  // namespace LevelEditor
