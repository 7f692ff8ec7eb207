// The bundled physics demo, run headless: boxes fall, stack and slide, the same way every time.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

RunResult RunDemo() {
    return RunFallward("--headless --level PhysicsDemo --frames 600 --fixed-dt 16.6667 --problems fatal --exec " +
                           kFixtures + "/physics/watch.lua --data " + kFixtures + "/physics/Working",
                       true);
}

TEST(PhysicsRun, TheDemoSettlesAndRunsTheSameEveryTime) {
    const RunResult first = RunDemo();
    ASSERT_EQ(first.status, 0) << first.errors;
    std::istringstream lines(first.errors);
    std::string name;
    float x, y, vx, vy;
    int boxes = 0;
    while (lines >> name >> x >> y >> vx >> vy) {
        ++boxes;
        EXPECT_GE(y, 1.49f) << name << " stays above the floor";
        EXPECT_LT(y, 15.0f) << name;
        EXPECT_GT(x, 1.0f) << name << " stays inside the walls";
        EXPECT_LT(x, 29.0f) << name;
        EXPECT_LT(vy * vy, 0.05f) << name << " has come to rest";
    }
    EXPECT_EQ(boxes, 6);
    EXPECT_NE(first.errors.find("Box1 5.000 1.50"), std::string::npos) << "the bottom of the stack rests on the floor\n"
                                                                       << first.errors;

    const RunResult second = RunDemo();
    EXPECT_EQ(second.errors, first.errors) << "the same input gives the same run";
}

}  // namespace
