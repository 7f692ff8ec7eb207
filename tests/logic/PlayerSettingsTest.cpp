// The player's settings at work: what the console may ask of them.
#include <gtest/gtest.h>

#include "logic/PlayerSettings.h"
#include "support/ProblemCapture.h"
#include "utilities/DynamicCaller.h"

namespace {

// Only the console can ask for a frame limit the options do not step through: it is refused with a
// report, and the limit in force stays.
TEST(PlayerSettings, AFrameLimitTheOptionsDoNotOfferIsRefusedAndTheLimitStays) {
    ZELMTest::ProblemCapture problems;
    ZELM::DynamicCaller engine;
    engine.SetName("Engine");
    Logic::PlayerSettings settings(engine);
    const struct {
        int asked;
        int kept;
        bool refused;
    } kAsks[] = {{120, 120, false}, {75, 120, true},   {0, 0, false},
                 {-60, 0, true},    {240, 240, false}, {1000, 240, true}};
    for (const auto& ask : kAsks) {
        problems.Clear();
        settings.SetFrameLimit(ask.asked);
        EXPECT_EQ(settings.GetFrameLimit(), ask.kept) << ask.asked;
        EXPECT_EQ(problems.Count(), ask.refused ? 1u : 0u) << ask.asked;
    }
}

}  // namespace
