// Moving the camera's target and the player's light between ticks for the draw, and back.
#include "graphics/InterpolatedView.h"

#include <cmath>

#include "graphics/Camera.h"

namespace Graphics {

void InterpolatedView::BeginTick(const Camera& camera, const glm::vec3& light) {
    cameraAtTickStart = {camera.targetX, camera.targetY};
    lightAtTickStart = light;
    tickStarted = true;
}

bool InterpolatedView::Begin(Camera& camera, glm::vec3& light, float blend) {
    simulatedCamera = {camera.targetX, camera.targetY};
    simulatedLight = light;
    if (!tickStarted || !(blend < 1.0f)) {
        return false;
    }
    // A camera that jumped (a new level, a respawn) is drawn where it is.
    constexpr float kLongestStep = 2.0f;
    const glm::vec2 cameraStep = simulatedCamera - cameraAtTickStart;
    if (std::fabs(cameraStep.x) <= kLongestStep && std::fabs(cameraStep.y) <= kLongestStep) {
        camera.targetX = cameraAtTickStart.x + cameraStep.x * blend;
        camera.targetY = cameraAtTickStart.y + cameraStep.y * blend;
    }
    const glm::vec3 lightStep = simulatedLight - lightAtTickStart;
    if (std::fabs(lightStep.x) <= kLongestStep && std::fabs(lightStep.y) <= kLongestStep) {
        light = lightAtTickStart + lightStep * blend;
    }
    return true;
}

bool InterpolatedView::End(Camera& camera, glm::vec3& light) {
    if (camera.targetX == simulatedCamera.x && camera.targetY == simulatedCamera.y &&
        light == simulatedLight) {
        return false;
    }
    camera.targetX = simulatedCamera.x;
    camera.targetY = simulatedCamera.y;
    light = simulatedLight;
    return true;
}

}  // namespace Graphics
