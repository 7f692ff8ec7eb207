// The cubes of the level around the camera: blocks, and the wall of background cubes behind them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace ZELM {
class LevelMap;
}

namespace Graphics {

struct CubeRecord {
    unsigned char tileId = 1;  // 1 for background cubes
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool animated = false;
};

class CubeList {
public:
    // The most cubes each list holds; a camera far enough out to see more draws the first ones.
    static constexpr std::size_t kCapacity = 90000;

    CubeList();

    // Rebuilds both lists for a camera looking at (cameraX, cameraY) from `radius` away. dt is in
    // milliseconds; `phasing` whether the phase key is held this frame. No map: both lists empty.
    void Build(float dt, bool phasing, const ZELM::LevelMap* map, float cameraX, float cameraY, float radius,
               float intensity);

    // A new level's wall starts its wave from the beginning, with no phasing faded in, as the first
    // level of a run does.
    void Restart() {
        phaseFade = 0.0f;
        levelTimer = 0.0f;
    }

    const std::vector<CubeRecord>& GetBlocks() const { return blocks; }
    const std::vector<CubeRecord>& GetBackground() const { return background; }
    // The phase fade: rises towards 1 over 200 ms while phasing, falls back otherwise.
    float GetPhaseFade() const { return phaseFade; }
    float GetLevelTimer() const { return levelTimer; }
    float GetHeight(std::size_t index) const { return heights[index % heights.size()]; }

private:
    std::vector<CubeRecord> blocks;
    std::vector<CubeRecord> background;
    std::array<float, 256> heights{};
    float phaseFade = 0.0f;
    float levelTimer = 0.0f;
};

}  // namespace Graphics
