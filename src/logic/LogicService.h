// The game-flow service: the rules of the goal in each mode, the level's tile map, and the
// gameplay components it updates. The player's files, the pause menu and the level's scripts are
// kept by classes of their own; this service binds their names and hands the calls on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "engine/Service.h"
#include "logic/AdventureRun.h"
#include "logic/BestRun.h"
#include "logic/LevelScripts.h"
#include "logic/MyLevelsFlow.h"
#include "logic/PlayerRecords.h"
#include "logic/PlayerSettings.h"
#include "logic/ScreenText.h"
#include "logic/TileCollision.h"
#include "logic/TileEffects.h"
#include "logic/WorldMap.h"
#include "logic/screens/HowToPage.h"
#include "logic/screens/PauseMenu.h"

namespace Logic {

// The game modes: what reaching the goal leads to.
// A player's own level ("my:" names) is timed, kept and ghosted per level, and its finish goes
// back to the list of the player's levels.
enum WinType : int { kAdventure = 0, kTimeAttack = 1, kRace = 2, kPlayerLevel = 3 };

class LogicService : public ZELM::Service {
public:
    // The tile records: type = id for ids 1 to 20; ghosts, report thresholds and friction by type.
    LogicService();

    void Bind() override;
    // Enters the component types of the game's logic into the registry and creates the status line.
    void Init() override;
    // Notes where every entity stands as the tick begins, for the frames drawn after it.
    void BeginTick() override;
    // Counts the tile-effect cooldowns down, updates the components (while the pause menu is open,
    // all but those that take the player's keys), then runs the level's Lua "Update" when the
    // level has an update script.
    void Update(float dt) override;

    // The level's scripts, loaded into the shared Lua state; a name repeated reuses the earlier load.
    void SetLevelScripts(const std::string& init, const std::string& update, const std::string& exit) {
        levelScripts.Set(init, update, exit);
    }
    void ClearLevelScripts() { levelScripts.Clear(); }
    // Clears both finish times, then calls the level's Lua "Init" when it has an init script.
    void LevelStart();
    // Calls the level's Lua "Shutdown" when it has an exit script, then forgets the scripts.
    void LevelExit();

    // The tile map, by name: the file of that name in the levels' "Tiles/" directory.
    void LoadLevel(const std::string& name) { worldMap.LoadByName(name); }
    void SaveLevel(const std::string& name) { worldMap.SaveByName(name); }
    // Writes the loaded map to its own file name.
    void SaveLevels() { worldMap.SaveInPlace(); }
    // A new level's map: 64 by 32 tiles walled in by blocks, without a file until the level is
    // saved by name.
    void New() { NewTileMap(64, 32); }
    // The same at the size the editor asks for; sizes outside 8..4096 are refused with a report.
    void NewTileMap(unsigned width, unsigned height) { worldMap.CreateWalled(width, height); }
    bool HasTileInfo() { return worldMap.HasTileInfo(); }
    void NoTileInfo() { worldMap.SetTileInfo(false); }
    void SetTileInfo(bool hasInfo) { worldMap.SetTileInfo(hasInfo); }
    // The map itself, by name, for the editor's copies of the level.
    ZELM::LevelMap* GetLevelMap() { return &worldMap; }
    void SetLevelID(unsigned x, unsigned y, unsigned char id) { worldMap.SetTileID(x, y, id); }
    unsigned char GetTileID(unsigned x, unsigned y) { return worldMap.GetTileID(x, y); }
    // Sets every tile of the map to the id.
    void FillWorld(unsigned char id) { worldMap.Fill(id); }
    // Collides the body with the tiles around it.
    void GenerateWorldCollisions(Kestrin::PhysicsComponent* body);
    // Checkpoint and red-block effects when the player touches a tile on the given side.
    void CollidedWithPlayer(Kestrin::TilePhysicsObject* tile, unsigned side);
    // Remembers the local player; a handle that is not alive is ignored.
    void SetPlayer(ZELM::EntityHandle entity);
    // Puts the first player at (5, 5).
    void SetPlayerStats();

