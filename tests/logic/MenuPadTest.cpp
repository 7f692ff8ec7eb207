// A held pad direction in a menu: the ticks on which the selection moves.
#include <gtest/gtest.h>

#include <vector>

#include "logic/screens/HeldRepeat.h"

namespace {

TEST(HeldRepeat, MovesAtThePressThenAfterTwentyFourTicksThenEverySeven) {
    const struct {
        const char* what;
        int heldTicks;
        std::vector<int> movesAt;
    } cases[] = {
        {"a tap", 1, {0}},
        {"held just short of the first repeat", 24, {0}},
        {"held past three repeats", 40, {0, 24, 31, 38}},
    };
    for (const auto& c : cases) {
        Logic::HeldRepeat repeat;
        std::vector<int> moves;
        for (int tick = 0; tick < c.heldTicks; ++tick) {
            if (repeat.Step(true)) {
                moves.push_back(tick);
            }
        }
        EXPECT_EQ(moves, c.movesAt) << c.what;
        EXPECT_FALSE(repeat.Step(false)) << c.what;
        EXPECT_TRUE(repeat.Step(true)) << c.what << ": a fresh press moves at once";
    }
}

}  // namespace
