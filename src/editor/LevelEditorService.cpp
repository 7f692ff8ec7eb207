// The level editor's bindings.
#include "editor/LevelEditorService.h"

namespace LevelEditor {

void LevelEditorService::Bind() {
    ZELM::DynamicBinder::Bind("GetEditorMode", this, &LevelEditorService::GetEditorMode);
    BindBroadcast("LevelStart", this, &LevelEditorService::LevelStart);
}

void LevelEditorService::Init() { editorMode = false; }

void LevelEditorService::LevelStart() {
    editorMode = false;
    CallAll("SetDebug Draw", false);
}

}  // namespace LevelEditor
