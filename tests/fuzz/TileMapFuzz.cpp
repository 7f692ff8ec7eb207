// Tile map files: loaded, read tile by tile at the edges, and written back to text.
#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "engine/LevelMap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FallwardFuzz::EnterScratchData();
    const std::string path = "../Resources/Levels/Tiles/fuzzed";
    FallwardFuzz::WriteInput(path, data, size);
    ZELM::LevelMap map;
    map.SetFileName(path);
    map.Load();
    if (map.IsLoaded()) {
        volatile unsigned sum = 0;
        for (std::uint32_t x : {map.GetMinX(), map.GetMaxX(), map.GetMaxX() + 1}) {
            for (std::uint32_t y : {map.GetMinY(), map.GetMaxY(), map.GetMaxY() + 1}) {
                sum = sum + map.GetTileID(x, y);
                map.SetTileID(x, y, 7);
            }
        }
        map.Resize(map.GetWidth() / 2 + 1, map.GetHeight() / 2 + 1);
        (void)map.Serialize();
    }
    return 0;
}
