// The frame timer on the steady clock.
#include "engine/FrameTimer.h"

#include <chrono>

namespace ZELM {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

std::int64_t FrameTimer::Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

FrameTimer::FrameTimer() {
    frequency = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::seconds(1)).count();
    secondsPerTick = 1.0f / static_cast<float>(frequency);
    previousCount = Now();
}

void FrameTimer::Reset() { ResetAt(Now()); }

void FrameTimer::ResetAt(std::int64_t count) { previousCount = count; }

void FrameTimer::Tick() { TickAt(Now()); }

void FrameTimer::TickAt(std::int64_t count) {
    currentCount = count;
    deltaSeconds = static_cast<float>(currentCount - previousCount) * secondsPerTick;
    windowSeconds += deltaSeconds;
    windowFrames += 1.0f;
    if (windowSeconds >= 1.0f) {
        fps = windowFrames;
        windowFrames = 0.0f;
        windowSeconds = 0.0f;
    }
    previousCount = currentCount;
}

float FrameTimer::ElapsedMs() {
    deltaSeconds = static_cast<float>(Now() - previousCount) * secondsPerTick;
    return deltaSeconds * 1000.0f;
}

}  // namespace ZELM
