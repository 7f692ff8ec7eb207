// A best run's path as the replay file keeps it, and what a hostile one is refused for.
#include <gtest/gtest.h>

#include <string>

#include "logic/BestRun.h"
#include "logic/RunPath.h"

namespace {

using Logic::RunPath;

TEST(RunPath, WhatIsSavedReadsBackExactlyAndTheLastPoseHoldsAfterTheFinish) {
    RunPath saved;
    saved.Add({2.5f, 1.4f, 0.0f, -1.0f});
    saved.Add({2.5000002f, 1.3999999f, 0.70710677f, -0.70710677f});
    saved.SetFinishSeconds(4.2000003f);
    // The replay's own lines around the path are left to the replay.
    const std::string text =
        "version fallward 1\nstart TimeAttack\ndt 1 16.6667\n10 down RIGHT\n" + saved.Serialise();
    RunPath read;
    std::string problem;
    ASSERT_TRUE(RunPath::Parse(text, read, problem)) << problem;
    ASSERT_EQ(read.GetFrameCount(), 2u);
    EXPECT_EQ(read.GetFinishSeconds(), 4.2000003f);
    RunPath::Pose pose;
    ASSERT_TRUE(read.GetPose(2, pose));
    EXPECT_EQ(pose.x, 2.5000002f);
    EXPECT_EQ(pose.y, 1.3999999f);
    EXPECT_EQ(pose.gx, 0.70710677f);
    ASSERT_TRUE(read.GetPose(9, pose));
    EXPECT_EQ(pose.gy, -0.70710677f) << "past its end the ghost stands where its run finished";
    EXPECT_FALSE(RunPath().GetPose(1, pose));
}

TEST(RunPath, AHostilePathIsRefusedWholeAndSaysWhy) {
    const std::string good = "at 1 2.5 1.4 0 -1\n";
    const struct {
        const char* name;
        std::string text;
        const char* said;
    } kCases[] = {
        {"no path", "version fallward 1\ndt 1 16\n", "no path"},
        {"no finish", good, "no path"},
        {"a frame skipped", good + "at 3 2.5 1.4 0 -1\nfinish 1\n", "the next frame (2)"},
        {"a frame again", good + good + "finish 1\n", "the next frame (2)"},
        {"NaN", "at 1 nan 1.4 0 -1\nfinish 1\n", "line 1"},
        {"far away", "at 1 1e30 1.4 0 -1\nfinish 1\n", "line 1"},
        {"a word short", "at 1 2.5 1.4 0\nfinish 1\n", "line 1"},
        {"a word over", "at 1 2.5 1.4 0 -1 7\nfinish 1\n", "line 1"},
        {"garbage numbers", "at 1 2.5x 1.4 0 -1\nfinish 1\n", "line 1"},
        {"a negative finish", good + "finish -4\n", "line 2"},
        {"a finish of no time", good + "finish 0\n", "line 2"},
        {"a path after the finish", good + "finish 1\nat 2 2.5 1.4 0 -1\n", "line 3"},
    };
    for (const auto& testCase : kCases) {
        RunPath path;
        path.Add({9.0f, 9.0f, 0.0f, -1.0f});
        std::string problem;
        EXPECT_FALSE(RunPath::Parse(testCase.text, path, problem)) << testCase.name;
        EXPECT_NE(problem.find(testCase.said), std::string::npos) << testCase.name << ": " << problem;
        EXPECT_EQ(path.GetFrameCount(), 1u) << testCase.name << " left the path alone";
    }
}

TEST(BestRun, TheDifferenceToTheGhostIsSignedToTheClocksMillisecond) {
    const struct {
        float seconds;
        float ghost;
        const char* shown;
    } kCases[] = {
        {4.2f, 4.934f, "-0.734"},
        {6.4f, 5.2f, "+1.200"},
        {4.2f, 4.2f, "+0.000"},
        {4.2001f, 4.2f, "+0.000"},
    };
    for (const auto& testCase : kCases) {
        EXPECT_EQ(Logic::BestRun::Difference(testCase.seconds, testCase.ghost), testCase.shown);
    }
    EXPECT_EQ(Logic::BestRun::FileName("Level3"), "replays/Level3.replay");
    EXPECT_EQ(Logic::BestRun::FileName("../records"), "") << "a level's name never leaves the folder";
    EXPECT_EQ(Logic::BestRun::FileName("a/b"), "");
}

}  // namespace
