// Level files through the content pipeline, with the logic and physics services' components registered.
#include <cstddef>
#include <cstdint>

#include "FuzzEngine.h"
#include "engine/ContentPipeline.h"
#include "engine/DelayedCallQueue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ZELM::Engine& engine = FallwardFuzz::GameplayEngine();
    const std::string path = "../Resources/Levels/Fuzzed.xml";
    FallwardFuzz::WriteInput(path, data, size);
    engine.GetContentPipeline().Load(path);
    engine.GetEntities().DestroyAllEntities();
    // Nothing runs the frames that would take the calls a file posted; they must not pile up.
    ZELM::DelayedCallQueue::Instance().Clear();
    return 0;
}