    // The rules of the goal in each mode, and the race's results.
    void TimeToWin();
    void SetWinType(int type) { winType = type; }
    void SetPlayerTime(float time) { playerFinishTime = time; }
    // The peer's finish time arrived: with both times known, the result shows, unless a result
    // or a disconnection already waits for ENTER.
    void SetOtherPlayerTime(float time);
    void ChangeLevelDueToNetworkDisconnect();

    // Reach the level's clock, notice line and player through their first component.
    float GetTimerTime();
    void UnpauseTimer();
    void PostSomeText(std::string text);
    void FrezeYouBastard(bool freeze);
    void SetPlayerDontWin(bool dontWin);
    // A time attack's result offers to start the course again: ESC then answers it, not the pause.
    bool IsOfferingRetry() const;

    // The pause menu: the title and its buttons, the music paused, the player's instructions put
    // aside, and no key reaching the player until it closes; and the how-to page in its place.
    void Pause(bool paused);
    void DisplayHowTo(bool show);

    // Called before the services start: Init reads the player's records and settings, the first
    // level applies the settings, and each file is saved whenever it changes. Without it (tools,
    // tests of one level) records last as long as the process and settings are not touched.
    void KeepPlayerFiles();
    // Writes the display and volumes as they are now; the options call it after each change.
    void SaveSettings() { playerSettings.Save(); }
    // The option that shows a level's best run as a ghost; saved at once.
    bool IsShowingGhosts() { return playerSettings.IsShowingGhosts(); }
    void SetShowGhosts(bool show) { playerSettings.SetShowGhosts(show); }
    // The option that sizes the instructions, notices and clock, in percent; saved at once.
    int GetTextSize() { return playerSettings.GetTextSize(); }
    void SetTextSize(int percent) { playerSettings.SetTextSize(percent); }
    // The vsync option, applied and saved at once; true when the swap now waits for the display.
    bool IsUsingVsync() { return playerSettings.IsUsingVsync(); }
    bool SetUseVsync(bool on) { return playerSettings.SetUseVsync(on); }
    // The frame limit option (one of Settings::kFrameLimits), applied and saved at once.
    int GetFrameRateLimit() { return playerSettings.GetFrameLimit(); }
    void SetFrameRateLimit(int framesPerSecond) { playerSettings.SetFrameLimit(framesPerSecond); }
    // The flashing option: whole-screen brightness changes kept small; applied and saved at once.
    bool IsFlashingReduced() { return playerSettings.IsReducingFlashing(); }
    void SetFlashingReduced(bool reduce) { playerSettings.SetReduceFlashing(reduce); }
    // The game speed option in percent (50 to 100), saved at once; it slows the next level played.
    int GetGameSpeedPercent() { return playerSettings.GetGameSpeed(); }
    void SetGameSpeedPercent(int percent) { playerSettings.SetGameSpeed(percent); }
    // A playable level starts: at the chosen game speed, but a race always at full speed, since
    // both players must keep one pace.
    void StartPlaySpeed();
    // Whether the level is played slower than the game's speed: its time shows "assisted" and
    // sets no record, no best run and no ghost.
    bool IsAssisted() const { return assisted; }
    // Broadcast by the window service: losing the window mid-level pauses the level's screen.
    void WindowFocusChanged(bool focused);
    // The ghost's place while one is drawn, for the trace.
    bool GetGhostPosition(float& x, float& y) const { return bestRun.GetGhostPosition(x, y); }
    // The furthest adventure level reached, "" before the first; "[adventure]" goes on there.
    std::string GetFurthestLevel() { return playerRecords.GetFurthest(); }
    // The adventure levels up to the furthest reached (the first one for a new player), for the
    // level selection.
    std::vector<std::string> GetReachedLevels() { return playerRecords.GetReachedLevels(); }
    // The level's best time in seconds, infinity when it has none.
    float GetLevelBest(std::string level) { return playerRecords.GetBest(level); }

