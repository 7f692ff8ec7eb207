// The game-flow service: its bound names, the component types it offers, the rules of the goal,
// and the tile effects on the player.
#include "logic/LogicService.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "engine/Entity.h"
#include "engine/Physical.h"
#include "engine/PlayerLevels.h"
#include "logic/ControlWords.h"
#include "logic/Courses.h"
#include "logic/LogicComponents.h"
#include "logic/NotificationComponent.h"
#include "logic/TimingComponent.h"
#include "logic/screens/Level.h"

namespace Logic {

LogicService::LogicService() {
    for (unsigned id = 1; id <= 20; ++id) {
        Kestrin::TilePhysicsObject& tile = tileObjects[id];
        tile.type = static_cast<int>(id);
        tile.ghost = id == 8 || (id >= 11 && id <= 19);
        tile.reportThreshold = (id == 5 || id == 6) ? 0.05f : 0.0f;
        tile.friction = id == 7 ? 0.1f : 1.0f;
    }
}

void LogicService::Bind() {
    using ZELM::DynamicBinder;
    DynamicBinder::Bind("SetLevelID", this, &LogicService::SetLevelID);
    DynamicBinder::Bind("GetTileID", this, &LogicService::GetTileID);
    DynamicBinder::Bind("SaveLevels", this, &LogicService::SaveLevels);
    DynamicBinder::Bind("GenerateWorldCollisions", this, &LogicService::GenerateWorldCollisions);
    DynamicBinder::Bind("CollidedWithPlayer", this, &LogicService::CollidedWithPlayer);
    BindDeferred("SetPlayerStats", this, &LogicService::SetPlayerStats);
    DynamicBinder::Bind("SetPlayer", this, &LogicService::SetPlayer);
    DynamicBinder::Bind("ChangeLevelDueToNetworkDisconnect", this,
                        &LogicService::ChangeLevelDueToNetworkDisconnect);
    DynamicBinder::Bind("GetTimerTime", this, &LogicService::GetTimerTime);
    DynamicBinder::Bind("TimeToWin", this, &LogicService::TimeToWin);
    DynamicBinder::Bind("SetWinType", this, &LogicService::SetWinType);
    DynamicBinder::Bind("GetWinType", this, &LogicService::GetWinType);
    DynamicBinder::Bind("PostSomeText", this, &LogicService::PostSomeText);
    DynamicBinder::Bind("FrezeYouBastard", this, &LogicService::FrezeYouBastard);
    DynamicBinder::Bind("UnpauseTimer", this, &LogicService::UnpauseTimer);
    DynamicBinder::Bind("SetPlayerDontWin", this, &LogicService::SetPlayerDontWin);
    DynamicBinder::Bind("IsOfferingRetry", this, &LogicService::IsOfferingRetry);
    DynamicBinder::Bind("SetPlayerTime", this, &LogicService::SetPlayerTime);
    DynamicBinder::Bind("SetOtherPlayerTime", this, &LogicService::SetOtherPlayerTime);
    DynamicBinder::Bind("DrawLevelMap", this, &LogicService::DrawLevelMap);
    DynamicBinder::Bind("EraseLevelMap", this, &LogicService::EraseLevelMap);
    BindBroadcast("LevelStart", this, &LogicService::LevelStart);
    BindBroadcast("LevelExit", this, &LogicService::LevelExit);
    BindBroadcast("SetLevelScripts", this, &LogicService::SetLevelScripts);
    BindDeferred("ClearLevelScripts", this, &LogicService::ClearLevelScripts);
    BindDeferred("Pause", this, &LogicService::Pause);
    BindDeferred("DisplayHowTo", this, &LogicService::DisplayHowTo);
    DynamicBinder::Bind("FillWorld", this, &LogicService::FillWorld);
    DynamicBinder::Bind("HasTileInfo", this, &LogicService::HasTileInfo);
    DynamicBinder::Bind("NoTileInfo", this, &LogicService::NoTileInfo);
    DynamicBinder::Bind("New", this, &LogicService::New);
    DynamicBinder::Bind("NewTileMap", this, &LogicService::NewTileMap);
    DynamicBinder::Bind("SetTileInfo", this, &LogicService::SetTileInfo);
    DynamicBinder::Bind("GetLevelMap", this, &LogicService::GetLevelMap);
    DynamicBinder::Bind("SaveLevel", this, &LogicService::SaveLevel);
    DynamicBinder::Bind("LoadLevel", this, &LogicService::LoadLevel);
    DynamicBinder::Bind("GetAdventureRun", this, &LogicService::GetAdventureRun);
    DynamicBinder::Bind("GetFurthestLevel", this, &LogicService::GetFurthestLevel);
    DynamicBinder::Bind("SaveSettings", this, &LogicService::SaveSettings);
    DynamicBinder::Bind("IsShowingGhosts", this, &LogicService::IsShowingGhosts);
    DynamicBinder::Bind("SetShowGhosts", this, &LogicService::SetShowGhosts);
    DynamicBinder::Bind("GetTextSize", this, &LogicService::GetTextSize);
    DynamicBinder::Bind("SetTextSize", this, &LogicService::SetTextSize);
    DynamicBinder::Bind("IsUsingVsync", this, &LogicService::IsUsingVsync);
    DynamicBinder::Bind("SetUseVsync", this, &LogicService::SetUseVsync);
    DynamicBinder::Bind("IsFlashingReduced", this, &LogicService::IsFlashingReduced);
    DynamicBinder::Bind("SetFlashingReduced", this, &LogicService::SetFlashingReduced);
    DynamicBinder::Bind("GetGameSpeedPercent", this, &LogicService::GetGameSpeedPercent);
    DynamicBinder::Bind("SetGameSpeedPercent", this, &LogicService::SetGameSpeedPercent);
    DynamicBinder::Bind("StartPlaySpeed", this, &LogicService::StartPlaySpeed);
    DynamicBinder::Bind("IsAssisted", this, &LogicService::IsAssisted);
    DynamicBinder::Bind("GetFrameRateLimit", this, &LogicService::GetFrameRateLimit);
    DynamicBinder::Bind("SetFrameRateLimit", this, &LogicService::SetFrameRateLimit);
    BindBroadcast("WindowFocusChanged", this, &LogicService::WindowFocusChanged);
    DynamicBinder::Bind("GetReachedLevels", this, &LogicService::GetReachedLevels);
    DynamicBinder::Bind("GetLevelBest", this, &LogicService::GetLevelBest);
    DynamicBinder::Bind("GetMyLevelBest", this, &LogicService::GetMyLevelBest);
    DynamicBinder::Bind("GetMyLevelPlayed", this, &LogicService::GetMyLevelPlayed);
    DynamicBinder::Bind("CheckPlayerLevel", this, &LogicService::CheckPlayerLevel);
    DynamicBinder::Bind("ImportLevelFile", this, &LogicService::ImportLevelFile);
    DynamicBinder::Bind("ExportLevelFile", this, &LogicService::ExportLevelFile);
    DynamicBinder::Bind("GetMyLevelsFocus", this, &LogicService::GetMyLevelsFocus);
    DynamicBinder::Bind("SetMyLevelsFocus", this, &LogicService::SetMyLevelsFocus);
    DynamicBinder::Bind("GetAuthorName", this, &LogicService::GetAuthorName);
    DynamicBinder::Bind("SetAuthorName", this, &LogicService::SetAuthorName);

    BindComputedProperty("Frame rate", this, &LogicService::GetFrameRate);
    BindProperty(&playerFinishTime, "PlayerFinishTime", false, false);
    BindProperty(&otherPlayerFinishTime, "OtherPlayerFinishTime", false, false);
}

void LogicService::Init() {
    worldMap.SetFileName(WorldMap::BundledPath("BlankLevel"));
    LogicComponents::Register();
    pauseMenu.CreateTitle();
    playerRecords.ReadAdventureLevels();
    playerRecords.Load();
    playerSettings.Load();
    myLevels.GetRecords().Load();
}

void LogicService::KeepPlayerFiles() {
    playerRecords.KeepFile();
    playerSettings.KeepFile();
    myLevels.GetRecords().KeepFile();
}

void LogicService::BeginTick() {
    for (ZELM::Component* component : GetComponents()) {
        if (auto* physical = dynamic_cast<ZELM::Physical*>(component)) {
            physical->KeepTickStart();
        }
    }
}

void LogicService::Update(float dt) {
    tileEffects.Step();
    // Before anything moves: the best run notes where the player ended the last frame.
    bestRun.Step(player, pauseMenu.IsOpen());
    if (pauseMenu.IsOpen()) {
        pauseMenu.PlaceTitle();
        UpdateAllButPlayerInput(dt);
    } else {
        levelMs += dt;
        UpdateComponents(dt);
        if (myLevels.IsFinished() && (Call<bool>("KeyTriggered", std::string("ENTER")) || ControlWords::PadTriggered(*this, Input::kButtonA))) {
            myLevels.Leave();
            CallLater("LoadLevel", 0.0f, std::string("MyLevels"));
        }
    }
    levelScripts.RunUpdate(dt);
}

namespace {

// The components that act on the player's keys and buttons (the characters, the movement, which
// also turns the zones, and the notice's wait for ENTER).
bool TakesPlayerInput(const ZELM::Component& component) {
    const std::string& type = component.GetTypeName();
    return type == "GravityGuy" || type == "Phazer" || type == "PlayerMovement" ||
           type == "NotificationComponent";
}

}  // namespace

// While the pause menu or its how-to page is open, the keys belong to the menu: the components
// that would take them wait, while the rest (the screen among them) goes on as in any frame.
void LogicService::UpdateAllButPlayerInput(float dt) {
    const std::vector<ZELM::Component*>& components = GetComponents();
    // Indexed: a component's update may add components to this service.
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (!TakesPlayerInput(*components[i])) {
            components[i]->Update(dt);
        }
    }
}

