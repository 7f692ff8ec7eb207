// The level editor's bindings.
#include "editor/LevelEditorService.h"

namespace LevelEditor {

void LevelEditorService::Bind() { ZELM::DynamicBinder::Bind("GetEditorMode", this, &LevelEditorService::GetEditorMode); }

void LevelEditorService::Init() { editorMode = false; }

}  // namespace LevelEditor
