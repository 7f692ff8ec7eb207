// Indexed triangle geometry with a tangent frame, drawn once or once per instance.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Graphics {

// The vertex every mesh and the instanced cube use (56 bytes).
struct MeshVertex {
    float position[3];
    float tangent[3];
    float binormal[3];
    float normal[3];
    float uv[2];
};
static_assert(sizeof(MeshVertex) == 56, "stream 0 of the instanced cube is 56 bytes a vertex");

// What each instance of the cube reads (20 bytes): colour as ARGB, then x, y, z, w.
struct InstanceRecord {
    std::uint32_t colour;
    float position[4];
};
static_assert(sizeof(InstanceRecord) == 20, "stream 1 of the instanced cube is 20 bytes an instance");

// The faces of one material of a mesh: a run of its index list, and the texture file the
// material names ("" when none).
struct MeshSubset {
    int material = 0;
    std::uint32_t firstIndex = 0;
    std::uint32_t indexCount = 0;
    std::string texture;
};

class Mesh {
public:
    // Reads the vertices of a ".x" file (every sub-mesh joined): triangulated, with normals made
    // when the file has none and tangents from texture coordinate 0, in the file's own left-handed
    // frame. With `subsets`, each material's run of indices too. False with `error` set when the
    // file does not load; needs no context.
    static bool ReadX(const std::string& path, std::vector<MeshVertex>& vertices,
                      std::vector<std::uint32_t>& indices, std::string& error,
                      std::vector<MeshSubset>* subsets = nullptr);
    static std::unique_ptr<Mesh> LoadX(const std::string& path, std::string& error);
    static std::unique_ptr<Mesh> FromVertices(const std::vector<MeshVertex>& vertices,
                                              const std::vector<std::uint32_t>& indices,
                                              std::vector<MeshSubset> subsets = {});
    // The unit cube centred on the origin: 24 vertices, 4 to a face, 36 indices.
    static void UnitCube(std::vector<MeshVertex>& vertices, std::vector<std::uint32_t>& indices);
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    void Draw() const;
    // Draws the faces of one material; a material the mesh does not have draws nothing.
    void DrawSubset(int material) const;
    // Draws the mesh once for each record, rewriting the instance buffer.
    void DrawInstanced(const std::vector<InstanceRecord>& instances);

private:
    Mesh() = default;
    unsigned vao = 0;
    unsigned vertexBuffer = 0;
    unsigned indexBuffer = 0;
    unsigned instanceBuffer = 0;
    int indexCount = 0;
    std::vector<MeshSubset> subsets;
};

}  // namespace Graphics
