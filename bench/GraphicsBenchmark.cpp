// Building the cube list around the camera and the faces it shows, and laying out a screen of text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/LevelMap.h"
#include "graphics/BlockMaterials.h"
#include "graphics/CubeFaces.h"
#include "graphics/CubeList.h"
#include "graphics/TextLayer.h"

namespace {

// A level with every fourth cell a block, in all the block colours.
ZELM::LevelMap MakeLevel() {
    ZELM::LevelMap map;
    map.Create(1000, 1000);
    const unsigned char ids[] = {1, 2, 3, 4, 5, 7, 20, 9};
    for (unsigned x = 0; x < 1000; ++x) {
        for (unsigned y = 0; y < 1000; y += 2) {
            if ((x + y) % 4 == 0) {
                map.SetTileID(x, y, ids[(x / 4 + y) % 8]);
            }
        }
    }
    return map;
}

// range(0) is the camera's distance: 8 scans the default 33 x 33 window; 180 the largest the lists
// hold without running full.
void BuildCubeList(benchmark::State& state) {
    const ZELM::LevelMap map = MakeLevel();
    Graphics::CubeList cubes;
    const float radius = static_cast<float>(state.range(0));
    for (auto _ : state) {
        cubes.Build(16.0f, false, &map, 500.0f, 500.0f, radius, 1.0f);
        benchmark::DoNotOptimize(cubes.GetBackground().data());
    }
    state.counters["cubes"] = static_cast<double>(cubes.GetBackground().size() + cubes.GetBlocks().size());
}
BENCHMARK(BuildCubeList)->Arg(8)->Arg(180)->Unit(benchmark::kMicrosecond);

// The faces of every cube of the default window that no neighbour covers, as each frame finds them
// (the frame adds only the cubes on the screen, nearest first).
void FindVisibleFaces(benchmark::State& state) {
    const ZELM::LevelMap map = MakeLevel();
    Graphics::CubeList cubes;
    cubes.Build(16.0f, false, &map, 500.0f, 500.0f, 8.0f, 1.0f);
    std::vector<Graphics::InstanceRecord> solid;
    for (const Graphics::CubeRecord& block : cubes.GetBlocks()) {
        solid.push_back({Graphics::BlockColour(block.tileId), {block.x, block.y, block.z, 0.0f}});
    }
    for (const Graphics::CubeRecord& wall : cubes.GetBackground()) {
        solid.push_back({Graphics::kBackgroundColour, {wall.x, wall.y, wall.z, 0.0f}});
    }
    Graphics::CubeFaces faces;
    for (auto _ : state) {
        faces.SetSolid(solid);
        faces.Clear();
        for (const Graphics::InstanceRecord& cube : solid) {
            faces.AddVisible(cube);
        }
        benchmark::DoNotOptimize(faces.GetVertices().data());
    }
    state.counters["faces"] = static_cast<double>(faces.GetVertices().size() / 4);
}
BENCHMARK(FindVisibleFaces)->Unit(benchmark::kMicrosecond);

// Forty lines of sixty characters, wrapped at 500 pixels: more text than any screen of the game.
void LayOutScreenOfText(benchmark::State& state) {
    Graphics::TextLayer layer;
    for (int i = 0; i < 40; ++i) {
        Graphics::Text* line = layer.CreateText(10, 14 * i, 500, 1.0f);
        line->text = "Hold the arrow keys to turn gravity; SPACE phases through blue.";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(layer.LayOut().size());
    }
}
BENCHMARK(LayOutScreenOfText)->Unit(benchmark::kMicrosecond);

}  // namespace
