// Drawing the cube list and the glowing blocks.
#include "graphics/LevelRenderer.h"

#include <epoxy/gl.h>

#include <algorithm>

#include "graphics/BlockMaterials.h"
#include "graphics/D3DMath.h"
#include "graphics/PackedTile.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/FaceBuffer.h"
#include "graphics/gl/Mesh.h"
#include "graphics/gl/Texture.h"

namespace Graphics {
namespace {

// The light record: ambient, diffuse, specular (r, g, b, a each), then the position.
void SetLight(Effect& effect, const std::string& name, const glm::vec4& ambient, const glm::vec4& diffuse,
              const glm::vec4& specular, const glm::vec3& position) {
    const float record[15] = {ambient.r,  ambient.g,  ambient.b,  ambient.a,  diffuse.r,
                              diffuse.g,  diffuse.b,  diffuse.a,  specular.r, specular.g,
                              specular.b, specular.a, position.x, position.y, position.z};
    effect.SetRaw(name, record, 15);
}

void SetMaterial(Effect& effect, const Mtrl& material) {
    effect.SetRaw("gMtrl", reinterpret_cast<const float*>(&material), 13);
}

// Whether any of the unit box from the corner can show: false only when all eight corners lie
// beyond one side of the view volume. The cube list reaches well past the screen's edges, and
// every cube left out is vertex and set-up work the software renderer does not do.
bool BoxMayShow(float x, float y, float z, const glm::mat4& viewProj) {
    int outside[6] = {0, 0, 0, 0, 0, 0};
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec4 clip = TransformPoint(
            glm::vec3(x + static_cast<float>(corner & 1), y + static_cast<float>((corner >> 1) & 1),
                      z + static_cast<float>((corner >> 2) & 1)),
            viewProj);
        outside[0] += clip.x < -clip.w;
        outside[1] += clip.x > clip.w;
        outside[2] += clip.y < -clip.w;
        outside[3] += clip.y > clip.w;
        outside[4] += clip.z < 0.0f;
        outside[5] += clip.z > clip.w;
    }
    for (const int count : outside) {
        if (count == 8) {
            return false;
        }
    }
    return true;
}

}  // namespace

LevelRenderer::~LevelRenderer() = default;

void LevelRenderer::Load(const std::string& effectsDirectory, const std::string& meshesDirectory,
                         std::string& errors) {
    effect = Effect::Load(effectsDirectory + "LevelDraw.fx", errors);
    if (effect) {
        effect->SetMatrix("gWorldInv", glm::mat4(1.0f));
        effect->SetTechnique("NormalMapTech");
    }
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    Mesh::UnitCube(vertices, indices);
    cube = Mesh::FromVertices(vertices, indices);
    faceBuffer = std::make_unique<FaceBuffer>();
    std::string meshError;
    box = Mesh::LoadX(meshesDirectory + "TexturedBox.x", meshError);
    if (!box) {
        // Without the file the glow draws the cube it already has: the same unit box.
        box = Mesh::FromVertices(vertices, indices);
    }
}

void LevelRenderer::DrawCubes(const LevelLighting& lighting) {
    if (!effect || !faceBuffer) {
        return;
    }
    // Opaque blocks first: they stand in front of the wall, so the depth test drops the wall's
    // hidden pixels before they are shaded. See-through blocks (unknown tiles) come after the
    // wall, which must be there for them to blend over.
    solid.clear();
    instances.clear();
    seeThrough.clear();
    for (const CubeRecord& block : cubes.GetBlocks()) {
        const std::uint32_t colour = BlockColour(block.tileId);
        const InstanceRecord record{colour, {block.x, block.y, block.z, BlockPatternMark(block.tileId)}};
        const bool shows = BoxMayShow(block.x, block.y, block.z, lighting.viewProj);
        if (colour >> 24 != 0xffu) {
            if (shows) {
                seeThrough.push_back(record);
            }
            continue;
        }
        solid.push_back(record);
        if (shows) {
            instances.push_back(record);
        }
    }
    for (const CubeRecord& wall : cubes.GetBackground()) {
        const InstanceRecord record{kBackgroundColour, {wall.x, wall.y, wall.z, 0.0f}};
        solid.push_back(record);
        if (BoxMayShow(wall.x, wall.y, wall.z, lighting.viewProj)) {
            instances.push_back(record);
        }
    }
    // Nearest first, so that the depth test drops what a nearer cube hides before it is shaded:
    // the wall's sides behind the cubes standing out in front of them. Opaque faces never share a
    // depth, so the order changes no pixel.
    const glm::vec3 eye = lighting.eye - glm::vec3(0.5f);
    const auto distance = [&eye](const InstanceRecord& cube) {
        const glm::vec3 apart = glm::vec3(cube.position[0], cube.position[1], cube.position[2]) - eye;
        return glm::dot(apart, apart);
    };
    std::sort(
        instances.begin(), instances.end(),
        [&distance](const InstanceRecord& a, const InstanceRecord& b) { return distance(a) < distance(b); });
    // A face against a neighbouring cube is hidden where the neighbour fills the depth it spans:
    // the wall's sides mostly are, and a software renderer pays for every pixel it rasterises.
    faces.SetSolid(solid);
    faces.Clear();
    for (const InstanceRecord& cube : instances) {
        faces.AddVisible(cube);
    }
    const std::size_t opaqueFaces = faces.GetVertices().size() / 4;
    for (const InstanceRecord& cube : seeThrough) {
        faces.AddWhole(cube);
    }
    faceBuffer->Fill(faces.GetVertices());
    const Texture* packed = PackedTile(lighting.tile, lighting.tileNormal);
    const float v = cubes.GetPhaseFade();
    // While phasing, the player's light turns blue.
    SetLight(*effect, "gLight", {0, 0, 0, 1}, {0.3f * v, 0.3f * v, v, 1}, {0.3f * v, 0.3f * v, v, 1},
             lighting.playerLight);
    SetLight(*effect, "gLight2", {0.3f, 0.3f, 0.3f, 1}, {0.6f, 0.6f, 0.6f, 1}, {0.2f, 0.2f, 0.2f, 1},
             glm::vec3(0.0f));
    effect->SetMatrix("gWVP", lighting.viewProj);
    effect->SetVector("gEyePosW", glm::vec4(lighting.eye, 1.0f));
    effect->SetFloat("intensity", lighting.intensity);
    effect->SetTexture("gTex", packed != nullptr ? packed : lighting.tile);
    effect->SetTexture("gNormalMap", lighting.tileNormal);
    effect->SetTexture("gPatterns", lighting.patterns);
    effect->SetBool("flatShade", false);
    // Reading a texture is most of what a wall pixel costs the software renderer: one read, not two.
    effect->SetTechnique(packed != nullptr ? "PackedFaces" : "Faces");
    effect->Begin();
    effect->BeginPass(0);
    // Only the faces turned to the viewer: a cube's far faces lie behind its near ones anyway. In
    // the left-handed convention the cube's outward faces wind clockwise on the screen, which
    // OpenGL calls its front, so the front is what is culled.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    // Opaque cubes need no blending, which saves reading back every pixel they cover.
    glDisable(GL_BLEND);
    faceBuffer->Draw(0, opaqueFaces);
    glEnable(GL_BLEND);
    faceBuffer->Draw(opaqueFaces, faces.GetVertices().size() / 4 - opaqueFaces);
    glDisable(GL_CULL_FACE);
    effect->EndPass();
    effect->End();
}

