// The model's textures and its turn toward the mouse.
#include "graphics/Model.h"

#include <filesystem>

#include "graphics/D3DMath.h"

namespace Graphics {

void Model::Init() {
    MeshGraphic::Init();
    textures.clear();
    if (mesh != nullptr) {
        for (const MeshSubset& subset : mesh->subsets) {
            // Materials name files; assets go by the file's stem.
            textures.push_back(FindTexture(std::filesystem::path(subset.texture).stem().string()));
        }
    }
}

void Model::Update(float dt) {
    MeshGraphic::Update(dt);
    const bool free = engine.IsBound("GetDebugDraw") && !engine.Call<bool>("GetDebugDraw");
    if (!free || !engine.IsBound("xMouse") || !engine.IsBound("GetScreenWidth")) {
        return;
    }
    const int width = engine.Call<int>("GetScreenWidth");
    if (width > 0) {
        // Across the window, from a quarter turn left to a quarter turn right.
        const float across =
            2.0f * static_cast<float>(engine.Call<int>("xMouse")) / static_cast<float>(width) - 1.0f;
        World() = RotationY(-0.785f * across) * World();
    }
}

void Model::Draw() {
    if (mesh == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < mesh->subsets.size(); ++i) {
        colour = textures[i];
        DrawMesh(World(), MeshLook::kLit, {mesh->subsets[i].material});
    }
}

}  // namespace Graphics
