// Draws the level: the visible faces of the cube list with the level effect, and its glowing blocks.
#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <string>

#include "graphics/CubeFaces.h"
#include "graphics/CubeList.h"
#include "graphics/gl/Mesh.h"

namespace Graphics {

class Effect;
class FaceBuffer;
class Mesh;
class Texture;

// How a mesh is drawn: lit and normal-mapped, flat in the blue of phasing (the glow pass), or as
// a see-through, tinted ghost.
enum class MeshLook { kLit, kFlat, kGhost };

// What the level's drawing reads from the rest of the frame.
struct LevelLighting {
    glm::mat4 viewProj{1.0f};
    glm::vec3 eye{0.0f};
    glm::vec3 playerLight{0.0f};
    float intensity = 1.0f;
    const Texture* tile = nullptr;
    const Texture* tileNormal = nullptr;
    const Texture* patterns = nullptr;  // the block patterns, one square cell under the other
};

class LevelRenderer {
public:
    // Loads "LevelDraw.fx" from the effects directory and "TexturedBox.x" from the meshes directory,
    // and makes the cube and the face buffer. A failed effect is described in `errors` and leaves the level
    // undrawn; the cube list is still built.
    void Load(const std::string& effectsDirectory, const std::string& meshesDirectory, std::string& errors);
    ~LevelRenderer();

    CubeList& GetCubes() { return cubes; }
    Effect* GetEffect() { return effect.get(); }

    // The faces of the cubes on the screen that no neighbour covers, nearest cube first, then the
    // see-through blocks over them.
    void DrawCubes(const LevelLighting& lighting);
    // The coloured blocks, each in its glow material's diffuse colour, in one instanced draw.
    void DrawGlowingBlocks(const LevelLighting& lighting);
    // Sets the level effect up for one mesh at `world` in the look and begins its pass. The
    // caller draws the mesh, then calls EndMeshDraw. False (and nothing begun) without the effect.
    bool BeginMeshDraw(const LevelLighting& lighting, const glm::mat4& world, const Texture* colour,
                       const Texture* normal, MeshLook look);
    void EndMeshDraw();
    // The box every block and crate is drawn with.
    Mesh* GetBox() { return box.get(); }
    // Whether the wall may read its tile picture and relief from one packed texture (see
    // PackTile); on unless turned off, which draws the same picture from the two textures.
    void SetTilePacking(bool on) { packTiles = on; }

private:
    // The packed texture of the two, made again only when either is another texture; null when
    // packing is off or the two cannot be packed.
    const Texture* PackedTile(const Texture* colour, const Texture* relief);

    CubeList cubes;
    std::unique_ptr<Effect> effect;
    std::unique_ptr<Mesh> cube;
    std::unique_ptr<Mesh> box;
    std::unique_ptr<FaceBuffer> faceBuffer;
    CubeFaces faces;
    std::vector<InstanceRecord> solid;       // every opaque cube of the list, on the screen or not
    std::vector<InstanceRecord> instances;   // the opaque cubes of the frame
    std::vector<InstanceRecord> seeThrough;  // the blended ones, drawn over them
    std::vector<InstanceRecord> glowing;     // the blocks of the frame in their glow colours
    bool packTiles = true;
    std::unique_ptr<Texture> packedTexture;
    std::uint64_t packedFrom[2] = {0, 0};  // the serials of the colour and relief it was made from
};

}  // namespace Graphics
