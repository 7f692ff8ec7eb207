// The editor's view: while held, the camera looks at a point of the level from a distance of the
// editor's choosing, and the player graphic no longer moves it.
#pragma once

#include <glm/glm.hpp>

namespace Graphics {

class Camera;

class HeldView {
public:
    // Holds the camera on (x, y) from `distance`; a view that is not finite or not in front of the
    // level is ignored.
    void Hold(float x, float y, float distance);
    void Release() { held = false; }
    // Puts the camera's target and distance where the view holds them, when it is held.
    void Apply(Camera& camera) const;

private:
    bool held = false;
    glm::vec3 at{0.0f, 0.0f, 8.0f};  // target x, y and the distance
};

}  // namespace Graphics
