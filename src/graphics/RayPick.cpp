// Pick rays, written in the row-vector convention of the camera's matrices.
#include "graphics/RayPick.h"

#include <cmath>

#include "graphics/D3DMath.h"

namespace Graphics {

bool RayThroughPixel(int x, int y, int width, int height, const glm::mat4& projection, const glm::mat4& view,
                     Ray& ray) {
    if (width <= 0 || height <= 0 || At(projection, 1, 1) == 0.0f || At(projection, 2, 2) == 0.0f ||
        glm::determinant(view) == 0.0f) {
        return false;
    }
    const float vx = (2.0f * static_cast<float>(x) / static_cast<float>(width) - 1.0f) / At(projection, 1, 1);
    const float vy =
        -(2.0f * static_cast<float>(y) / static_cast<float>(height) - 1.0f) / At(projection, 2, 2);
    const glm::mat4 m = glm::inverse(view);
    for (int axis = 1; axis <= 3; ++axis) {
        ray.direction[axis - 1] = vx * At(m, 1, axis) + vy * At(m, 2, axis) + At(m, 3, axis);
        ray.origin[axis - 1] = At(m, 4, axis);
    }
    return true;
}

Ray RayInMeshSpace(const Ray& ray, const glm::mat4& world) {
    const glm::mat4 inverse = glm::inverse(world);
    const glm::vec4 origin = glm::vec4(ray.origin, 1.0f) * inverse;
    const glm::vec3 direction = glm::vec3(glm::vec4(ray.direction, 0.0f) * inverse);
    Ray local;
    local.origin = glm::vec3(origin) / origin.w;
    const float length = glm::length(direction);
    local.direction = length > 0.0f ? direction / length : direction;
    return local;
}

bool RayHitsTriangles(const Ray& ray, const std::vector<MeshVertex>& vertices,
                      const std::vector<std::uint32_t>& indices) {
    auto position = [&vertices](std::uint32_t index) {
        const float* p = vertices[index].position;
        return glm::vec3(p[0], p[1], p[2]);
    };
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        if (indices[i] >= vertices.size() || indices[i + 1] >= vertices.size() ||
            indices[i + 2] >= vertices.size()) {
            continue;
        }
        // Moller and Trumbore: solve origin + t * direction = a + u * (b - a) + v * (c - a).
        const glm::vec3 a = position(indices[i]);
        const glm::vec3 edge1 = position(indices[i + 1]) - a;
        const glm::vec3 edge2 = position(indices[i + 2]) - a;
        const glm::vec3 p = glm::cross(ray.direction, edge2);
        const float determinant = glm::dot(edge1, p);
        if (std::fabs(determinant) < 1e-8f) {
            continue;  // the ray runs along the triangle's plane
        }
        const float inverse = 1.0f / determinant;
        const glm::vec3 toOrigin = ray.origin - a;
        const float u = glm::dot(toOrigin, p) * inverse;
        if (u < 0.0f || u > 1.0f) {
            continue;
        }
        const glm::vec3 q = glm::cross(toOrigin, edge1);
        const float v = glm::dot(ray.direction, q) * inverse;
        if (v < 0.0f || u + v > 1.0f) {
            continue;
        }
        if (glm::dot(edge2, q) * inverse >= 0.0f) {
            return true;
        }
    }
    return false;
}

}  // namespace Graphics
