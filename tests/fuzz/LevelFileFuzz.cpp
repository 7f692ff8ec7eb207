// Level files through the content pipeline, with the logic and physics services' components registered.
#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "engine/ContentPipeline.h"
#include "engine/DelayedCallQueue.h"
#include "engine/Engine.h"
#include "engine/ShortName.h"
#include "logic/LogicService.h"
#include "physics/PhysicsService.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ZELM::Engine& engine = [] () -> ZELM::Engine& {
        FallwardFuzz::EnterScratchData();
        ZELM::Engine& created = ZELM::Engine::Instance();
        created.AddService(ZELM::ShortName("Logic::LogicService"), new Logic::LogicService());
        created.AddService(ZELM::ShortName("Kestrin::PhysicsService"), new Kestrin::PhysicsService());
        created.StartServices();
        return created;
    }();
    const std::string path = "../Resources/Levels/Fuzzed.xml";
    FallwardFuzz::WriteInput(path, data, size);
    engine.GetContentPipeline().Load(path);
    engine.GetEntities().DestroyAllEntities();
    // Nothing runs the frames that would take the calls a file posted; they must not pile up.
    ZELM::DelayedCallQueue::Instance().Clear();
    return 0;
}
