// The camera's look-at basis, projections and frustum.
#include "graphics/Camera.h"

#include <cmath>

#include "graphics/D3DMath.h"

namespace Graphics {

void Camera::Update(float dt, const KeyDown& keyDown) {
    const float step = dt * 0.01f;
    const float pan = std::fabs(distance) / 10.0f;
    if (keyDown) {
        if (keyDown("W"))
            targetY += pan * step;
        if (keyDown("S"))
            targetY -= pan * step;
        if (keyDown("D"))
            targetX += pan * step;
        if (keyDown("A"))
            targetX -= pan * step;
    }
    BuildView();
    BuildFrustum();
    viewProj = view * projection;
}

void Camera::SetProjection(float fovY, float aspect) {
    projection = PerspectiveFovLH(fovY, aspect, 1.0f, 1000.0f);
    BuildFrustum();
    viewProj = view * projection;
}

void Camera::Reset() {
    view = projection = viewProj = glm::mat4(1.0f);
    eye = {0.0f, 0.0f, -10.0f};
    right = {1.0f, 0.0f, 0.0f};
    up = {0.0f, 1.0f, 0.0f};
    look = {0.0f, 0.0f, 1.0f};
    offsetA = offsetB = 0.0f;
    distance = -17.0f;
    targetX = targetY = 0.0f;
    BuildView();
    BuildFrustum();
    viewProj = view * projection;
}

void Camera::BuildView() {
    eye = GetPos();
    const glm::vec3 at(targetX, targetY, 0.0f);
    look = glm::normalize(at - eye);
    right = glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), look));
    up = glm::normalize(glm::cross(look, right));
    // Rounding leaves the basis a little skewed; squaring it again keeps the view a pure rotation.
    look = glm::normalize(look);
    up = glm::normalize(glm::cross(look, right));
    right = glm::normalize(glm::cross(up, look));
    view = MatrixFromRows({right.x, up.x, look.x, 0.0f,  //
                           right.y, up.y, look.y, 0.0f,  //
                           right.z, up.z, look.z, 0.0f,  //
                           -glm::dot(eye, right), -glm::dot(eye, up), -glm::dot(eye, look), 1.0f});
}

void Camera::BuildFrustum() {
    const glm::mat4 m = view * projection;
    // m[j] is column j + 1 of the row-vector matrix.
    planes[0] = m[2];
    planes[1] = m[3] - m[2];
    planes[2] = m[3] + m[0];
    planes[3] = m[3] - m[0];
    planes[4] = m[3] - m[1];
    planes[5] = m[3] + m[1];
    for (glm::vec4& plane : planes) {
        const float length = glm::length(glm::vec3(plane));
        if (length > 0.0f) {
            plane /= length;
        }
    }
}

bool Camera::InFrustum(const glm::vec3& point) const {
    const glm::vec3 low = point - glm::vec3(0.5f);
    const glm::vec3 high = point + glm::vec3(0.5f);
    for (const glm::vec4& plane : planes) {
        const glm::vec3 corner(plane.x >= 0.0f ? high.x : low.x, plane.y >= 0.0f ? high.y : low.y,
                               plane.z >= 0.0f ? high.z : low.z);
        if (plane.x * corner.x + plane.y * corner.y + plane.z * corner.z + plane.w < 0.0f) {
            return false;
        }
    }
    return true;
}

}  // namespace Graphics
