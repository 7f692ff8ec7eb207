// Picking with the mouse: the ray through a window pixel, and whether it meets a mesh's triangles.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "graphics/gl/Mesh.h"

namespace Graphics {

struct Ray {
    glm::vec3 origin{0.0f};
    glm::vec3 direction{0.0f, 0.0f, 1.0f};
};

// The world ray from the eye through pixel (x, y) of a width x height window, for the camera's
// projection and view. False for an empty window or a projection or view without an inverse.
bool RayThroughPixel(int x, int y, int width, int height, const glm::mat4& projection, const glm::mat4& view,
                     Ray& ray);
// The ray in the space of a mesh placed by `world`: the origin moved as a point, the direction as
// a normal, then made unit length.
Ray RayInMeshSpace(const Ray& ray, const glm::mat4& world);
// Whether the ray meets any triangle of the list, from either side, at or beyond its origin.
bool RayHitsTriangles(const Ray& ray, const std::vector<MeshVertex>& vertices,
                      const std::vector<std::uint32_t>& indices);

}  // namespace Graphics
