// Tests of the frame pacer's period and schedule, driven by given clock readings rather than sleeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/FramePacer.h"

namespace {

using ZELM::FramePacer;

constexpr std::int64_t kMs = 1000000;  // clock ticks (nanoseconds) per millisecond

TEST(FramePacer, TheLimitIsSleptAndIdleHoldsToTenFramesASecond) {
    const struct {
        const char* name;
        int limit;
        bool idle;
        std::int64_t period;
    } kCases[] = {
        {"no limit", 0, false, 0},
        {"60", 60, false, 1000000000 / 60},
        {"144", 144, false, 1000000000 / 144},
        {"no limit, idle", 0, true, 100 * kMs},
        {"a faster limit, idle", 240, true, 100 * kMs},
        {"a negative limit", -30, false, 0},
    };
    for (const auto& testCase : kCases) {
        FramePacer pacer;
        pacer.SetLimit(testCase.limit);
        pacer.SetIdle(testCase.idle);
        EXPECT_EQ(pacer.GetPeriod(), testCase.period) << testCase.name;
    }
    FramePacer pacer;
    pacer.SetIdle(true);
    pacer.SetIdle(false);
    EXPECT_EQ(pacer.GetPeriod(), 0) << "a restored window runs free again";
}

TEST(FramePacer, AFrameWaitsForItsPeriodAndOnlyALongOverrunRestartsTheSchedule) {
    const std::int64_t period = 10 * kMs;
    const std::int64_t previous = 100 * kMs;
    const struct {
        const char* name;
        std::int64_t previous;
        std::int64_t now;
        std::int64_t period;
        std::int64_t next;
    } kCases[] = {
        {"early", previous, 103 * kMs, period, 110 * kMs},
        {"on time", previous, 110 * kMs, period, 110 * kMs},
        {"a little late: the next frame makes it up", previous, 115 * kMs, period, 110 * kMs},
        {"late by a whole period", previous, 120 * kMs, period, 110 * kMs},
        {"late by more than a period", previous, 121 * kMs, period, 121 * kMs},
        {"the first frame", 0, 5000 * kMs, period, 5000 * kMs},
        {"no period", previous, 103 * kMs, 0, 103 * kMs},
    };
    for (const auto& testCase : kCases) {
        EXPECT_EQ(FramePacer::NextFrameAt(testCase.previous, testCase.now, testCase.period), testCase.next)
            << testCase.name;
    }
}

TEST(FramePacer, FramesKeepTheirCadenceThroughALateFrameAndStartAfreshAfterAStall) {
    // Each frame's work in milliseconds; a frame ends when its work is done or when it is due,
    // whichever is later, as EndFrame's sleep makes it.
    const std::int64_t period = 10 * kMs;
    const std::vector<std::int64_t> work = {4, 4, 13, 4, 4, 50, 4, 4};
    std::vector<std::int64_t> ends;
    std::int64_t clock = 1000 * kMs;
    std::int64_t previous = FramePacer::NextFrameAt(0, clock, period);
    for (const std::int64_t ms : work) {
        clock += ms * kMs;
        previous = FramePacer::NextFrameAt(previous, clock, period);
        clock = std::max(clock, previous);
        ends.push_back((clock - 1000 * kMs) / kMs);
    }
    // The 13 ms frame ends 3 ms late, at 33, and the next one is still due at 40. The 50 ms frame
    // ends at 100, and the frames after it are paced from there instead of rushing to catch up.
    const std::vector<std::int64_t> expected = {10, 20, 33, 40, 50, 100, 110, 120};
    EXPECT_EQ(ends, expected);
}

}  // namespace
