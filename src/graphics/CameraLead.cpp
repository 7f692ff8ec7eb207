// The camera's look ahead of the player.
#include "graphics/CameraLead.h"

#include <algorithm>
#include <cmath>

namespace Graphics {
namespace {

// The target along one axis: led, but not past the edge the player itself is inside of.
float Bounded(float player, float led, float low, float high) {
    return std::clamp(led, std::min(player, low), std::max(player, high));
}

}  // namespace

glm::vec2 CameraLead::Step(const glm::vec2& player, const glm::vec2& velocity, float dtMs, const Bounds* bounds) {
    glm::vec2 asked = velocity * kSecondsAhead;
    const float length = glm::length(asked);
    if (length > kMostTiles) {
        asked *= kMostTiles / length;
    }
    if (!std::isfinite(asked.x) || !std::isfinite(asked.y)) {
        asked = glm::vec2(0.0f);
    }
    const float share = 1.0f - std::exp(-std::max(dtMs, 0.0f) / kEasingMs);
    lead += (asked - lead) * share;
    glm::vec2 target = player + lead;
    if (bounds != nullptr) {
        target.x = Bounded(player.x, target.x, bounds->minX, bounds->maxX);
        target.y = Bounded(player.y, target.y, bounds->minY, bounds->maxY);
        lead = target - player;  // what the edge held back is not waiting to jump out later
    }
    return target;
}

}  // namespace Graphics
