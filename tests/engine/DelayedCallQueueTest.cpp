// Tests of calls made later: when the queue fires them, what they reach and what they carry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/DelayedCallQueue.h"
#include "support/ProblemCapture.h"
#include "utilities/Dynamic.h"
#include "utilities/LuaState.h"

namespace {

using ZELM::DelayedCallQueue;
using ZELMTest::ProblemCapture;

// Records every call it receives, under the binder name "Clock".
class Recorder : public ZELM::DynamicBinder {
public:
    explicit Recorder(std::vector<std::string>* log) : log(log) {
        SetName("Clock");
        BindDeferred("Chime", this, &Recorder::Chime);
        BindDeferred("Say", this, &Recorder::Say);
        BindDeferred("Wipe", this, &Recorder::Wipe);
        BindDeferred("Requeue", this, &Recorder::Requeue);
        Bind("Now", this, &Recorder::Now);
    }

    void Chime() { log->push_back("Chime"); }
    void Say(const std::string& text, int count) { log->push_back(text + " " + std::to_string(count)); }
    void Now() { log->push_back("Now"); }
    void Wipe() {
        DelayedCallQueue::Instance().Clear();
        log->push_back("Wipe done");
    }
    void Requeue() {
        log->push_back("Requeue");
        ZELM::DynamicCaller caller;
        caller.SetName("Clock");
        caller.CallLater("Chime", 0.0f);
    }

private:
    std::vector<std::string>* log;
};

class DelayedCallQueueTest : public ::testing::Test {
protected:
    void SetUp() override { caller.SetName("Clock"); }
    void TearDown() override {
        DelayedCallQueue::DestroyInstance();
        ZELM::DynamicBase::RemoveTablesOf("Clock");
        ZELM::LuaState::Close();
    }

    void Advance(float dt) { DelayedCallQueue::Instance().Advance(dt); }

    std::vector<std::string> log;
    Recorder recorder{&log};
    ZELM::DynamicCaller caller;
};

TEST_F(DelayedCallQueueTest, DelayCountsDownBySummedFrameTime) {
    caller.CallLater("Chime", 0.0f);
    EXPECT_TRUE(log.empty());
    Advance(0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"Chime"}));
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);

    log.clear();
    caller.CallLater("Chime", 10.0f);
    Advance(4.0f);
    Advance(5.0f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 1u);
    Advance(1.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"Chime"}));
    Advance(100.0f);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(DelayedCallQueueTest, DeferredAndImmediateMethodsAreSeparate) {
    caller.CallLater("Now", 0.0f);
    Advance(0.0f);
    EXPECT_TRUE(log.empty());

    ProblemCapture capture;
    caller.Call("Chime");
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not find any bound method(s) named \"Chime\"!");
    EXPECT_EQ(capture.Last().function, "ZELM::DynamicCaller::Call");

    caller.Call("Now");
    EXPECT_EQ(log, (std::vector<std::string>{"Now"}));
}

TEST_F(DelayedCallQueueTest, ClearWhileFiringCompletesTheFiringCallOnly) {
    caller.CallLater("Chime", 50.0f);
    caller.CallLater("Wipe", 0.0f);
    caller.CallLater("Chime", 0.0f);
    caller.CallLater("Say", 0.0f, "after", 1);
    Advance(0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"Wipe done"}));
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);
    Advance(100.0f);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(DelayedCallQueueTest, CallQueuedWhileFiringWaitsForTheNextAdvance) {
    caller.CallLater("Requeue", 0.0f);
    Advance(0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"Requeue"}));
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 1u);
    Advance(0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"Requeue", "Chime"}));
}

TEST_F(DelayedCallQueueTest, DelayOfMinusOneIsParkedForever) {
    caller.CallLater("Chime", -1.0f);
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);
    EXPECT_EQ(DelayedCallQueue::Instance().ParkedSize(), 1u);
    Advance(0.0f);
    Advance(1.0e6f);
    DelayedCallQueue::Instance().Clear();
    Advance(0.0f);
    EXPECT_TRUE(log.empty());
}

TEST_F(DelayedCallQueueTest, RemovedNameLeavesNothingToFire) {
    caller.CallLater("Chime", 0.0f);
    ZELM::DynamicBase::RemoveTablesOf("Clock");
    Advance(0.0f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);

    // Also when nothing holds the table any more.
    {
        std::vector<std::string> otherLog;
        Recorder shortLived(&otherLog);
        ZELM::DynamicCaller shortCaller;
        shortCaller.SetName("Clock");
        shortCaller.CallLater("Chime", 5.0f);
        ZELM::DynamicBase::RemoveTablesOf("Clock");
    }
    Advance(10.0f);
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);
}

TEST_F(DelayedCallQueueTest, ArgumentsAreCopiedWhenTheCallIsMade) {
    std::string text = "first";
    int count = 1;
    caller.CallLater("Say", 0.0f, text, count);
    text = "changed";
    count = 99;
    Advance(0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"first 1"}));
}

}  // namespace
