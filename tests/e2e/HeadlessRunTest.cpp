// Runs the fallward program headless on fixture data and checks how it ends.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
        RunFallward("--headless --frames 30 --fixed-dt 16.6667 --problems fatal --data " + kFixtures + "/good/Working");
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

TEST(HeadlessRun, DataThatCannotStartTheGameEndsWithOneMessageAndStatusTwo) {
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() / ("fallward-empty-data-" + std::to_string(getpid()));
    std::filesystem::create_directories(empty);
    const struct {
        std::string arguments;
        std::vector<std::string> named;  // what the message must name
    } cases[] = {
        {"--level NoSuchLevel --data " + kFixtures + "/good/Working",
         {"NoSuchLevel", "../Resources/Levels/"}},
        {"--data " + empty.string(), {empty.string(), "manifest.txt"}},
        {"--data " + kFixtures + "/no-levels/Working",
         {"no-levels/Working", "../Resources/Levels/order.txt"}},
    };
    for (const auto& each : cases) {
        const RunResult run = RunFallward("--headless --frames 5 --problems stderr " + each.arguments);
        EXPECT_EQ(run.status, 2) << each.arguments << "\n" << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        for (const std::string& name : each.named) {
            EXPECT_NE(run.errors.find(name), std::string::npos) << name << " in: " << run.errors;
        }
    }
    std::filesystem::remove(empty);
}

TEST(HeadlessRun, TheBundledGameStartsAndQuits) {
    const RunResult run = RunFallward("--headless --frames 120 --problems fatal");
    EXPECT_EQ(run.status, 0) << run.errors;
}

}  // namespace
