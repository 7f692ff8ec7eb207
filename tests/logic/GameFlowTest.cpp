// The rules of the goal in each mode, the race's results, the level clock and the notice line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "logic/HP.h"
#include "logic/NotificationComponent.h"
#include "logic/TimingComponent.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"
#include "utilities/DynamicCaller.h"

namespace {

using Logic::NotificationComponent;
using Logic::TimingComponent;

// The engine's name of the level being played.
class LevelNameStandIn : public ZELM::DynamicBinder {
public:
    LevelNameStandIn() {
        SetName("Engine");
        Bind("GetLevelName", this, &LevelNameStandIn::GetLevelName);
    }
    ~LevelNameStandIn() override { UnbindAll(); }
    const std::string& GetLevelName() const { return name; }
    std::string name;
};

class GameFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.Map(10, 10);
        player = world.AddPlayer(3.0f, 3.0f);
        clock = world.AddComponentEntity<TimingComponent>("Clock", "TimingComponent");
        notice = world.AddComponentEntity<NotificationComponent>("Notice", "NotificationComponent");
    }

    // What the game does from one level to the next: the menu sets the mode and picks the mode's
    // first course, the old level's entities go, the new level's come, and "LevelStart" reaches
    // every service.
    void StartLevel(int mode) {
        world.logic->SetWinType(mode);
        levelName.name = mode == Logic::kRace ? "multiplayer" : "TimeAttack";
        world.entities.DestroyAllEntities();
        player = world.AddPlayer(3.0f, 3.0f);
        clock = world.AddComponentEntity<TimingComponent>("Clock", "TimingComponent");
        notice = world.AddComponentEntity<NotificationComponent>("Notice", "NotificationComponent");
        ZELM::DynamicCaller engine;
        engine.SetName("Engine");
        engine.CallAll("LevelStart");
    }

    // The clock runs for the given seconds, then the player reaches the goal.
    void FinishAfter(float seconds) {
        clock->Update(seconds * 1000.0f);
        world.logic->TimeToWin();
    }

    ZELMTest::GameplayWorld world;
    LevelNameStandIn levelName;
    Kestrin::PhysicsComponent* player = nullptr;
    TimingComponent* clock = nullptr;
    NotificationComponent* notice = nullptr;
};

TEST_F(GameFlowTest, TimeAttackKeepsTheRunsBestTimeOfEachCourse) {
    world.logic->SetWinType(Logic::kTimeAttack);
    const struct {
        const char* course;
        float seconds;
        const char* shown;
    } runs[] = {
        {"TimeAttack", 12.5f, "NEW RECORD!   ENTER: try again   ESC: courses"},
        {"TimeAttack", 13.0f, "Almost! Try to beat 12.500!   ENTER: try again   ESC: courses"},
        {"TimeAttack", 12.5f, "NEW RECORD!   ENTER: try again   ESC: courses"},  // a tie is a record
        {"TimeAttack2", 13.0f, "NEW RECORD!   ENTER: try again   ESC: courses"},
        {"TimeAttack", 11.25f, "NEW RECORD!   ENTER: try again   ESC: courses"},
        {"TimeAttack2", 13.5f, "Almost! Try to beat 13.000!   ENTER: try again   ESC: courses"},
        {"TimeAttack3", 40.0f, "NEW RECORD!   ENTER: try again   ESC: courses"},
        {"TimeAttack", 11.5f, "Almost! Try to beat 11.250!   ENTER: try again   ESC: courses"},
        // A level that is no course keeps no record: the records file could not be read back.
        {"PhysicsDemo", 9.0f, "Time: 9.000!   ENTER: try again   ESC: courses"},
    };
    for (const auto& run : runs) {
        levelName.name = run.course;
        FinishAfter(run.seconds);
        EXPECT_EQ(notice->GetShown(), run.shown) << run.course;
        EXPECT_TRUE(clock->IsPaused());
        EXPECT_TRUE(notice->IsWaitingForEnter());
        EXPECT_TRUE(player->IsFrozen());
        clock->Update(16.0f);
        EXPECT_EQ(notice->GetShown(), run.shown) << "the result stays on screen";
        world.entities.DestroyAllEntities();
        player = world.AddPlayer(3.0f, 3.0f);
        clock = world.AddComponentEntity<TimingComponent>("Clock", "TimingComponent");
        notice = world.AddComponentEntity<NotificationComponent>("Notice", "NotificationComponent");
    }
    EXPECT_FLOAT_EQ(world.logic->GetLevelBest("TimeAttack2"), 13.0f);
    EXPECT_TRUE(std::isinf(world.logic->GetLevelBest("PhysicsDemo")));
}

