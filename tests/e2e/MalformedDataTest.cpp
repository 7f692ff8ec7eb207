// Bad level, archetype and tile files: each gives a clear report and the game runs on.
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

RunResult RunLevel(const std::string& level) {
    return RunFallward("--headless --frames 5 --problems stderr --level " + level + " --data " + kFixtures +
                       "/malformed/Working");
}

bool Reports(const RunResult& run, const std::string& text) { return run.errors.find(text) != std::string::npos; }

TEST(MalformedData, ABrokenArchetypeIsReportedAndTheGoodLevelStillLoads) {
    const RunResult run = RunLevel("Good");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Reports(run, "Could not load archetype \"../Resources/Archetypes/broken.xml\"")) << run.errors;
    EXPECT_FALSE(Reports(run, "empty.xml")) << run.errors;
    EXPECT_FALSE(Reports(run, "Could not load level")) << run.errors;
}

// A level with no file at all is refused before the start (see HeadlessRunTest).
TEST(MalformedData, AnUnreadableLevelFileIsReported) {
    const RunResult run = RunLevel("Truncated");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Reports(run, "Could not load level \"../Resources/Levels/Truncated.xml\"!")) << run.errors;
}

TEST(MalformedData, UnknownComponentsAndServicesAreSkipped) {
    const RunResult run = RunLevel("UnknownComponent");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Reports(run, "No component type \"Teleporter\" is registered for service \"Logic\"!")) << run.errors;
    EXPECT_TRUE(Reports(run, "No component type \"Physical\" is registered for service \"Nowhere\"!")) << run.errors;
}

TEST(MalformedData, ASecondEntityOfTheSameNameIsSkipped) {
    const RunResult run = RunLevel("Duplicate");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Reports(run, "has a second entity named \"Box\"; it is skipped!")) << run.errors;
}

TEST(MalformedData, APropertyOutOfOrderIsReadAndReportedAndTheRestOfTheLevelLoads) {
    const RunResult run = RunFallward("--headless --frames 2 --problems stderr --level Misplaced --data " + kFixtures +
                                      "/malformed/Working --exec " + kFixtures + "/malformed/misplaced.lua");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Reports(run, "../Resources/Levels/Misplaced.xml:12: the property \"x\" of \"Physical\" is out of "
                             "order: it belongs before \"y\"; it is read anyway")) << run.errors;
    EXPECT_TRUE(Reports(run, "Box at 3 7, After at 5")) << run.errors;
}

TEST(MalformedData, EmptyAndNonNumericValuesReadAsEmpty) {
    const RunResult run = RunLevel("EmptyValues");
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(Reports(run, "Could not load level")) << run.errors;
}

TEST(MalformedData, BadTileMapsAreRefusedOrFilled) {
    const RunResult huge = RunLevel("HugeMap");
    EXPECT_EQ(huge.status, 0);
    EXPECT_TRUE(Reports(huge, "asks for 100000 x 100000 tiles")) << huge.errors;

    const RunResult badHeader = RunLevel("BadHeader");
    EXPECT_EQ(badHeader.status, 0);
    EXPECT_TRUE(Reports(badHeader, "has no readable header")) << badHeader.errors;

    for (const std::string level : {"ShortMap", "MissingMap"}) {
        const RunResult run = RunLevel(level);
        EXPECT_EQ(run.status, 0) << level;
        EXPECT_FALSE(Reports(run, "tile map")) << run.errors;
    }
}

}  // namespace
