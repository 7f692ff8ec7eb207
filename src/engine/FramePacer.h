// Holds the display frames to the player's frame limit, or to a trickle while the window is out of
// sight, by sleeping out what is left of each frame's period on the steady clock.
#pragma once

#include <cstdint>

namespace ZELM {

class FramePacer {
public:
    // While idle the game draws this many frames a second at most: enough to notice a restore.
    static constexpr int kIdleFramesPerSecond = 10;

    // At most this many frames a second; 0: no limit.
    void SetLimit(int framesPerSecond);
    // The window is minimised or has lost focus.
    void SetIdle(bool outOfSight) { idle = outOfSight; }
    int GetLimit() const { return limit; }
    bool IsIdle() const { return idle; }

    // Called once at the end of every display frame: sleeps until the frame's period since the
    // previous frame's end has passed.
    void EndFrame();

    // The period the frames are held to now, in nanoseconds; 0: none.
    std::int64_t GetPeriod() const;
    // When a frame ending at `now` may end, the previous one having been due at `previous`: a period
    // on from there, so short sleeps and late wakes even out; but a frame that overran by more than
    // a period starts the schedule again from now, or the frames after it would run unpaced to catch up.
    static std::int64_t NextFrameAt(std::int64_t previous, std::int64_t now, std::int64_t period);

private:
    int limit = 0;
    bool idle = false;
    std::int64_t previousEnd = 0;
};

}  // namespace ZELM
