// Checking and applying the editor's held view.
#include "graphics/HeldView.h"

#include <cmath>

#include "graphics/Camera.h"

namespace Graphics {

void HeldView::Hold(float x, float y, float distance) {
    // Sent by name, so checked: a view at infinity would leave nothing to draw or pick.
    if (std::isfinite(x) && std::isfinite(y) && std::isfinite(distance) && distance > 0.0f) {
        held = true;
        at = {x, y, distance};
    }
}

void HeldView::Apply(Camera& camera) const {
    if (held) {
        camera.targetX = at.x;
        camera.targetY = at.y;
        camera.distance = -at.z;
    }
}

}  // namespace Graphics
