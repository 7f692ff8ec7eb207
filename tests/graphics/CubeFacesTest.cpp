// Which faces of the level's cubes are drawn, and how a part of a face keeps the whole face's look.
#include <gtest/gtest.h>

#include <algorithm>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <utility>
#include <vector>

#include "graphics/CubeFaces.h"

namespace {

Graphics::InstanceRecord Cube(float x, float y, float z) {
    return {0xff222222u, {x, y, z, 0.0f}};
}

// The depth each face with the normal spans, nearest first; checks on the way that every face
// winds outward and that its texture runs with depth as on the whole face.
std::vector<std::pair<float, float>> DepthsFacing(const Graphics::CubeFaces& faces, const glm::vec3& normal,
                                                  float cubeNear) {
    std::vector<std::pair<float, float>> depths;
    const std::vector<Graphics::FaceVertex>& corners = faces.GetVertices();
    for (std::size_t first = 0; first + 3 < corners.size(); first += 4) {
        const auto at = [&](std::size_t k) { return glm::make_vec3(corners[first + k].position); };
        EXPECT_GT(glm::dot(glm::cross(at(1) - at(0), at(2) - at(0)), glm::make_vec3(corners[first].normal)),
                  0.0f);
        if (glm::make_vec3(corners[first].normal) != normal) {
            continue;
        }
        float near = at(0).z;
        float far = at(0).z;
        for (std::size_t k = 0; k < 4; ++k) {
            near = std::min(near, at(k).z);
            far = std::max(far, at(k).z);
            if (normal.x > 0.0f) {
                // On the +x face the texture's u runs with depth from the cube's front.
                EXPECT_NEAR(corners[first + k].uv[0], at(k).z - cubeNear, 1e-5f);
            }
        }
        depths.emplace_back(near, far);
    }
    std::sort(depths.begin(), depths.end());
    return depths;
}

TEST(CubeFaces, ASideShowsOnlyWhereTheNeighbourLeavesTheDepthEmpty) {
    using Depths = std::vector<std::pair<float, float>>;
    const struct {
        const char* name;
        std::vector<Graphics::InstanceRecord> neighbours;  // in the tile to the right
        Depths shown;
    } cases[] = {
        {"no neighbour", {}, {{1.5f, 2.5f}}},
        {"a nearer wall cube", {Cube(1, 0, 1.2f)}, {{2.2f, 2.5f}}},
        {"a farther wall cube", {Cube(1, 0, 1.8f)}, {{1.5f, 1.8f}}},
        {"a level wall cube", {Cube(1, 0, 1.5f)}, {}},
        {"a block with its wall cube", {Cube(1, 0, -0.3f), Cube(1, 0, 0.7f)}, {{1.7f, 2.5f}}},
        {"a block alone, not touching", {Cube(1, 0, 0.2f)}, {{1.5f, 2.5f}}},
    };
    for (const auto& each : cases) {
        std::vector<Graphics::InstanceRecord> solid = each.neighbours;
        solid.push_back(Cube(0, 0, 1.5f));
        Graphics::CubeFaces faces;
        faces.SetSolid(solid);
        faces.AddVisible(solid.back());
        const Depths shown = DepthsFacing(faces, {1, 0, 0}, 1.5f);
        ASSERT_EQ(shown.size(), each.shown.size()) << each.name;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_NEAR(shown[i].first, each.shown[i].first, 1e-6f) << each.name;
            EXPECT_NEAR(shown[i].second, each.shown[i].second, 1e-6f) << each.name;
        }
        // The front face always shows: nothing stands in front of the cube in its own tile.
        EXPECT_EQ(DepthsFacing(faces, {0, 0, -1}, 1.5f).size(), 1u) << each.name;
    }
}

TEST(CubeFaces, ABlockAndTheWallCubeBehindItShowNoFaceToEachOther) {
    const std::vector<Graphics::InstanceRecord> solid = {Cube(0, 0, -0.3f), Cube(0, 0, 0.7f)};
    Graphics::CubeFaces faces;
    faces.SetSolid(solid);
    faces.AddVisible(solid[0]);
    EXPECT_TRUE(DepthsFacing(faces, {0, 0, 1}, -0.3f).empty()) << "the block's back";
    EXPECT_EQ(faces.GetVertices().size(), 5u * 4u);
    faces.Clear();
    faces.AddVisible(solid[1]);
    EXPECT_TRUE(DepthsFacing(faces, {0, 0, -1}, 0.7f).empty()) << "the wall cube's front";
    EXPECT_EQ(faces.GetVertices().size(), 5u * 4u);
    // A see-through cube shows every face, its neighbours regardless.
    faces.Clear();
    faces.AddWhole(solid[1]);
    EXPECT_EQ(faces.GetVertices().size(), 6u * 4u);
}

}  // namespace