TEST_F(GameFlowTest, TheAdventureLetsThePlayerComponentFinish) {
    world.Movement()->SetDontWin(true);
    world.logic->TimeToWin();
    EXPECT_EQ(notice->GetShown(), " ");
    EXPECT_FALSE(notice->IsWaitingForEnter());
    EXPECT_FALSE(clock->IsPaused());
}

TEST_F(GameFlowTest, EveryRaceOfARunStartsWithoutFinishTimes) {
    const char kWaiting[] = "Waiting for opponent...";
    const char kWin[] = "YOU WIN! Press ENTER to continue...";
    const char kLose[] = "YOU LOSE! Press ENTER to continue...";
    // One run, level after level as the menus start them; a time attack between the races.
    const struct {
        int mode;
        float peerBefore;  // the peer's time, arrived before the local finish (0: none)
        float own;
        float peerAfter;  // arrives after the local finish (0: never)
        const char* atFinish;
        const char* shown;
    } levels[] = {
        {Logic::kRace, 0.0f, 20.0f, 0.0f, kWaiting, kWaiting},
        {Logic::kRace, 0.0f, 20.0f, 21.0f, kWaiting, kWin},
        {Logic::kRace, 0.0f, 20.0f, 19.0f, kWaiting, kLose},
        {Logic::kRace, 0.0f, 20.0f, 20.0f, kWaiting, kWin},
        {Logic::kTimeAttack, 0.0f, 30.0f, 0.0f, "NEW RECORD!   ENTER: try again   ESC: courses", nullptr},
        {Logic::kRace, 18.0f, 20.0f, 0.0f, kLose, kLose},
        {Logic::kRace, 22.0f, 20.0f, 0.0f, kWin, kWin},
        {Logic::kRace, 20.0f, 20.0f, 0.0f, kWin, kWin},
        // The same time as the peer's message carries it, in six decimals: still a tie.
        {Logic::kRace, 19.99999f, 20.0f, 0.0f, kWin, kWin},
        {Logic::kRace, 0.0f, 20.0f, 19.99999f, kWaiting, kWin},
        {Logic::kRace, 0.0f, 20.0f, 19.998f, kWaiting, kLose},
        {Logic::kRace, 0.0f, 20.0f, 0.0f, kWaiting, kWaiting},
    };
    for (const auto& level : levels) {
        StartLevel(level.mode);
        EXPECT_EQ(world.logic->GetPlayerFinishTime(), 0.0f);
        EXPECT_EQ(world.logic->GetOtherPlayerFinishTime(), 0.0f);
        if (level.peerBefore > 0.0f) {
            world.logic->SetOtherPlayerTime(level.peerBefore);
        }
        EXPECT_EQ(notice->GetShown(), " ") << "nothing shows before the local player finishes";
        FinishAfter(level.own);
        EXPECT_EQ(notice->GetShown(), level.atFinish) << level.peerBefore << " " << level.own;
        if (level.peerAfter > 0.0f) {
            world.logic->SetOtherPlayerTime(level.peerAfter);
        }
        const std::string shown = level.shown != nullptr ? level.shown : level.atFinish;
        EXPECT_EQ(notice->GetShown(), shown) << level.peerBefore << " " << level.peerAfter;
        EXPECT_EQ(notice->IsWaitingForEnter(), shown != kWaiting);
        EXPECT_TRUE(player->IsFrozen());
    }
}

TEST_F(GameFlowTest, AFinishedRaceStandsStillAndADisconnectionStaysUntilEnter) {
    StartLevel(Logic::kRace);
    FinishAfter(20.0f);
    clock->Update(5000.0f);
    EXPECT_FLOAT_EQ(world.logic->GetTimerTime(), 20.0f) << "the finished player's clock stands still";
    world.logic->ChangeLevelDueToNetworkDisconnect();
    // The network manager hands on the peer's last known time every frame.
    for (const float peerTime : {0.0f, 18.0f, 25.0f}) {
        world.logic->SetOtherPlayerTime(peerTime);
        EXPECT_EQ(notice->GetShown(), "Friend has disconnected! Press ENTER to return to the menu...")
            << peerTime;
    }
    EXPECT_TRUE(notice->IsWaitingForEnter());
    EXPECT_FLOAT_EQ(world.logic->GetTimerTime(), 20.0f);
}