void LogicService::LevelStart() {
    // A finish time belongs to the race it was made in: each race and each time attack starts
    // without one, or a second race would show the first one's result.
    playerFinishTime = 0.0f;
    otherPlayerFinishTime = 0.0f;
    levelMs = 0.0f;
    playerSettings.ApplyOnce();
    const std::string level = CurrentLevelName();
    myLevels.Leave();
    if (ZELM::PlayerLevels::IsPlayerLevel(level)) {
        // However it was reached (the list, the editor, the command line), a player's level never
        // leads on to the adventure's next one.
        winType = winType == kAdventure ? kPlayerLevel : winType;
        if (winType == kPlayerLevel) {
            myLevels.LevelStarted(level, static_cast<std::int64_t>(std::time(nullptr)));
        }
    }
    if (winType == kAdventure) {
        if (level == AdventureRun::kFirstLevel) {
            adventureRun.Start();
        }
        playerRecords.NoteAdventureProgress(level);
    }
    if (KeepsBestRuns(level)) {
        bestRun.Begin(level, playerSettings.IsShowingGhosts());
    } else {
        bestRun.Stop();
    }
    levelScripts.RunInit();
}

void LogicService::StartPlaySpeed() {
    const int percent = playerSettings.GetGameSpeed();
    assisted = percent < 100 && winType != kRace;
    if (IsBound("SetGameSpeed")) {
        Call("SetGameSpeed", assisted ? static_cast<float>(percent) / 100.0f : 1.0f);
    }
}

