// Mesh files read once and shared by every graphic component that draws them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/gl/Mesh.h"

namespace Graphics {

// A mesh file's triangles, kept in memory for picking (headless too), and its mesh on the device
// when there is one.
struct LoadedMesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<MeshSubset> subsets;
    std::unique_ptr<Mesh> onDevice;  // null without a device
};

class MeshLibrary {
public:
    // The mesh of the file in the meshes directory ("Resources" + "Meshes/"), shared while any
    // component holds it; `onDevice` also puts it on the device. A file that does not load is
    // reported once and gives null.
    static std::shared_ptr<const LoadedMesh> Load(const std::string& file, bool onDevice);
};

}  // namespace Graphics
