// Runs the game with its window on a display, as a player would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/RunFallward.h"
#include "support/TestDisplay.h"

namespace {

TEST(PlatformWindowRun, TheGameOpensItsWindowRunsItsFramesAndQuits) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to open the window on";
    }
    const ZELMTest::RunResult run = ZELMTest::RunFallward("--frames 120 --problems fatal", true);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors.find("no window"), std::string::npos) << run.errors;
}

}  // namespace
