// Scripts driving a headless game from the command line.
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

const std::string kLuaData = " --data " + kFixtures + "/lua/Working";

TEST(LuaRun, AnExecScriptDrivesTheGameAndItsLevelChangeLandsAtTheEndOfTheFrame) {
    const RunResult run = RunFallward(
        "--headless --frames 5 --fixed-dt 16.6667 --problems fatal --exec " + kFixtures + "/lua/drive.lua" + kLuaData,
        true);
    EXPECT_EQ(run.status, 0) << run.errors;
    // The script runs after the first level started; the posted change waits for the end of frame 1.
    EXPECT_EQ(run.errors, "init Player\nposted\nupdate x=3.017\nshutdown Player\narrived\n");
}

TEST(LuaRun, AFailingExecScriptIsReportedAndTheGameGoesOn) {
    const RunResult run = RunFallward(
        "--headless --frames 2 --fixed-dt 16.6667 --problems stderr --exec " + kFixtures + "/lua/broken.lua" + kLuaData,
        true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.errors.find("attempt to call field 'NoSuchMethod'"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("update x=0.033"), std::string::npos) << "both ticks ran:\n" << run.errors;
}

}  // namespace
