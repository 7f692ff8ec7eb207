// Tests of the frame timer, driven by given clock readings rather than the real clock.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/FrameTimer.h"

namespace {

constexpr std::int64_t kMs = 1000000;  // clock ticks (nanoseconds) per millisecond

TEST(FrameTimer, FpsCountsTheFramesOfEachCompletedSecond) {
    ZELM::FrameTimer timer;
    timer.ResetAt(0);
    EXPECT_EQ(timer.GetFPS(), 0.0f);

    // Four frames of 300 ms: the window completes on the fourth.
    for (std::int64_t frame = 1; frame <= 3; ++frame) {
        timer.TickAt(frame * 300 * kMs);
        EXPECT_EQ(timer.GetFPS(), 0.0f) << "frame " << frame;
    }
    timer.TickAt(1200 * kMs);
    EXPECT_EQ(timer.GetFPS(), 4.0f);
    EXPECT_NEAR(timer.GetDeltaMs(), 300.0f, 0.01f);

    // Faster frames only show once their own second is complete.
    std::int64_t now = 1200 * kMs;
    for (int frame = 1; frame <= 9; ++frame) {
        now += 110 * kMs;
        timer.TickAt(now);
        EXPECT_EQ(timer.GetFPS(), 4.0f) << "frame " << frame;
        EXPECT_NEAR(timer.GetDeltaMs(), 110.0f, 0.01f);
    }
    now += 110 * kMs;
    timer.TickAt(now);
    EXPECT_EQ(timer.GetFPS(), 10.0f);

    // One long frame is a window of its own.
    now += 2500 * kMs;
    timer.TickAt(now);
    EXPECT_EQ(timer.GetFPS(), 1.0f);
    EXPECT_NEAR(timer.GetDeltaMs(), 2500.0f, 0.1f);
}

TEST(FrameTimer, ElapsedDoesNotStartANewInterval) {
    ZELM::FrameTimer timer;
    const std::int64_t start = ZELM::FrameTimer::Now() - 5000 * kMs;
    timer.ResetAt(start);
    EXPECT_GE(timer.ElapsedMs(), 5000.0f);
    EXPECT_GE(timer.ElapsedMs(), 5000.0f);
    timer.TickAt(start + 2000 * kMs);
    EXPECT_NEAR(timer.GetDeltaMs(), 2000.0f, 0.1f);
}

}  // namespace
