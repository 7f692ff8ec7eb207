// A whole frame of a level on the real OpenGL device, against a frame that only clears and presents.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/AssetManager.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "graphics/GraphicsService.h"
#include "graphics/TextureLoader.h"
#include "graphics/gl/Device.h"
#include "windows/WindowHandles.h"

namespace {

// One window and service for every benchmark of the run; null when no OpenGL 3.3 context is had.
Graphics::GraphicsService* Service() {
    static std::unique_ptr<Graphics::GraphicsService> service;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return nullptr;
        }
        Windows::windowHandle = SDL_CreateWindow("frame benchmark", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
        if (Windows::windowHandle == nullptr) {
            return nullptr;
        }
        ZELM::PathTable::Instance().Set("Resources", std::string(FALLWARD_RESOURCES) + "/");
        service = std::make_unique<Graphics::GraphicsService>(false);
        service->SetMessageBox([](const std::string&, const std::string&) {});
        service->Bind();
        service->Init();
        Graphics::TextureLoader loader;
        for (const char* name : {"tile1", "tilenormal"}) {
            ZELM::AssetManager::Instance().Add(
                name, loader.Load(std::string(FALLWARD_RESOURCES) + "/Textures/" + name + ".png"));
        }
    }
    return service && !service->GetDevice()->IsNull() ? service.get() : nullptr;
}

// Blocks of every colour on a quarter of the cells around the camera.
ZELM::LevelMap& Level() {
    static ZELM::LevelMap map;
    if (!map.IsLoaded()) {
        map.Create(64, 64);
        const unsigned char ids[] = {1, 2, 3, 4, 5, 7, 20, 9};
        for (unsigned x = 0; x < 64; ++x) {
            for (unsigned y = 0; y < 64; y += 2) {
                if ((x + y) % 4 == 0) {
                    map.SetTileID(x, y, ids[(x / 4 + y) % 8]);
                }
            }
        }
    }
    return map;
}

void WholeFrame(benchmark::State& state) {
    Graphics::GraphicsService* service = Service();
    if (service == nullptr) {
        state.SkipWithError("no OpenGL 3.3 context (run under xvfb-run)");
        return;
    }
    service->SetLevelDrawingPointer(&Level());
    service->AddText()->text = "Hold the arrow keys to turn gravity; SPACE phases through blue blocks.";
    service->Update(16.0f);
    service->SetCamTargetX(32.0f);
    service->SetCamTargetY(32.0f);
    for (auto _ : state) {
        service->Update(16.0f);
        service->Present();
    }
    state.counters["cubes"] = service->GetTotalCubesDrawn();
}
BENCHMARK(WholeFrame)->Unit(benchmark::kMillisecond);

void ClearAndPresent(benchmark::State& state) {
    Graphics::GraphicsService* service = Service();
    if (service == nullptr) {
        state.SkipWithError("no OpenGL 3.3 context (run under xvfb-run)");
        return;
    }
    for (auto _ : state) {
        service->GetDevice()->BeginMain(0xff505050u);
        service->Present();
    }
}
BENCHMARK(ClearAndPresent)->Unit(benchmark::kMillisecond);

}  // namespace