const Texture* LevelRenderer::PackedTile(const Texture* colour, const Texture* relief) {
    if (!packTiles || colour == nullptr || relief == nullptr) {
        return nullptr;
    }
    if (colour->GetSerial() != packedFrom[0] || relief->GetSerial() != packedFrom[1]) {
        packedFrom[0] = colour->GetSerial();
        packedFrom[1] = relief->GetSerial();
        packedTexture.reset();
        if (colour->GetWidth() == relief->GetWidth() && colour->GetHeight() == relief->GetHeight()) {
            std::vector<std::uint8_t> colourPixels;
            std::vector<std::uint8_t> reliefPixels;
            std::vector<std::uint8_t> both;
            colour->ReadPixels(colourPixels);
            relief->ReadPixels(reliefPixels);
            if (PackTile(colourPixels, reliefPixels, both)) {
                packedTexture = Texture::FromPixels(colour->GetWidth(), colour->GetHeight(), both.data());
            }
        }
    }
    return packedTexture.get();
}

void LevelRenderer::DrawGlowingBlocks(const LevelLighting& lighting) {
    if (!effect || !cube || cubes.GetBlocks().empty()) {
        return;
    }
    glowing.clear();
    for (const CubeRecord& block : cubes.GetBlocks()) {
        const Mtrl* glow = GlowMaterial(block.tileId);
        if (glow != nullptr && BoxMayShow(block.x, block.y, block.z, lighting.viewProj)) {
            glowing.push_back({ColourToArgb(glow->diffuse) | 0xff000000u, {block.x, block.y, block.z, 0.0f}});
        }
    }
    effect->SetTechnique("GlowInstance");
    effect->SetMatrix("gWVP", lighting.viewProj);
    effect->SetFloat("intensity", lighting.intensity);
    effect->Begin();
    effect->BeginPass(0);
    // One draw for them all: each draw of its own costs the software renderer more than its pixels.
    // Every face, unlike the level's cubes: the glow picture is not the window, and culling its
    // far faces there takes near ones away.
    cube->DrawInstanced(glowing);
    effect->EndPass();
    effect->End();
}

bool LevelRenderer::BeginMeshDraw(const LevelLighting& lighting, const glm::mat4& world,
                                  const Texture* colour, const Texture* normal, MeshLook look) {
    if (!effect) {
        return false;
    }
    effect->SetMatrix("gWVP", world * lighting.viewProj);
    const float length = glm::length(lighting.playerLight);
    const glm::vec3 direction = length > 0.0f ? lighting.playerLight / length : glm::vec3(0.0f);
    SetLight(*effect, "gLight", {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, direction);
    if (look == MeshLook::kFlat) {
        const float v = cubes.GetPhaseFade();
        const Mtrl phase = {{0.0f, 0.3f, v > 0.0f ? v : 0.0f, 1.0f}, {0, 0, 1, 1}, {1, 1, 1, 1}, 32.0f};
        effect->SetTechnique("FlatMtrlTech");
        SetMaterial(*effect, phase);
    } else {
        effect->SetTechnique(look == MeshLook::kGhost ? "GhostTech" : "NormalMapTech");
        SetMaterial(*effect, BlockMaterials()[10]);
    }
    effect->SetVector("gEyePosW", glm::vec4(lighting.eye, 1.0f));
    effect->SetFloat("intensity", lighting.intensity);
    // A mesh is lit as a mesh whatever was drawn with the effect before it.
    effect->SetBool("flatShade", false);
    effect->SetMatrix("gWorldInv", glm::inverse(world));
    effect->SetTexture("gTex", colour);
    effect->SetTexture("gNormalMap", normal);
    effect->Begin();
    effect->BeginPass(0);
    return true;
}

void LevelRenderer::EndMeshDraw() {
    if (effect) {
        effect->EndPass();
        effect->End();
    }
}

}  // namespace Graphics
