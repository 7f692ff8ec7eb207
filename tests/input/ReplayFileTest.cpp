// The part of a replay a finished level keeps: its frames renumbered from the level's first, and the
// keys held when it began, so it plays on its own.
#include <gtest/gtest.h>

#include "input/ReplayFile.h"

namespace {

using Input::InputScript;
using Input::ReplayFile;

TEST(ReplayFile, TheFramesSinceALevelStartMakeAReplayOfTheirOwn) {
    ReplayFile whole;
    std::string error;
    ASSERT_TRUE(
        whole.Parse("version fallward 1\nstart Menu\nlevel 0123456789abcdef - Menu\ndt 1 16\ndt 2 0.5\n"
                    "2 down ENTER\ndt 3 33.25\n3 up ENTER\n4 mouse 10 20\n",
                    error))
        << error;
    InputScript::Event held;
    held.kind = InputScript::Kind::Down;
    held.code = whole.events[0].code;

    const ReplayFile part = whole.Since(3, "Level1", {held});
    EXPECT_EQ(part.Write(),
              "# A fallward replay: play it with --replay FILE\nversion fallward 1\nstart Level1\n"
              "level 0123456789abcdef - Menu\ndt 1 33.25\n1 down ENTER\n1 up ENTER\n2 mouse 10 20\n");
    ReplayFile again;
    EXPECT_TRUE(again.Parse(part.Write(), error)) << error;
}

}  // namespace
