// The editor's undo and redo keys, its play-test, its new levels and what the trace reads of it:
// the level editor service's parts that go through the edit history.
#include "editor/EntityMenu.h"
#include "editor/LevelEditorService.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/ContentPipeline.h"
#include "engine/Engine.h"

namespace LevelEditor {

void LevelEditorService::BeginEdit(std::string description) {
    history.BeginEdit(description);
}

void LevelEditorService::MakeNewLevel(unsigned width, unsigned height) {
    history.BeginEdit("new " + std::to_string(width) + " x " + std::to_string(height) + " level",
                      LevelSnapshot::Tiles::With);
    // The old level's scripts would teach its lessons in the new one, and a save would name them.
    CallAll("SetLevelScripts", std::string(), std::string(), std::string());
    // After the frame: the dialog's button is still being drawn with the old entities.
    CallLater("MakeNewLevelEntities", 0.0f);
    Call("NewTileMap", width, height);
    Report("new level: " + std::to_string(width) + " x " + std::to_string(height) + " tiles");
}

void LevelEditorService::MakeNewLevelEntities() {
    // A new level holds only its screen, which draws the tile map and gives the level its pause
    // menu: saved and played, it is a level like the bundled ones.
    static const char kNewLevelEntities[] =
        "<Level><Entity><string>Screen</string><string>Not Set</string>"
        "<Component><string>Logic</string><string>Level</string></Component></Entity></Level>";
    ZELM::ContentPipeline::ReplaceEntities(kNewLevelEntities);
}

void LevelEditorService::Report(const std::string& text) {
    SetStatus(text);
    console.AddLine(text);
}

void LevelEditorService::HandleEditKeys() {
    if ((console.IsShown() && !console.IsEscaped()) || TwTextFieldActive() != 0) {
        return;
    }
    const auto down = [this](const char* key) { return Call<bool>("EditorKeyDown", std::string(key)); };
    const auto pressed = [this](const char* key) {
        return Call<bool>("EditorKeyTriggered", std::string(key));
    };
    const bool shift = down("LSHIFT") || down("RSHIFT");
    if (pressed("F5") && !shift) {
        if (playTest.IsRunning()) {
            FinishPlayTest();
        } else if (mode != kPlay) {
            StartPlayTest();
        }
        return;
    }
    if (mode == kPlay || !(down("LCTRL") || down("RCTRL"))) {
        return;
    }
    std::string said;
    if (pressed("Z") && !shift) {
        said = history.Undo();
        said = said.empty() ? "nothing to undo" : said;
    } else if (pressed("Y") || (pressed("Z") && shift)) {
        said = history.Redo();
        said = said.empty() ? "nothing to redo" : said;
    }
    if (!said.empty()) {
        Report(said);
    }
}

void LevelEditorService::StartPlayTest() {
    viewBeforePlayTest = view;
    history.EndStroke();
    history.FinishEdit();
    const int editedIn = mode;
    mode = kPlay;
    // The level start that the play-test announces takes editor mode off and lets the game run.
    playTest.Start(editedIn);
    Report("[PLAY-TEST] F5: back to the edit");
}

void LevelEditorService::FinishPlayTest() {
    mode = playTest.GetEditedMode();
    // Before the level comes back, so its menus show as this mode shows them.
    SetEditorMode(mode == kEditor);
    playTest.Finish();
    view = viewBeforePlayTest;  // the designer comes back to the place they were looking at
    Report(std::string(mode == kEditor ? "[EDITOR MODE]" : "[TILE MODE]") + " back from the play-test");
}

void LevelEditorService::PlayTestReachedGoal() {
    if (!playTest.IsRunning()) {
        return;
    }
    FinishPlayTest();
    Report(std::string(mode == kEditor ? "[EDITOR MODE]" : "[TILE MODE]") + " goal reached in the play-test");
}

std::vector<std::string> LevelEditorService::GetOpenMenus() {
    std::vector<std::string> open;
    if (!editorMode) {
        return open;  // the menus show in editor mode only
    }
    for (ZELM::Component* component : GetComponents()) {
        auto* menu = dynamic_cast<EntityMenu*>(component);
        if (menu != nullptr && menu->IsOpen()) {
            open.push_back(menu->GetBarName());
        }
    }
    return open;
}

}  // namespace LevelEditor
