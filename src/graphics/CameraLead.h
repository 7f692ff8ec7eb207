// Where the camera looks while it follows the player: ahead of it in the direction it moves,
// farther the faster it goes, easing in and out so the view never jerks, and never past a level's
// edge, so that what the player must react to comes on screen in time.
#pragma once

#include <glm/glm.hpp>

namespace Graphics {

class CameraLead {
public:
    // The lead asked for is the player's velocity over this time (tiles per second to tiles)...
    static constexpr float kSecondsAhead = 0.4f;
    // ...and never more than this many tiles: at our levels' fastest falls (about 20 tiles a
    // second) the lead and half the view show what comes at least 0.7 s before it is reached.
    static constexpr float kMostTiles = 5.0f;
    // The time in which the lead covers about two thirds of the way to what is asked.
    static constexpr float kEasingMs = 200.0f;

    // The level's tiles in world units: the view centre leads no farther than these.
    struct Bounds {
        float minX = 0.0f;
        float minY = 0.0f;
        float maxX = 0.0f;
        float maxY = 0.0f;
    };

    // A new level, or a player put back at a checkpoint: the view starts on the player.
    void Reset() { lead = glm::vec2(0.0f); }
    // Eases the lead over `dtMs` towards what the velocity asks for and gives the camera's target:
    // the player's place plus the lead, kept inside the bounds (when there are any) unless the
    // player itself stands outside them.
    glm::vec2 Step(const glm::vec2& player, const glm::vec2& velocity, float dtMs, const Bounds* bounds);
    const glm::vec2& GetLead() const { return lead; }

private:
    glm::vec2 lead{0.0f};
};

}  // namespace Graphics