void LogicService::LevelExit() {
    assisted = false;
    bestRun.End(player);
    levelScripts.RunShutdown();
    pauseMenu.Clear();  // a level left from its pause takes the menu's title and page with it
    finishText.reset();
    finishPrompt.reset();
    levelScripts.Clear();
}

bool LogicService::IsPlayTesting() { return IsBound("IsPlayTesting") && Call<bool>("IsPlayTesting"); }

std::string LogicService::CurrentLevelName() {
    return IsBound("GetLevelName") ? Call<std::string>("GetLevelName") : std::string();
}

float LogicService::GetFrameRate() {
    return IsBound("GetFPS") ? Call<float>("GetFPS") : 0.0f;
}

// Without a renderer (tools, tests) there is nobody to hand the map to.
void LogicService::DrawLevelMap() {
    ZELM::LevelMap* map = &worldMap;
    if (IsBound("SetLevelDrawingPointer")) {
        Call("SetLevelDrawingPointer", map);
    }
}

void LogicService::EraseLevelMap() {
    ZELM::LevelMap* none = nullptr;
    if (IsBound("SetLevelDrawingPointer")) {
        Call("SetLevelDrawingPointer", none);
    }
}

void LogicService::GenerateWorldCollisions(Kestrin::PhysicsComponent* body) {
    if (body == nullptr) {
        return;
    }
    TileCollision(worldMap, tileObjects, *this).Generate(*body);
}

