// Runs the fallward program headless on fixture data and checks how it ends.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

struct RunResult {
    int status = -1;
    std::string errors;
};

// Runs fallward with the arguments, capturing standard error.
RunResult RunFallward(const std::string& arguments) {
    const std::string command = std::string(FALLWARD_BINARY) + " " + arguments + " 2>&1 1>/dev/null";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.errors.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string kFixtures = FALLWARD_FIXTURES;

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
