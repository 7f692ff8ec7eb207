// Shared level files through the whole import on scratch data: the reader, every check, the staging
// and the level checker, installing into the scratch player's folder, which is emptied after each.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "FuzzEngine.h"
#include "app/LevelChecker.h"
#include "engine/PlayerLevels.h"
#include "sharing/LevelPackImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Sharing::LevelPackImport importer = [] {
        FallwardFuzz::GameplayEngine();
        return Sharing::LevelPackImport(Fallward::LevelChecker::RegisteredTypes());
    }();
    const std::filesystem::path path = "../Fuzzed.fwlevel";
    FallwardFuzz::WriteInput(path, data, size);
    importer.Import(path.string(), [](const std::string&) { return true; });
    std::error_code ignored;
    std::filesystem::remove_all(ZELM::PlayerLevels::Directory(), ignored);
    return 0;
}
