// Archetype files: read into the archetype table, then applied to an entity as the game does.
#include <cstddef>
#include <cstdint>

#include "FuzzEngine.h"
#include "engine/ArchetypeTable.h"
#include "engine/DelayedCallQueue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ZELM::Engine& engine = FallwardFuzz::GameplayEngine();
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
