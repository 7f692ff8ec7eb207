// The frame pacer's schedule and its sleep.
#include "engine/FramePacer.h"

#include <chrono>
#include <thread>

#include "engine/FrameTimer.h"

namespace ZELM {
namespace {

constexpr std::int64_t kSecond = 1000000000;  // clock ticks (nanoseconds)

}  // namespace

void FramePacer::SetLimit(int framesPerSecond) {
    limit = framesPerSecond > 0 ? framesPerSecond : 0;
}

std::int64_t FramePacer::GetPeriod() const {
    if (idle) {
        return kSecond / kIdleFramesPerSecond;
    }
    // Held with vsync on too: a driver may take the swap interval and not wait (a virtual display
    // does), and a player who asks for 60 on a 144 Hz screen wants 60.
    return limit > 0 ? kSecond / limit : 0;
}

std::int64_t FramePacer::NextFrameAt(std::int64_t previous, std::int64_t now, std::int64_t period) {
    if (period <= 0) {
        return now;
    }
    const std::int64_t due = previous + period;
    return now - due > period ? now : due;
}

void FramePacer::EndFrame() {
    const std::int64_t now = FrameTimer::Now();
    const std::int64_t next = NextFrameAt(previousEnd, now, GetPeriod());
    if (next > now) {
        using Clock = std::chrono::steady_clock;
        std::this_thread::sleep_until(
            Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(next))));
    }
    previousEnd = next;
}

}  // namespace ZELM
