// Measures frame times with the high-resolution clock and counts frames per second.
#pragma once

#include <cstdint>

namespace ZELM {

class FrameTimer {
public:
    FrameTimer();

    // Starts the next measured interval now.
    void Reset();
    // Ends the current frame: measures it, counts it into the one-second window, starts the next.
    void Tick();
    // Frames counted in the last completed window of at least one second; 0 until one completes.
    float GetFPS() const { return fps; }
    // The last measured interval in milliseconds.
    float GetDeltaMs() const { return deltaSeconds * 1000.0f; }
    // Measures the time since the interval started, without starting a new one; milliseconds.
    float ElapsedMs();
    // Leaves the clock time from `from` to `to` (a load) out of the interval being measured.
    void Exclude(std::int64_t from, std::int64_t to) { previousCount += to - from; }

    // The clock, in ticks of 1 / frequency seconds (nanoseconds).
    static std::int64_t Now();
    // Reset and Tick at a given clock reading, so the timer can be driven without waiting.
    void ResetAt(std::int64_t count);
    void TickAt(std::int64_t count);

private:
    float fps = 0.0f;
    float windowSeconds = 0.0f;
    float deltaSeconds = 0.0f;
    float windowFrames = 0.0f;
    float secondsPerTick = 0.0f;
    std::int64_t previousCount = 0;
    std::int64_t currentCount = 0;
    std::int64_t frequency = 0;
};

}  // namespace ZELM