void LogicService::CollidedWithPlayer(Kestrin::TilePhysicsObject* tile, unsigned side) {
    if (tile != nullptr) {
        tileEffects.Touch(*tile, side, player);
    }
}

void LogicService::SetPlayer(ZELM::EntityHandle entity) {
    if (entity.IsAlive()) {
        player = entity;
    }
}

void LogicService::SetPlayerStats() {
    if (ZELM::Component* movement = FirstComponent("PlayerMovement")) {
        movement->CallAll("SetX", 5.0f);
        movement->CallAll("SetY", 5.0f);
    }
}

ZELM::Component* LogicService::FirstComponent(const std::string& typeName) const {
    for (ZELM::Component* component : GetComponents()) {
        if (component->GetTypeName() == typeName) {
            return component;
        }
    }
    return nullptr;
}

float LogicService::GetTimerTime() {
    auto* timing = static_cast<TimingComponent*>(FirstComponent("TimingComponent"));
    return timing != nullptr ? timing->GetTime() : 0.0f;
}

void LogicService::UnpauseTimer() {
    if (auto* timing = static_cast<TimingComponent*>(FirstComponent("TimingComponent"))) {
        timing->Resume();
    }
}

void LogicService::StopClock() {
    // Stopped without the "waiting for player" notice, which would replace the result on screen.
    if (auto* timing = static_cast<TimingComponent*>(FirstComponent("TimingComponent"))) {
        timing->Pause();
    }
}

void LogicService::PostSomeText(std::string text) {
    auto* notice = static_cast<NotificationComponent*>(FirstComponent("NotificationComponent"));
    if (notice == nullptr) {
        return;
    }
    notice->Show(ControlWords::Named(*this, text));  // "{confirm}" and the like
    // A notice takes the tutorial text's place: a result under a stale hint reads as part of it.
    ZELM::Entity* playerEntity = player.GetIfAlive();
    if (text.find_first_not_of(' ') != std::string::npos && playerEntity != nullptr &&
        playerEntity->IsBound("SetInstructions")) {
        playerEntity->Call("SetInstructions", std::string(" "));
    }
}

void LogicService::WaitForEnter() {
    if (auto* notice = static_cast<NotificationComponent*>(FirstComponent("NotificationComponent"))) {
        notice->INowWin();
    }
}

bool LogicService::IsWaitingForEnter() const {
    const auto* notice = static_cast<const NotificationComponent*>(FirstComponent("NotificationComponent"));
    return notice != nullptr && notice->IsWaitingForEnter();
}

void LogicService::OfferRetry(const std::string& level) {
    if (auto* notice = static_cast<NotificationComponent*>(FirstComponent("NotificationComponent"))) {
        notice->OfferRetry(level);
    }
}

bool LogicService::IsOfferingRetry() const {
    const auto* notice = static_cast<const NotificationComponent*>(FirstComponent("NotificationComponent"));
    return notice != nullptr && notice->IsOfferingRetry();
}

void LogicService::FrezeYouBastard(bool freeze) {
    if (ZELM::Component* movement = FirstComponent("PlayerMovement")) {
        movement->Call("SetFreeze", freeze);
    }
}

