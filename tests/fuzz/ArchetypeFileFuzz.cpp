// Archetype files: read into the archetype table, then applied to an entity as the game does.
#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "engine/ArchetypeTable.h"
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
    const std::string directory = "../Resources/Archetypes/";
    FallwardFuzz::WriteInput(directory + "fuzzed.xml", data, size);
    // A file that does not parse is left out, so the previous input's archetype must not linger.
    ZELM::ArchetypeTable::DestroyInstance();
    ZELM::ArchetypeTable::Instance().LoadDirectory(directory);
    engine.GetEntities().CreateFromArchetype("thing", "fuzzed");
    engine.GetEntities().DestroyAllEntities();
    // Nothing runs the frames that would take the calls a file posted; they must not pile up.
    ZELM::DelayedCallQueue::Instance().Clear();
    return 0;
}
