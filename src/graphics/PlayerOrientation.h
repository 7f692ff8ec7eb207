// The turn of a player's mesh about z: its feet ease toward the way gravity pulls it.
#pragma once

namespace Graphics {

class PlayerOrientation {
public:
    // The angle for a pull of (gx, gy): right pi/2, left 3pi/2, up pi, otherwise 0, each plus a
    // whole turn so that every target lies in [2pi, 4pi).
    static float Target(float gx, float gy);

    // Turns the angle a quarter of the way to the target, the short way round; an update without
    // time passing (dt 0, the glow pass) leaves it where it is.
    void Step(float gx, float gy, float dt);
    float GetAngle() const { return angle; }

private:
    // Upright, a whole turn up: every later angle then stays within a turn and a half of its
    // target, so one wrap per step always takes the short way round.
    float angle = 6.28318531f;
};

}  // namespace Graphics
