// Effect files as read from disk, the shipped effects' names, and the box mesh.
#include <gtest/gtest.h>

#include <fstream>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <sstream>

#include "graphics/gl/EffectSource.h"
#include "graphics/gl/Mesh.h"
#include "support/TestPaths.h"

namespace {

std::string ReadResource(const std::string& relative) {
    std::ifstream file(std::string(FALLWARD_RESOURCES) + "/" + relative);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(EffectSource, TechniquesCollectTheirPassesInOrder) {
    Graphics::EffectSource source;
    std::string errors;
    ASSERT_TRUE(
        source.Parse("ignored\n@shared\nuniform float t;\n@vertex V\nvoid main() {}\n@fragment F\n"
                     "void main() {}\n@technique Glow\n// two passes\npass 0 V F\npass 1 V F additive\n",
                     errors))
        << errors;
    EXPECT_NE(source.GetShared().find("uniform float t;"), std::string::npos);
    ASSERT_EQ(source.GetTechniques().count("Glow"), 1u);
    const auto& passes = source.GetTechniques().at("Glow");
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].blend, "opaque");
    EXPECT_EQ(passes[1].blend, "additive");
}

TEST(EffectSource, MalformedFilesSayWhere) {
    Graphics::EffectSource source;
    std::string errors;
    EXPECT_FALSE(source.Parse("@vertex V\n@fragment F\n@technique T\npass 1 V F\n", errors));
    EXPECT_NE(errors.find("line 4"), std::string::npos) << errors;
    EXPECT_FALSE(Graphics::EffectSource().Parse("@technique T\npass 0 Missing F\n", errors));
    EXPECT_NE(errors.find("Missing"), std::string::npos) << errors;
    EXPECT_FALSE(Graphics::EffectSource().Parse("@geometry G\n", errors));
    EXPECT_FALSE(
        Graphics::EffectSource().Parse("@vertex V\n@fragment F\n@technique T\npass 0 V F glowing\n", errors));
}

TEST(EffectSource, TheShippedEffectsHaveEveryTechniqueAndParameterTheFrameSets) {
    std::string errors;
    Graphics::EffectSource level;
    ASSERT_TRUE(level.Parse(ReadResource("Effects/LevelDraw.fx"), errors)) << errors;
    for (const char* technique :
         {"NormalMapTech", "FlatMtrlTech", "GravTech", "GravSphereTech", "Faces", "PackedFaces"}) {
        EXPECT_EQ(level.GetTechniques().count(technique), 1u) << technique;
    }
    for (const char* parameter :
         {"gWVP", "gWorldInv", "gMtrl", "gLight", "gLight2", "gEyePosW", "gTex", "gNormalMap", "intensity",
          "flatShade", "timer", "xgrav", "ygrav", "gwidth", "gheight"}) {
        EXPECT_NE(level.GetShared().find(std::string(" ") + parameter), std::string::npos) << parameter;
    }
    Graphics::EffectSource frame;
    ASSERT_TRUE(frame.Parse(ReadResource("Effects/testshader.fx"), errors)) << errors;
    for (const char* technique : {"depthmap", "TechniqueWithoutTexture", "postprocess"}) {
        EXPECT_EQ(frame.GetTechniques().count(technique), 1u) << technique;
    }
    EXPECT_EQ(frame.GetTechniques().at("postprocess").size(), 2u);
    for (const char* parameter : {"WorldViewProj", "Projection", "World", "View", "depthshade", "normalshade",
                                  "screenwidth", "screenheight", "pTex"}) {
        EXPECT_NE(frame.GetShared().find(std::string(" ") + parameter + ";"), std::string::npos) << parameter;
    }
}

TEST(Mesh, TheBoxIsAUnitCubeWithNormalsAndTangents) {
    std::vector<Graphics::MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::string error;
    ASSERT_TRUE(Graphics::Mesh::ReadX(std::string(FALLWARD_RESOURCES) + "/Meshes/TexturedBox.x", vertices,
                                      indices, error))
        << error;
    EXPECT_EQ(vertices.size(), 24u);
    EXPECT_EQ(indices.size(), 36u);
    for (const Graphics::MeshVertex& vertex : vertices) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_FLOAT_EQ(std::abs(vertex.position[axis]), 0.5f);
        }
        const float n = vertex.normal[0] * vertex.normal[0] + vertex.normal[1] * vertex.normal[1] +
                        vertex.normal[2] * vertex.normal[2];
        EXPECT_NEAR(n, 1.0f, 1e-4f);
        const float t = vertex.tangent[0] * vertex.tangent[0] + vertex.tangent[1] * vertex.tangent[1] +
                        vertex.tangent[2] * vertex.tangent[2];
        EXPECT_NEAR(t, 1.0f, 1e-3f) << "tangents come from the texture coordinates";
    }
    EXPECT_FALSE(Graphics::Mesh::ReadX("/nonexistent/box.x", vertices, indices, error));
}

TEST(Mesh, TheInstancedCubeHasFourVerticesAFaceOnItsFaces) {
    std::vector<Graphics::MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    Graphics::Mesh::UnitCube(vertices, indices);
    ASSERT_EQ(vertices.size(), 24u);
    ASSERT_EQ(indices.size(), 36u);
    for (const Graphics::MeshVertex& vertex : vertices) {
        // Each vertex lies on the face its normal points out of.
        const float along = vertex.position[0] * vertex.normal[0] + vertex.position[1] * vertex.normal[1] +
                            vertex.position[2] * vertex.normal[2];
        EXPECT_FLOAT_EQ(along, 0.5f);
    }
    // Every triangle winds the same way seen from outside, or culling drops some faces the viewer
    // looks at and keeps others seen from inside.
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        const auto at = [&](std::size_t k) { return glm::make_vec3(vertices[indices[i + k]].position); };
        const glm::vec3 turn = glm::cross(at(1) - at(0), at(2) - at(0));
        EXPECT_GT(glm::dot(turn, glm::make_vec3(vertices[indices[i]].normal)), 0.0f) << "triangle " << i / 3;
    }
}

}  // namespace
