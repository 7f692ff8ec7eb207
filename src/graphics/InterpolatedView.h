// The camera's target and the player's light drawn between their places of the last two ticks,
// and put back for the next tick once the frame is drawn.
#pragma once

#include <glm/glm.hpp>

namespace Graphics {

class Camera;

class InterpolatedView {
public:
    // Notes where the camera's target and the light stand as a tick begins.
    void BeginTick(const Camera& camera, const glm::vec3& light);
    // Moves them to `blend` between their places at the tick's start and where the tick left them
    // (0 the earlier, 1 the later); one that jumped stays where it is. True when the camera's
    // matrices are to be built again for the draw.
    bool Begin(Camera& camera, glm::vec3& light, float blend);
    // Puts them back where the tick left them; true when that moved them.
    bool End(Camera& camera, glm::vec3& light);

private:
    glm::vec2 cameraAtTickStart{0.0f};
    glm::vec3 lightAtTickStart{0.0f};
    bool tickStarted = false;
    // Their places as simulated, while a frame is drawn between ticks.
    glm::vec2 simulatedCamera{0.0f};
    glm::vec3 simulatedLight{0.0f};
};

}  // namespace Graphics
