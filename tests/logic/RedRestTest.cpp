// A player at rest against red is sent back after half a second; moving, or off the red, is not.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "logic/RedRest.h"

namespace {

using Logic::RedRest;

TEST(RedRest, HalfASecondOfTicksAtRestOnRedSendsBackAndNothingElseDoes) {
    const float still = 0.0f;
    const float creep = RedRest::kStillPerTick * 0.5f;  // settling into place is still rest
    const float slide = RedRest::kStillPerTick * 2.0f;  // a slide along red goes on
    const struct {
        const char* what;
        float stepPerTick;
        bool onRed;
        int ticks;
        int sentBackOnTick;  // 0: never
    } kCases[] = {
        {"at rest on red", still, true, 40, RedRest::kTicks + 1},
        {"creeping on red", creep, true, 40, RedRest::kTicks + 1},
        {"sliding along red", slide, true, 200, 0},
        {"at rest off red", still, false, 200, 0},
    };
    for (const auto& test : kCases) {
        RedRest rest;
        int sentBack = 0;
        for (int tick = 1; tick <= test.ticks && sentBack == 0; ++tick) {
            // The first tick has no place before it to compare with.
            if (rest.Step(10.0f + test.stepPerTick * static_cast<float>(tick), 2.4f, test.onRed)) {
                sentBack = tick;
            }
        }
        EXPECT_EQ(sentBack, test.sentBackOnTick) << test.what;
    }
}

TEST(RedRest, TheCountStartsAgainWhenThePlayerMovesLeavesTheRedOrIsSentBack) {
    const struct {
        const char* what;
        void (*interrupt)(RedRest&);
        float restsAtX;  // where the player rests afterwards
    } kInterruptions[] = {
        {"a step", [](RedRest& rest) { rest.Step(11.0f, 2.4f, true); }, 11.0f},
        {"a tick off the red", [](RedRest& rest) { rest.Step(10.0f, 2.4f, false); }, 10.0f},
        {"a respawn", [](RedRest& rest) { rest.Reset(); }, 10.0f},
    };
    for (const auto& interruption : kInterruptions) {
        RedRest rest;
        const float x = interruption.restsAtX;
        for (int tick = 0; tick < RedRest::kTicks; ++tick) {
            ASSERT_FALSE(rest.Step(10.0f, 2.4f, true));
        }
        interruption.interrupt(rest);
        EXPECT_EQ(rest.GetTicks(), 0) << interruption.what;
        int more = 0;
        while (!rest.Step(x, 2.4f, true)) {
            ++more;
            ASSERT_LT(more, 100) << interruption.what;
        }
        EXPECT_GE(more, RedRest::kTicks - 1) << interruption.what << " must start the half second again";
    }
}

// A 0.8 player beside tiles of a small map: red at (5, 1), (5, 4), (3, 2) and (7, 2).
TEST(RedRest, TheSideTouchedIsFoundFromTheMap) {
    const std::set<std::pair<int, int>> red = {{5, 1}, {5, 4}, {3, 2}, {7, 2}};
    auto tileAt = [&red](int column, int row) -> unsigned char {
        EXPECT_GE(column, 0);
        EXPECT_GE(row, 0);
        return red.count({column, row}) ? 6 : 1;
    };
    const struct {
        const char* what;
        float x;
        float y;
        unsigned side;
    } kPlaces[] = {
        {"standing on the red floor", 5.5f, 2.4f, 0},
        {"standing across its edge", 4.7f, 2.4f, 0},
        {"under the red ceiling", 5.5f, 3.6f, 1},
        {"against the red wall on the left", 4.4f, 2.5f, 2},
        {"against the red wall on the right", 6.6f, 2.5f, 3},
        {"a hair above the floor still touches", 5.5f, 2.41f, 0},
        {"clear of every red tile", 5.5f, 3.0f, RedRest::kNoSide},
        {"only a corner diagonal to red", 6.4f, 3.6f, RedRest::kNoSide},
        {"at the map's bottom-left corner", 0.4f, 0.4f, RedRest::kNoSide},
        {"far outside the map", -1.0e9f, 1.0e9f, RedRest::kNoSide},
    };
    for (const auto& place : kPlaces) {
        EXPECT_EQ(RedRest::TouchedSide(place.x, place.y, 0.8f, 0.8f, 6, tileAt), place.side) << place.what;
    }
}

}  // namespace
