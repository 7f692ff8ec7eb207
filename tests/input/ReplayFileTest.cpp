// The part of a replay a finished level keeps: its frames and ticks renumbered from the level's first,
// and the keys held when it began, so it plays on its own.
#include <gtest/gtest.h>

#include "input/ReplayFile.h"

namespace {

using Input::InputScript;
using Input::ReplayFile;

TEST(ReplayFile, TheFramesAndTicksSinceALevelStartMakeAReplayOfTheirOwn) {
    ReplayFile whole;
    std::string error;
    // Frame 3 is the level's first, and its first tick is tick 3.
    ASSERT_TRUE(whole.Parse("version fallward 1\nstart Menu\nlevel 0123456789abcdef - Menu\ndt 1 16.6667 1\n"
                            "dt 2 16.6667 1\n2 down ENTER\ndt 3 33.25 2\n3 up ENTER\n5 mouse 10 20\n",
                            error))
        << error;
    EXPECT_EQ(whole.TotalTicks(), 4);
    InputScript::Event held;
    held.kind = InputScript::Kind::Down;
    held.code = whole.events[0].code;

    const ReplayFile part = whole.Since(3, 3, "Level1", {held});
    EXPECT_EQ(part.Write(),
              "# A fallward replay: play it with --replay FILE\nversion fallward 1\nstart Level1\n"
              "level 0123456789abcdef - Menu\ndt 1 33.25 2\n1 down ENTER\n1 up ENTER\n3 mouse 10 20\n");
    ReplayFile again;
    EXPECT_TRUE(again.Parse(part.Write(), error)) << error;
}

TEST(ReplayFile, AFrameLineNeedsItsTicksWithinBounds) {
    const std::string head = "version fallward 1\nstart Level1\n";
    for (const char* line : {"dt 1 16", "dt 1 16 -1", "dt 1 16 65", "dt 1 16 x", "dt 1 16 1 2"}) {
        ReplayFile replay;
        std::string error;
        EXPECT_FALSE(replay.Parse(head + line + "\n", error)) << line;
        EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    }
    ReplayFile late;
    std::string error;
    EXPECT_FALSE(late.Parse(head + "dt 1 16 1\n3 down A\n", error));
    EXPECT_NE(error.find("after the last tick"), std::string::npos) << error;
}

}  // namespace