void LogicService::SetPlayerDontWin(bool dontWin) {
    if (ZELM::Component* movement = FirstComponent("PlayerMovement")) {
        movement->Call("SetDontWin", dontWin);
    }
}

namespace {

const char kYouWin[] = "YOU WIN! Press ENTER to continue...";
const char kYouLose[] = "YOU LOSE! Press ENTER to continue...";
// A finish time this small means the player has not finished.
constexpr float kNotFinished = 0.1f;

// Times are compared in the clock's milliseconds, as both players see them: the peer's time
// arrives rounded by the message's text, and equal times are a win for both players.
const char* RaceResult(float own, float other) {
    return std::lround(other * 1000.0f) < std::lround(own * 1000.0f) ? kYouLose : kYouWin;
}

}  // namespace

void LogicService::TimeToWin() {
    if (winType == kPlayerLevel) {
        FinishPlayerLevel();
        return;
    }
    if (winType == kAdventure) {
        const std::string level = CurrentLevelName();
        const float seconds = levelMs / 1000.0f;
        adventureRun.AddLevel(level, seconds);
        if (assisted) {
            ShowFinishLine(AssistedTime(seconds));
        } else if (playerRecords.CountsForRecords(level)) {
            const bool newBest = playerRecords.OfferTime(level, seconds);
            if (newBest) {
                bestRun.Keep(seconds);
            }
            ShowAdventureResult(level, seconds, newBest);
        }
        SetPlayerDontWin(false);  // the player component goes on to the next level itself
        return;
    }
    SetPlayerDontWin(true);
    if (winType == kTimeAttack) {
        const float time = GetTimerTime();
        StopClock();
        if (auto* timing = static_cast<TimingComponent*>(FirstComponent("TimingComponent"))) {
            timing->ShowBesideTime(GhostDifference(time));
        }
        PostSomeText(TimeAttackResult(CurrentLevelName(), time));
        OfferRetry(CurrentLevelName());
    } else if (winType == kRace) {
        playerFinishTime = GetTimerTime();
        StopClock();
        const std::string course = CurrentLevelName();
        // Only a course's name may go into the file: another would have the whole file refused.
        if (Courses::IsRace(course)) {
            playerRecords.OfferTime(course, playerFinishTime);
        }
        TellPeerFinishTime(playerFinishTime);
        FrezeYouBastard(true);
        if (otherPlayerFinishTime <= kNotFinished) {
            PostSomeText("Waiting for opponent...");
            return;
        }
        PostSomeText(RaceResult(playerFinishTime, otherPlayerFinishTime));
        WaitForEnter();
    }
}

bool LogicService::KeepsBestRuns(const std::string& level) {
    if (!playerRecords.KeepsFile()) {
        return false;  // best runs are kept beside the records
    }
    if (winType == kPlayerLevel) {
        return ZELM::PlayerLevels::IsPlayerLevel(level) && !IsPlayTesting();
    }
    return winType == kTimeAttack ? Courses::IsTimeAttack(level)
                                  : winType == kAdventure && playerRecords.CountsForRecords(level);
}

void LogicService::ShowAdventureResult(const std::string& level, float seconds, bool newBest) {
    char text[96];
    if (newBest) {
        std::snprintf(text, sizeof text, "Time: %.3f NEW BEST!", static_cast<double>(seconds));
    } else {
        std::snprintf(text, sizeof text, "Time: %.3f Best: %.3f", static_cast<double>(seconds),
                      static_cast<double>(playerRecords.GetBest(level)));
    }
    ShowFinishLine(text + GhostDifference(seconds));
}

