// Reading and sharing the components' meshes.
#include "graphics/MeshLibrary.h"

#include <map>
#include <set>
#include <utility>

#include "engine/PathTable.h"
#include "engine/ProblemReport.h"

namespace Graphics {

std::shared_ptr<const LoadedMesh> MeshLibrary::Load(const std::string& file, bool onDevice) {
    // A level of a hundred crates reads the box once; the meshes go when the last component does,
    // so none outlives the level (or the device).
    static std::map<std::pair<std::string, bool>, std::weak_ptr<const LoadedMesh>> loaded;
    static std::set<std::string> reported;
    const auto key = std::make_pair(file, onDevice);
    if (std::shared_ptr<const LoadedMesh> shared = loaded[key].lock()) {
        return shared;
    }
    auto mesh = std::make_shared<LoadedMesh>();
    std::string error;
    const std::string path = ZELM::PathTable::Instance().Get("Resources") + "Meshes/" + file;
    if (!Mesh::ReadX(path, mesh->vertices, mesh->indices, error, &mesh->subsets)) {
        if (reported.insert(path).second) {
            ZELM_PROBLEM("Graphics::MeshLibrary::Load", "Could not load the mesh \"%s\": %s", file.c_str(),
                         error.c_str());
        }
        return nullptr;
    }
    if (onDevice) {
        mesh->onDevice = Mesh::FromVertices(mesh->vertices, mesh->indices, mesh->subsets);
    }
    loaded[key] = mesh;
    return mesh;
}

}  // namespace Graphics
