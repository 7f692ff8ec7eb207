// The level editor: play, editor and tile modes over the running level, the tile painting, the
// selection keys, the status line and the Lua console.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/EditHistory.h"
#include "editor/EditorConsole.h"
#include "editor/EditorView.h"
#include "editor/EntityList.h"
#include "editor/LevelFilePicker.h"
#include "editor/NewLevelDialog.h"
#include "editor/PlayTest.h"
#include "editor/TilePalette.h"
#include "engine/EntityHandle.h"
#include "engine/Service.h"

namespace Graphics {
struct Text;
}

namespace Windows {
struct WindowsMessage;
}

namespace LevelEditor {

class LevelEditorService : public ZELM::Service {
public:
    enum Mode { kPlay = 0, kEditor = 1, kTile = 2 };

    LevelEditorService();
    ~LevelEditorService() override;

    void Bind() override;
    // Builds the console, places the status line and starts in play.
    void Init() override;
    void Update(float dt) override;

    // Bound by name: whether editor mode is on, which makes gameplay key queries read false.
    bool GetEditorMode() { return editorMode; }
    void SetEditorMode(bool on);
    // True while the console's field has the keyboard or editor mode is on.
    bool EditorBlockingInput();
    // Every level starts in play: editor mode off and debug drawing off, so the camera follows the
    // player.
    void LevelStart();
    void WindowsMessageHandler(Windows::WindowsMessage message);
    void ObjectPicked(ZELM::EntityHandle entity);
    void ConsoleOutput(const std::string& text) { console.AddLine(text); }

    int GetMode() const { return mode; }
    unsigned char GetSelection() const { return selection; }
    EditorConsole& GetConsole() { return console; }
    LevelFilePicker* GetFilePicker() { return picker.get(); }
    const EditorView& GetView() const { return view; }

    // The main menu's buttons.
    void NewLevel();
    void OpenLevel();
    void SaveLevel();
    // Writes the level, saved among the player's levels, as one file to share: NAME.fwlevel in the
    // player's home folder.
    void ExportLevel();
    void QuitGame();
    // Deferred, by name: loads the level and opens it in editor mode ("[edit]" of the player's levels).
    void EditLevel(std::string level);
    const std::string& GetStatus() const;

    // Bound by name: a menu is about to change the level; the history keeps it as it was.
    void BeginEdit(std::string description);
    // A new level of that many tiles, walled in; one undoable step.
    void MakeNewLevel(unsigned width, unsigned height);
    // Deferred: a new level's entities replace the old level's.
    void MakeNewLevelEntities();
    const EditHistory& GetHistory() const { return history; }
    EditHistory& GetHistory() { return history; }
    NewLevelDialog* GetNewLevelDialog() { return newLevelDialog.get(); }
    // The selected tile's name in tile mode ("" for none and in the other modes).
    std::string GetSelectionName() const;
    // The entities whose menus are open, by name.
    std::vector<std::string> GetOpenMenus();
    // Bound by name: a play-test that reaches its goal comes back to the edit, not to the next
    // level (whose name and tiles a save would then be given).
    bool IsPlayTesting() const { return playTest.IsRunning(); }
    void PlayTestReachedGoal();

private:
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in editor and tile mode; F5 starts a play-test there and
    // ends it from any mode. Nothing while the console's or a menu's field has the keyboard.
    void HandleEditKeys();
    void StartPlayTest();
    void FinishPlayTest();
    // On the status line and in the console.
    void Report(const std::string& text);

    void AdvanceMode();
    void SetStatus(const std::string& text);
    void SelectInEditorMode();
    void SelectTile();
    void ChooseTile(unsigned char id, const std::string& name);
    // Follows where the keys and clicks went; a wheel turn or a right click that nothing else
    // took zooms or picks. True when handled.
    bool ViewMessage(const Windows::WindowsMessage& message, bool barsTookIt, bool handled);
    void PickUnderMouse();
    // The bars' windows lie over the level: a click on one neither paints nor picks.
    bool ClickWentToBars();
    void OutlineCellUnderMouse();
    void PaintTiles();
    void ShowMenus(bool shown);
    void BuildPropertyMenu();
    void BuildMainMenu();
    // "Untitled" and the counter, past every name in use: two entities of one name would share one
    // method table.
    std::string NewEntityName();
    void OpenMenuBesideMouse(ZELM::EntityHandle entity);
    void CreateEntityAt(int windowX, int windowY);
    void PlaceArchetypeUnderMouse();

    // On from construction until Init, so nothing counts as gameplay input before the game starts.
    bool editorMode = true;
    int mode = kPlay;
    bool editOnStart = false;  // the level being loaded opens in editor mode
    std::string savedAs;       // the player's level this one was last saved as, "" before a save
    unsigned char selection = 0;
    unsigned entityCounter = 0;
    // What Ctrl+click places for each editor-mode selection.
    std::vector<std::string> archetypeNames;
    EditorConsole console;
    std::unique_ptr<LevelFilePicker> picker;
    std::unique_ptr<NewLevelDialog> newLevelDialog;
    EditHistory history;
    PlayTest playTest;
    std::vector<std::unique_ptr<std::pair<LevelEditorService*, void (LevelEditorService::*)()>>> menuActions;
    EditorView view;
    EditorView viewBeforePlayTest;
    TilePalette palette;
    EntityList entityList;
    bool pickingNow = false;     // the editor's own right click is being announced
    bool keysToBars = false;     // the last key pressed went into a bar's field
    bool barsTookClick = false;  // the last button pressed went to a bar...
    bool barsClickSeen = false;  // ...and a frame has seen it held
    Graphics::Text* status = nullptr;
    std::unique_ptr<Graphics::Text> ownStatus;  // the status line when no text layer runs
};

}  // namespace LevelEditor
