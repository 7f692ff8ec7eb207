// Drawing the editor's cell outline as four thin bars of the block mesh.
#include "graphics/CellOutline.h"

#include <glm/glm.hpp>

#include "graphics/D3DMath.h"
#include "graphics/LevelRenderer.h"
#include "graphics/gl/Mesh.h"

namespace Graphics {

void CellOutline::Set(int x, int y) {
    asked = true;
    cellX = x;
    cellY = y;
}

void CellOutline::Draw(LevelRenderer& level, const LevelLighting& lighting, bool nullDevice) {
    if (!asked) {
        return;
    }
    asked = false;
    Mesh* box = level.GetBox();
    if (nullDevice || box == nullptr) {
        return;
    }
    // Four thin bars around the cell, in front of the blocks so they are seen over them.
    constexpr float kThickness = 0.08f;
    constexpr float kFront = -0.7f;
    const float left = static_cast<float>(cellX);
    const float bottom = static_cast<float>(cellY);
    const struct {
        float x, y, width, height;
    } bars[] = {{left + 0.5f, bottom, 1.0f + kThickness, kThickness},
                {left + 0.5f, bottom + 1.0f, 1.0f + kThickness, kThickness},
                {left, bottom + 0.5f, kThickness, 1.0f + kThickness},
                {left + 1.0f, bottom + 0.5f, kThickness, 1.0f + kThickness}};
    for (const auto& bar : bars) {
        const glm::mat4 world =
            Scaling(bar.width, bar.height, kThickness) * Translation(bar.x, bar.y, kFront);
        if (level.BeginMeshDraw(lighting, world, nullptr, nullptr, MeshLook::kFlat)) {
            box->Draw();
            level.EndMeshDraw();
        }
    }
}

}  // namespace Graphics
