// Tests of the level order and history, alone and through the engine's level-changing calls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/DelayedCallQueue.h"
#include "engine/LevelSequence.h"
#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"

namespace {

using ZELM::LevelSequence;
using ZELMTest::ProblemCapture;

class LevelSequenceTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(order); }

    LevelSequence ReadOrder(const std::string& text) {
        std::ofstream(order) << text;
        LevelSequence levels;
        levels.Read(order.string());
        return levels;
    }

    std::filesystem::path order =
        std::filesystem::temp_directory_path() / ("fallward-order-" + std::to_string(::getpid()) + ".txt");
};

TEST_F(LevelSequenceTest, ReadMakesTheFirstNameCurrent) {
    LevelSequence levels = ReadOrder("Splash\n  Menu\tCave\n\n");
    EXPECT_EQ(levels.GetNames(), (std::vector<std::string>{"Splash", "Menu", "Cave"}));
    EXPECT_EQ(levels.GetCurrentName(), "Splash");
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0}));

    LevelSequence empty = ReadOrder("");
    EXPECT_EQ(empty.GetCurrentName(), "");
}

TEST_F(LevelSequenceTest, StepsStayInsideTheOrderAndTheHistory) {
    LevelSequence levels = ReadOrder("a b c");
    ProblemCapture capture;

    EXPECT_FALSE(levels.StepPrevious());
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().function, "ZELM::Engine::PreviousLevel");
    EXPECT_FALSE(levels.StepBack());
    ASSERT_EQ(capture.Count(), 2u);
    EXPECT_EQ(capture.Last().function, "ZELM::Engine::LastLevel");
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0}));

    EXPECT_TRUE(levels.StepNext());
    EXPECT_TRUE(levels.StepNext());
    EXPECT_EQ(levels.GetCurrentName(), "c");
    EXPECT_FALSE(levels.StepNext());
    ASSERT_EQ(capture.Count(), 3u);
    EXPECT_EQ(capture.Last().function, "ZELM::Engine::NextLevel");
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0, 1, 2}));

    EXPECT_TRUE(levels.StepPrevious());
    EXPECT_EQ(levels.GetCurrentName(), "b");
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0, 1, 2, 1}));

    EXPECT_TRUE(levels.StepBack());
    EXPECT_TRUE(levels.StepBack());
    EXPECT_TRUE(levels.StepBack());
    EXPECT_EQ(levels.GetCurrentName(), "a");
    EXPECT_FALSE(levels.StepBack());
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0}));
    EXPECT_EQ(capture.Count(), 4u);
}

TEST_F(LevelSequenceTest, SelectPushesEveryMatchSoTheLastIsCurrent) {
    LevelSequence levels = ReadOrder("a dup b dup");
    EXPECT_TRUE(levels.Select("dup"));
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0, 1, 3}));
    EXPECT_EQ(levels.GetCurrentName(), "dup");
    EXPECT_TRUE(levels.StepBack());
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0, 1}));

    EXPECT_FALSE(levels.Select("missing"));
    EXPECT_EQ(levels.GetHistory(), (std::deque<int>{0, 1}));
}

// Answers the calls every frame makes, so the only reports left are the level calls' own.
class ScreenService : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("Present", this, &ScreenService::Nothing);
        DynamicBinder::Bind("HandleOSMessages", this, &ScreenService::Nothing);
    }
    void Init() override {}
    void Update(float) override {}
    void Nothing() {}
};

// The engine's level calls. Every level file is removed once the first level has loaded, so each
// load reports the path it tried and shows which level the engine went to.
class EngineLevelsTest : public ZELMTest::EngineFixture {
protected:
    void SetUp() override {
        MakeEngine({"a", "b", "c"});
        engine->AddService("Screen", new ScreenService());
        engine->SetFixedFrameTime(16.0f);
        engine->Start();
        for (const char* level : {"a", "b", "c"}) {
            std::filesystem::remove(ResourcePath(std::string("Levels/") + level + ".xml"));
        }
        caller.SetName("Engine");
    }

    // Runs the deferred call to the end of a frame and returns the reports it raised.
    std::vector<ZELM::Problem> RunLater(const std::string& method) {
        ProblemCapture capture;
        caller.CallLater(method, 0.0f);
        engine->RunFrame();
        return capture.problems;
    }

    static std::string Loaded(const std::vector<ZELM::Problem>& problems) {
        return problems.size() == 1 && problems[0].function == "ZELM::ContentPipeline::Load"
                   ? problems[0].message
                   : "(no load)";
    }

    std::deque<int> History() const { return engine->GetLevels().GetHistory(); }

    ZELM::DynamicCaller caller;
};

TEST_F(EngineLevelsTest, NextPreviousAndLastLevelMoveThroughTheOrder) {
    EXPECT_EQ(Loaded(RunLater("NextLevel")), "Could not load level \"../Resources/Levels/b.xml\"!");
    EXPECT_EQ(Loaded(RunLater("NextLevel")), "Could not load level \"../Resources/Levels/c.xml\"!");
    EXPECT_EQ(Loaded(RunLater("PreviousLevel")), "Could not load level \"../Resources/Levels/b.xml\"!");
    EXPECT_EQ(History(), (std::deque<int>{0, 1, 2, 1}));

    EXPECT_EQ(Loaded(RunLater("LastLevel")), "Could not load level \"../Resources/Levels/c.xml\"!");
    EXPECT_EQ(History(), (std::deque<int>{0, 1, 2}));
    EXPECT_EQ(Loaded(RunLater("LastLevel")), "Could not load level \"../Resources/Levels/b.xml\"!");
    EXPECT_EQ(Loaded(RunLater("LastLevel")), "Could not load level \"../Resources/Levels/a.xml\"!");
    EXPECT_EQ(History(), (std::deque<int>{0}));
}

TEST_F(EngineLevelsTest, RefusedStepsReportAndLoadNothing) {
    std::vector<ZELM::Problem> problems = RunLater("LastLevel");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].function, "ZELM::Engine::LastLevel");

    problems = RunLater("PreviousLevel");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].function, "ZELM::Engine::PreviousLevel");
    EXPECT_EQ(History(), (std::deque<int>{0}));

    RunLater("NextLevel");
    RunLater("NextLevel");
    problems = RunLater("NextLevel");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].function, "ZELM::Engine::NextLevel");
    EXPECT_EQ(History(), (std::deque<int>{0, 1, 2}));
}

}  // namespace
