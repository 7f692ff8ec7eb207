// A held direction as a menu moves by it: once at the press, again after about 0.4 s, then about
// every 0.12 s while it stays held. Counted in ticks, so it repeats alike at any display rate.
#pragma once

namespace Logic {

class HeldRepeat {
public:
    static constexpr int kFirstRepeatTicks = 24;  // 0.4 s of 60 ticks a second
    static constexpr int kRepeatTicks = 7;        // about 0.12 s

    // One tick with the direction held or not; true when the menu moves on this tick.
    bool Step(bool held) {
        if (!held) {
            heldTicks = -1;
            return false;
        }
        ++heldTicks;
        return heldTicks == 0 ||
               (heldTicks >= kFirstRepeatTicks && (heldTicks - kFirstRepeatTicks) % kRepeatTicks == 0);
    }

private:
    int heldTicks = -1;  // -1 while not held
};

}  // namespace Logic
