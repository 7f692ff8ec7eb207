// Runs the fallward program headless on fixture data and checks how it ends.
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

TEST(HeadlessRun, GoodDataRunsTheGivenFramesAndQuits) {
    const RunResult run =
        RunFallward("--headless --frames 5 --problems fatal --data " + kFixtures + "/good/Working");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
}

TEST(HeadlessRun, FixedFrameTimeRunsTheSameWay) {
    const RunResult run =
        RunFallward("--headless --frames 30 --fixed-dt 16 --problems fatal --data " + kFixtures + "/good/Working");
    EXPECT_EQ(run.status, 0) << run.errors;
}

TEST(HeadlessRun, AMissingFirstLevelIsFatalWhenAskedTo) {
    const RunResult run =
        RunFallward("--headless --frames 5 --problems fatal --data " + kFixtures + "/missing-level/Working");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.errors.find("Could not load level \"../Resources/Levels/Absent.xml\"!"), std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("Function: ZELM::ContentPipeline::Load"), std::string::npos) << run.errors;
}

TEST(HeadlessRun, AMissingFirstLevelIsReportedAndTheGameGoesOn) {
    const RunResult run =
        RunFallward("--headless --frames 5 --problems stderr --data " + kFixtures + "/missing-level/Working");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.errors.find("Could not load level"), std::string::npos) << run.errors;
}

TEST(HeadlessRun, BadCommandLinesAndDataDirectoriesAreRefused) {
    EXPECT_EQ(RunFallward("--frames nine").status, 2);
    EXPECT_EQ(RunFallward("--headless --frames 1 --data /nonexistent/fallward").status, 2);
}

TEST(HeadlessRun, TheBundledGameStartsAndQuits) {
    const RunResult run = RunFallward("--headless --frames 120 --problems fatal");
    EXPECT_EQ(run.status, 0) << run.errors;
}

}  // namespace
