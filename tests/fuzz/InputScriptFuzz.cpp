// Input scripts: parsed, then played through to their last frame.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "input/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FallwardFuzz::EnterScratchData();
    Input::InputScript script;
    script.Parse(std::string(reinterpret_cast<const char*>(data), size), "fuzzed.input");
    const int last = script.GetEvents().empty() ? 0 : script.GetEvents().back().frame;
    script.AdvanceTo(last + 1);
    return 0;
}