TEST_F(GameFlowTest, APeerThatLeavesEndsTheRace) {
    world.logic->ChangeLevelDueToNetworkDisconnect();
    EXPECT_EQ(notice->GetShown(), "Friend has disconnected! Press ENTER to return to the menu...");
    EXPECT_TRUE(notice->IsWaitingForEnter());
    EXPECT_TRUE(player->IsFrozen());
}

TEST_F(GameFlowTest, EnterAfterAResultLoadsTheResultScreen) {
    world.engine.held = {"ENTER"};
    world.Frame();
    EXPECT_TRUE(world.engine.levelsAsked.empty()) << "ENTER means nothing before a result";
    notice->INowWin();
    world.engine.held.clear();
    world.Frame();
    EXPECT_TRUE(world.engine.levelsAsked.empty());
    world.engine.held = {"ENTER"};
    world.Frame();
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Win"});
}

TEST_F(GameFlowTest, ATimeAttacksResultOffersTheCourseAgainOrTheCourses) {
    const struct {
        const char* key;
        std::vector<std::string> asked;
    } kChoices[] = {{"ENTER", {"TimeAttack"}}, {"ESC", {"Courses"}}, {"SPACE", {}}};
    for (const auto& choice : kChoices) {
        StartLevel(Logic::kTimeAttack);
        world.engine.levelsAsked.clear();
        FinishAfter(5.0f);
        EXPECT_TRUE(world.logic->IsOfferingRetry()) << choice.key;
        world.engine.held = {choice.key};
        world.Frame();
        EXPECT_TRUE(world.engine.levelsAsked.empty()) << "a key held is no choice: " << choice.key;
        world.engine.triggeredKeys = {choice.key};
        world.Frame();
        world.Frame();
        world.engine.triggeredKeys.clear();
        world.engine.held.clear();
        EXPECT_EQ(world.engine.levelsAsked, choice.asked) << choice.key << ", chosen once";
    }
    StartLevel(Logic::kRace);
    FinishAfter(5.0f);
    world.logic->SetOtherPlayerTime(6.0f);
    EXPECT_FALSE(world.logic->IsOfferingRetry()) << "a race's result goes on to the result screen";
}

TEST_F(GameFlowTest, TheClockIgnoresPausedTime) {
    clock->Update(1000.0f);
    EXPECT_FLOAT_EQ(world.logic->GetTimerTime(), 1.0f);
    clock->PauseTimer(true);
    EXPECT_TRUE(player->IsFrozen());
    clock->Update(10000.0f);
    EXPECT_EQ(notice->GetShown(), "Waiting for player to connect...");
    world.logic->UnpauseTimer();
    EXPECT_FALSE(player->IsFrozen());
    EXPECT_EQ(notice->GetShown(), " ");
    clock->Update(500.0f);
    EXPECT_FLOAT_EQ(world.logic->GetTimerTime(), 1.5f);
    EXPECT_EQ(notice->GetShown(), " ") << "resuming brings no waiting notice";
}

TEST_F(GameFlowTest, StatusAndPlayerCallsReachTheFirstComponents) {
    ZELMTest::ProblemCapture capture;
    EXPECT_EQ(world.logic->GetStatusText()->text, " ");
    world.logic->LevelExit();
    EXPECT_EQ(world.logic->GetStatusText()->text, " ") << "blank, but still a line of the text layer";

    world.logic->CallLater("SetPlayerStats", 0.0f);
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_EQ(player->GetX(), 5.0f);
    EXPECT_EQ(player->GetY(), 5.0f);
    world.logic->PostSomeText("Hello");
    EXPECT_EQ(notice->GetShown(), "Hello");
    world.logic->FrezeYouBastard(true);
    EXPECT_TRUE(player->IsFrozen());

    world.entities.DestroyAllEntities();
    EXPECT_EQ(world.logic->GetTimerTime(), 0.0f) << "no clock: no time";
    world.logic->PostSomeText("nobody listens");
    world.logic->FrezeYouBastard(true);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(GameFlowTest, HitPointsStartFullWhateverTheFileSays) {
    auto* hp = static_cast<Logic::HP*>(ZELMTest::GameplayWorld::Create("HP"));
    ZELM::EntityHandle entity = world.entities.Create("Tough");
    entity.Resolve()->AddComponent(hp);
    hp->Bind();
    ZELMTest::SetProperty(*hp, "HP", 3);
    hp->Init();
    EXPECT_EQ(entity.Resolve()->Call<int>("GetHP"), 240);
    entity.Resolve()->Call("SetHP", 7);
    EXPECT_EQ(hp->GetHP(), 7);
}

}  // namespace
