// Building the cube list from the tile map around the camera.
#include "graphics/CubeList.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/LevelMap.h"
#include "graphics/BlockMaterials.h"

namespace Graphics {

CubeList::CubeList() {
    // A fixed seed: the wall's relief is the same every run, so screenshots repeat.
    std::minstd_rand random(20070);
    for (float& height : heights) {
        height = static_cast<float>(random() % 32767u) / 32767.0f;
    }
    blocks.reserve(kCapacity);
    background.reserve(kCapacity);
}

void CubeList::Build(float dt, bool phasing, const ZELM::LevelMap* map, float cameraX, float cameraY,
                     float radius, float intensity) {
    blocks.clear();
    background.clear();
    // Deliberately unclamped: the fade may pass 1 or 0 by one step, as the light colours expect.
    if (phasing && phaseFade < 1.0f) {
        phaseFade += dt / 200.0f;
    } else if (!phasing && phaseFade > 0.0f) {
        phaseFade -= dt / 200.0f;
    }
    levelTimer += dt;
    if (map == nullptr) {
        return;
    }
    const float half = std::max(0.8f * radius, 15.0f);
    // Lookups take world tile coordinates and tiles are drawn where the tile collision puts them,
    // so the window is centred on the camera target itself.
    const int firstColumn = static_cast<int>(cameraX - half - 1.0f);
    const int lastColumn = static_cast<int>(cameraX + half + 1.0f);
    const int firstRow = static_cast<int>(cameraY - half - 1.0f);
    const int lastRow = static_cast<int>(cameraY + half + 1.0f);
    const std::uint32_t width = map->GetWidth();
    const float waveScale = ((intensity - 1.0f) * 5.0f + 1.0f) * 0.8f;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            if (background.size() >= kCapacity) {
                return;
            }
            const unsigned char tile =
                map->GetTileID(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(r));
            const float h =
                heights[(width * static_cast<std::uint32_t>(r) + static_cast<std::uint32_t>(c)) % 256u];
            CubeRecord wall;
            wall.x = static_cast<float>(c);
            wall.y = static_cast<float>(r);
            const bool block = IsDrawnTile(tile);
            if (!block) {
                const float wave = 0.5f * std::sin((1.0f + h) * levelTimer * 0.004f + h * 3.141592f);
                wall.z = 1.5f + wave * waveScale;
                wall.animated = true;
            } else {
                wall.z = 1.0f - 0.3f * h;
            }
            background.push_back(wall);
            if (block && blocks.size() < kCapacity) {
                CubeRecord cube;
                cube.tileId = tile;
                cube.x = wall.x;
                cube.y = wall.y;
                cube.z = -0.3f * h;
                blocks.push_back(cube);
            }
        }
    }
}

}  // namespace Graphics
