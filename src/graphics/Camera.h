// The camera: a target on the level plane, an eye in front of it, and the frustum it sees.
#pragma once

#include <array>
#include <functional>
#include <glm/glm.hpp>

namespace Graphics {

class Camera {
public:
    // Answers whether a key (by key name) is held, for the free-camera pan.
    using KeyDown = std::function<bool(const char*)>;

    // Pans with W/A/S/D at |distance| units per second, then rebuilds the view, frustum and
    // view x projection.
    void Update(float dt, const KeyDown& keyDown);
    // Left-handed perspective; the aspect is the back buffer's width over its height.
    void SetProjection(float fovY, float aspect);
    // The start position: eye (0, 0, -17) looking at the origin.
    void Reset();
    // Whether the cube of half-size 0.5 centred on the point is at least partly inside the frustum.
    bool InFrustum(const glm::vec3& point) const;

    // Offset A lifts the eye, offset B moves it sideways: "SetCamOffsetX" writes A, "SetCamOffsetY" B.
    glm::vec3 GetPos() const { return {targetX + offsetB, targetY + offsetA, distance}; }

    float targetX = 0.0f;
    float targetY = 0.0f;
    float distance = -10.0f;
    float offsetA = 0.0f;
    float offsetB = 0.0f;

    const glm::mat4& GetView() const { return view; }
    const glm::mat4& GetProjection() const { return projection; }
    const glm::mat4& GetViewProj() const { return viewProj; }
    const glm::vec3& GetEye() const { return eye; }
    const glm::vec3& GetRight() const { return right; }
    const glm::vec3& GetUp() const { return up; }
    const glm::vec3& GetLook() const { return look; }
    // Near, far, left, right, top, bottom; each (a, b, c, d) with a unit normal.
    const std::array<glm::vec4, 6>& GetPlanes() const { return planes; }

private:
    void BuildView();
    void BuildFrustum();

    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::mat4 viewProj{1.0f};
    glm::vec3 eye{0.0f, 0.0f, -10.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 look{0.0f, 0.0f, 1.0f};
    std::array<glm::vec4, 6> planes{};
};

}  // namespace Graphics
