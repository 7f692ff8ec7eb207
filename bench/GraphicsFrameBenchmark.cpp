// A whole frame of Level1 (its tiles, the player, the power-up and the gravity zone, the dust and
// the glow) on the real OpenGL device, with 0, 1 and 4 of the graphics' ticks in it, against a
// frame that only clears and presents.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/AssetManager.h"
#include "engine/ComponentRegistry.h"
#include "engine/EmbeddedVisitor.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/InitVisitor.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "engine/Physical.h"
#include "engine/ProblemReport.h"
#include "engine/Service.h"
#include "engine/XmlReader.h"
#include "graphics/GraphicsService.h"
#include "graphics/TextureLoader.h"
#include "graphics/gl/Device.h"
#include "windows/WindowHandles.h"

namespace {

// Gives the level's entities their places; the game's logic service is not needed to draw them.
class LogicStandIn : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {
        ZELM::ComponentRegistry::Instance().Register<ZELM::Physical>("Logic", "Physical");
    }
    void Update(float) override {}
};

std::vector<std::unique_ptr<ZELM::Service>> services;
ZELM::EntityController entities;

// One window and service for every benchmark of the run; null when no OpenGL 3.3 context is had.
Graphics::GraphicsService* Service() {
    static Graphics::GraphicsService* service = nullptr;
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
        services.push_back(std::make_unique<LogicStandIn>());
        services.back()->SetServiceName("Logic");
        auto graphics = std::make_unique<Graphics::GraphicsService>(false);
        service = graphics.get();
        service->SetServiceName("Graphics");
        service->SetMessageBox([](const std::string&, const std::string&) {});
        services.push_back(std::move(graphics));
        for (std::unique_ptr<ZELM::Service>& each : services) {
            each->Bind();
            each->Init();
        }
        ZELM::ComponentRegistry::Instance().SetServices(&services);
        ZELM::ComponentRegistry::Instance().SetEntities(&entities);
        // Every texture, as the game loads them: the player's face and the zone's field among them.
        Graphics::TextureLoader loader;
        for (const auto& file :
             std::filesystem::directory_iterator(std::string(FALLWARD_RESOURCES) + "/Textures")) {
            if (file.path().extension() == ".png") {
                ZELM::AssetManager::Instance().Add(file.path().stem().string(),
                                                   loader.Load(file.path().string()));
            }
        }
    }
    return service != nullptr && !service->GetDevice()->IsNull() ? service : nullptr;
}

// Level1's tile map.
ZELM::LevelMap& Level() {
    static ZELM::LevelMap map;
    if (!map.IsLoaded()) {
        map.SetFileName(std::string(FALLWARD_RESOURCES) + "/Levels/Tiles/Level1");
        map.Load();
    }
    return map;
}

// Level1's entities with their places and graphics; the components of services this program does
// not run (logic, physics) are left out, and the reports of leaving them out are not wanted here.
void LoadLevelEntities() {
    if (entities.Get("Player").IsNull() == false) {
        return;
    }
    const ZELM::ProblemSink previous =
        ZELM::SetProblemSink([](const ZELM::Problem&) { return ZELM::ProblemChoice::Continue; });
    ZELM::XmlReader reader(std::string(FALLWARD_RESOURCES) + "/Levels/Level1.xml");
    if (reader.BeginElement("Tiles")) {
        std::string tiles;
        reader.Serialize(tiles);
    }
    // The level's scripts need the logic service; skipped, as the level file lists them before
    // its entities.
    if (reader.BeginElement("Scripts")) {
        std::string script;
        for (int i = 0; i < 3; ++i) {
            reader.Serialize(script);
        }
    }
    while (reader.IsAt("Entity")) {
        const TiXmlNode* element = reader.GetCursor();
        reader.BeginElement("Entity");
        std::string name;
        std::string archetype;
        reader.Serialize(name);
        reader.Serialize(archetype);
        ZELM::EntityHandle entity = entities.Create(name);
        entity.Resolve()->LoadComponents(reader, *element);
    }
    ZELM::InitVisitor init;
    ZELM::EmbeddedVisitor initEveryEntity(init);
    entities.VisitEntities(initEveryEntity);
    ZELM::SetProblemSink(previous);
}

// Processor time of every thread of the process so far.
double ProcessCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) * 1e-3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The graphics' part of one tick.
void Tick(Graphics::GraphicsService& service) {
    service.BeginTick();
    service.Update(16.6667f);
}

void WholeFrame(benchmark::State& state) {
    Graphics::GraphicsService* service = Service();
    if (service == nullptr) {
        state.SkipWithError("no OpenGL 3.3 context (run under xvfb-run)");
        return;
    }
    LoadLevelEntities();
    ZELM::EntityHandle player = entities.Get("Player");
    if (player.IsNull() || player.Resolve()->GetComponent("GravityGuyGraphic") == nullptr ||
        entities.Get("PowerUp1").IsNull() || entities.Get("GravityZone").IsNull()) {
        state.SkipWithError("Level1 lacks the player, the power-up or the gravity zone");
        return;
    }
    service->SetLevelDrawingPointer(&Level());
    service->AddText()->text = "Hold the arrow keys to turn gravity; SPACE phases through blue blocks.";
    // The player's gravity sphere at the radius the player's logic gives it.
    service->SetGravRadius(3.0f);
    Tick(*service);
    // The player beside the power-up, framed with it and the gravity zone below, so that every
    // kind of thing the level draws is on the screen.
    ZELM::EntityHandle powerUp = entities.Get("PowerUp1");
    player.Resolve()->CallAll("SetX", powerUp.Resolve()->Call<float>("GetX") + 2.0f);
    player.Resolve()->CallAll("SetY", powerUp.Resolve()->Call<float>("GetY"));
    service->SetCamTargetX(powerUp.Resolve()->Call<float>("GetX") + 1.0f);
    service->SetCamTargetY(powerUp.Resolve()->Call<float>("GetY") - 2.0f);
    const int ticks = static_cast<int>(state.range(0));
    const double startCpu = ProcessCpuMilliseconds();
    for (auto _ : state) {
        for (int tick = 0; tick < ticks; ++tick) {
            Tick(*service);
        }
        service->UpdateFrame(16.6667f);
        service->Present();
    }
    // The renderer's own threads draw most of a frame: the benchmark thread's time leaves them out.
    state.counters["all threads ms"] =
        (ProcessCpuMilliseconds() - startCpu) / static_cast<double>(state.iterations());
    state.counters["cubes"] = service->GetTotalCubesDrawn();
    state.counters["components"] = static_cast<double>(service->GetComponents().size());
}
BENCHMARK(WholeFrame)->ArgName("ticks")->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

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