    // The player's own levels: records by "my:" name, the list's focus, the check and the import
    // the program hands in, and the author's name their shared files carry.
    MyLevelsFlow& GetMyLevels() { return myLevels; }
    float GetMyLevelBest(std::string level) { return myLevels.GetRecords().GetBest(level); }
    double GetMyLevelPlayed(std::string level) { return static_cast<double>(myLevels.GetRecords().GetPlayed(level)); }
    std::string CheckPlayerLevel(std::string level) { return myLevels.CheckLevel(level); }
    std::string ImportLevelFile(std::string file) { return myLevels.ImportFile(file); }
    std::string ExportLevelFile(std::string level, std::string file) { return myLevels.ExportFile(level, file); }
    std::string GetMyLevelsFocus() { return myLevels.GetFocus(); }
    void SetMyLevelsFocus(std::string level) { myLevels.SetFocus(level); }
    std::string GetAuthorName() { return myLevels.GetRecords().GetAuthor(); }
    void SetAuthorName(std::string name) { myLevels.GetRecords().SetAuthor(name); }

    int GetWinType() const { return winType; }
    // The adventure's levels won in this process with their times; null outside an adventure, so
    // a time attack's or a race's result screen shows none.
    const AdventureRun* GetAdventureRun() const { return winType == kAdventure ? &adventureRun : nullptr; }
    float GetPlayerFinishTime() const { return playerFinishTime; }
    float GetOtherPlayerFinishTime() const { return otherPlayerFinishTime; }
    const Graphics::Text* GetStatusText() const { return pauseMenu.GetTitle(); }
    const HowToPage& GetHowToPage() const { return pauseMenu.GetHowToPage(); }
    // Hands the tile map to the renderer, or takes it back before the map is replaced.
    void DrawLevelMap();
    void EraseLevelMap();
    const ZELM::EntityHandle& GetPlayer() const { return player; }

    TileCollision::TileObjects& GetTileObjects() { return tileObjects; }
    const WorldMap& GetWorldMap() const { return worldMap; }
    WorldMap& GetWorldMap() { return worldMap; }

private:
    std::string CurrentLevelName();
    // A level started by the editor's play-test: it keeps no records and goes back to the edit.
    bool IsPlayTesting();
    // The first component of the type in this service's list, or null.
    ZELM::Component* FirstComponent(const std::string& typeName) const;
    // The notice line waits for ENTER, then goes on to the result screen.
    void WaitForEnter();
    bool IsWaitingForEnter() const;
    // The notice line waits for ENTER to play the level again, or ESC for the course menu.
    void OfferRetry(const std::string& level);
    void StopClock();
    // Keeps a time attack's time when it is the course's best; the words the goal shows for it.
    std::string TimeAttackResult(const std::string& course, float seconds);
    void TellPeerFinishTime(float time);
    // A level whose best run is kept and shown as a ghost: the time attack's course in the time
    // attack, and the adventure's levels that count for records.
    bool KeepsBestRuns(const std::string& level);
    // The adventure level's time and its best, on a clock line of its own while the win plays.
    void ShowAdventureResult(const std::string& level, float seconds, bool newBest);
    // A player level's goal: its time kept, shown with its best, and ENTER back to the list.
    void FinishPlayerLevel();
    void ShowFinishLine(const std::string& shown);
    // A time made slower than the game's speed, as its finish line and clock show it.
    static std::string AssistedTime(float seconds);
    // " +1.200" after the time when the run had a ghost to race, "" otherwise.
    std::string GhostDifference(float seconds) const;
    void UpdateAllButPlayerInput(float dt);
    float GetFrameRate();

    WorldMap worldMap;
    TileCollision::TileObjects tileObjects;
    TileEffects tileEffects{*this};
    int winType = kAdventure;
    bool assisted = false;
    float playerFinishTime = 0.0f;
    float otherPlayerFinishTime = 0.0f;  // 0 until the peer's arrives
    AdventureRun adventureRun;
    PlayerRecords playerRecords{*this};
    PlayerSettings playerSettings{*this};
    BestRun bestRun{*this};
    // The level's play time so far, the pause menu's left out.
    float levelMs = 0.0f;
    std::unique_ptr<ScreenText> finishText;  // from an adventure level's goal to the level's exit
    std::unique_ptr<ScreenText> finishPrompt;  // what a player level's finish waits for
    MyLevelsFlow myLevels;
    ZELM::EntityHandle player;
    PauseMenu pauseMenu{*this};
    LevelScripts levelScripts;
};

}  // namespace Logic