void LogicService::FinishPlayerLevel() {
    if (IsPlayTesting()) {
        SetPlayerDontWin(false);  // the play-test goes back to the edit
        return;
    }
    SetPlayerDontWin(true);
    const std::string level = CurrentLevelName();
    const float seconds = levelMs / 1000.0f;
    bool newBest = false;
    std::string shown =
        myLevels.Finish(level, seconds, ZELM::PlayerLevels::IsPlayerLevel(level) && !assisted, newBest);
    if (assisted) {
        shown = AssistedTime(seconds);
    }
    if (newBest) {
        bestRun.Keep(seconds);
    }
    ShowFinishLine(shown + GhostDifference(seconds));
    const float r = ScreenText::ScreenHeight(*this) / 600.0f;
    finishPrompt = std::make_unique<ScreenText>(*this, 20, 540, static_cast<int>(ScreenText::ScreenWidth(*this) - 40.0f), r * 2.0f,
                                                ControlWords::Named(*this, "{confirm}: back to my levels"));
    (*finishPrompt)->panel = kClockPanel;
}

void LogicService::ShowFinishLine(const std::string& shown) {
    // Where a time attack's clock stands (adventure levels have no clock of their own), a little
    // smaller so both times fit on one line.
    const float r = ScreenText::ScreenHeight(*this) / 600.0f;
    // The screen's width: a line wider than the window wraps onto the next rather than being cut.
    finishText = std::make_unique<ScreenText>(*this, 20, 500, static_cast<int>(ScreenText::ScreenWidth(*this) - 40.0f),
                                              r * 2.4f, shown);
    (*finishText)->panel = kClockPanel;
}

std::string LogicService::AssistedTime(float seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "Time: %.3f assisted", static_cast<double>(seconds));
    return text;
}

std::string LogicService::GhostDifference(float seconds) const {
    return bestRun.HasGhost() ? " " + BestRun::Difference(seconds, bestRun.GetGhostSeconds()) : std::string();
}

std::string LogicService::TimeAttackResult(const std::string& course, float seconds) {
    static const char kRetry[] = "   {confirm}: try again   {back}: courses";
    char text[128];
    // Only a course's name may go into the file: another would have the whole file refused.
    if (assisted) {
        return AssistedTime(seconds) + kRetry;
    }
    if (!Courses::IsTimeAttack(course)) {
        std::snprintf(text, sizeof text, "Time: %.3f!%s", static_cast<double>(seconds), kRetry);
        return text;
    }
    const float best = playerRecords.GetBest(course);
    if (playerRecords.OfferTime(course, seconds)) {  // a tie is a record too
        bestRun.Keep(seconds);
        return std::string("NEW RECORD!") + kRetry;
    }
    std::snprintf(text, sizeof text, "Almost! Try to beat %.3f!%s", static_cast<double>(best), kRetry);
    return text;
}

void LogicService::SetOtherPlayerTime(float time) {
    otherPlayerFinishTime = time;
    // The network manager hands the peer's time on every frame: a result or a disconnection
    // already on screen stays there until ENTER.
    if (playerFinishTime > kNotFinished && time > kNotFinished && !IsWaitingForEnter()) {
        PostSomeText(RaceResult(playerFinishTime, time));
        WaitForEnter();
    }
}

void LogicService::ChangeLevelDueToNetworkDisconnect() {
    PostSomeText("Friend has disconnected! Press ENTER to return to the menu...");
    FrezeYouBastard(true);
    WaitForEnter();
    TellPeerFinishTime(GetTimerTime());
}

// Without a network manager there is no peer to tell.
void LogicService::TellPeerFinishTime(float time) {
    if (IsBound("SetNetworkingPlayerFinishTime")) {
        Call("SetNetworkingPlayerFinishTime", time);
    }
}

void LogicService::Pause(bool paused) {
    if (paused) {
        pauseMenu.Open(player);
    } else {
        pauseMenu.Close(player);
    }
}

void LogicService::DisplayHowTo(bool show) {
    if (show) {
        pauseMenu.ShowHowTo(player);
    } else {
        pauseMenu.HideHowTo(player);
    }
}

void LogicService::WindowFocusChanged(bool focused) {
    // Scripted input (a test, a replay) plays on whatever the window manager does with the window.
    if (IsBound("IsInputScripted") && Call<bool>("IsInputScripted")) {
        return;
    }
    if (auto* level = static_cast<Level*>(FirstComponent("Level"))) {
        level->WindowFocusChanged(focused);
    }
}

}  // namespace Logic
