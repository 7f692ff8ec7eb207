// Loading a level of 1,000 entities with three components each, and a 1,000 x 1,000 tile map.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include "engine/ComponentRegistry.h"
#include "engine/ContentPipeline.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/LevelMap.h"
#include "engine/XmlWriter.h"
#include "logic/LogicService.h"

namespace {

namespace fs = std::filesystem;

// Two more component types with a handful of properties, standing in for a body and a model.
class Body : public ZELM::Component {
public:
    void Bind() override {
        BindProperty(&mass, "Inverse Mass", true, true);
        BindProperty(&bounce, "Restitution", true, true);
        BindProperty(&friction, "Friction", true, true);
        BindProperty(&fixed, "Fixed", true, true);
    }
    void Init() override {}
    void Update(float) override {}
    float mass = 1.0f, bounce = 0.5f, friction = 0.2f;
    bool fixed = false;
};

class Model : public ZELM::Component {
public:
    void Bind() override {
        BindProperty(&mesh, "Mesh", true, true);
        BindProperty(&texture, "Texture", true, true);
        BindProperty(&tint, "Tint", true, true);
    }
    void Init() override {}
    void Update(float) override {}
    std::string mesh = "TexturedBox", texture = "crate";
    unsigned tint = 0xffffffffu;
};

struct LevelFixture {
    LevelFixture() {
        directory = fs::temp_directory_path() / ("fallward-bench-" + std::to_string(::getpid()));
        fs::create_directories(directory);
        path = (directory / "Big.xml").string();
        services.emplace_back(new Logic::LogicService());
        services.back()->SetServiceName("Logic");
        services.back()->Bind();
        services.back()->Init();
        ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
        registry.Register<Body>("Logic", "Body");
        registry.Register<Model>("Logic", "Model");
        registry.SetServices(&services);
        registry.SetEntities(&entities);

        for (int i = 0; i < 1000; ++i) {
            ZELM::EntityHandle entity = entities.Create("Entity" + std::to_string(i));
            for (const char* type : {"Physical", "Body", "Model"}) {
                ZELM::Component* component = registry.Create("Logic", type);
                entity.Resolve()->AddComponent(component);
                component->Bind();
            }
        }
        ZELM::XmlWriter writer(path, "Level");
        struct Saver : ZELM::IVisitor<ZELM::EntityHandle> {
            explicit Saver(ZELM::XmlWriter& writer) : writer(writer) {}
            void Visit(ZELM::EntityHandle& entity) override { entity.Resolve()->Save(writer); }
            ZELM::XmlWriter& writer;
        } saver(writer);
        entities.VisitEntities(saver);
        writer.Save();
        entities.DestroyAllEntities();
    }
    ~LevelFixture() {
        entities.DestroyAllEntities();
        services.clear();
        ZELM::ComponentRegistry::DestroyInstance();
        fs::remove_all(directory);
    }

    fs::path directory;
    std::string path;
    std::vector<std::unique_ptr<ZELM::Service>> services;
    ZELM::EntityController entities;
};

void LoadLevelOf1000Entities(benchmark::State& state) {
    LevelFixture fixture;
    ZELM::ContentPipeline pipeline;
    for (auto _ : state) {
        pipeline.Load(fixture.path);
        state.PauseTiming();
        if (fixture.entities.Size() != 1000) {
            state.SkipWithError("the level did not load");
        }
        fixture.entities.DestroyAllEntities();
        state.ResumeTiming();
    }
}
BENCHMARK(LoadLevelOf1000Entities)->Unit(benchmark::kMillisecond);

// The floor for the load above: the same file parsed by the XML library alone.
void TinyXmlParseOf1000Entities(benchmark::State& state) {
    LevelFixture fixture;
    for (auto _ : state) {
        TiXmlDocument document;
        if (!document.LoadFile(fixture.path.c_str())) {
            state.SkipWithError("the level did not parse");
        }
        benchmark::DoNotOptimize(document.RootElement());
    }
}
BENCHMARK(TinyXmlParseOf1000Entities)->Unit(benchmark::kMillisecond);

struct MapFixture {
    MapFixture() {
        path = (fs::temp_directory_path() / ("fallward-bench-map-" + std::to_string(::getpid()))).string();
        map.SetFileName(path);
        map.Create(1000, 1000);
        for (std::uint32_t y = 0; y < 1000; ++y) {
            for (std::uint32_t x = 0; x < 1000; ++x) {
                map.SetTileID(x, y, static_cast<unsigned char>((x * 7 + y * 3) % 21));
            }
        }
        map.Save();
    }
    ~MapFixture() { fs::remove(path); }
    std::string path;
    ZELM::LevelMap map;
};

void LoadTileMap1000x1000(benchmark::State& state) {
    MapFixture fixture;
    for (auto _ : state) {
        fixture.map.Free();
        fixture.map.Load();
        benchmark::DoNotOptimize(fixture.map.GetTileID(500, 500));
    }
}
BENCHMARK(LoadTileMap1000x1000)->Unit(benchmark::kMillisecond);

void SaveTileMap1000x1000(benchmark::State& state) {
    MapFixture fixture;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.map.Save());
    }
}
BENCHMARK(SaveTileMap1000x1000)->Unit(benchmark::kMillisecond);

}  // namespace
