// Looks in the bundled Scripts and Archetypes directories only, never the player's.
#include "sharing/BundledFiles.h"

#include <filesystem>

#include "engine/PathTable.h"

namespace Sharing {
namespace {

bool IsFile(const std::string& directory, const std::string& file) {
    std::error_code error;
    return !directory.empty() && std::filesystem::is_regular_file(directory + file, error);
}

}  // namespace

bool BundledFiles::HasScript(const std::string& stem) {
    return IsFile(ZELM::PathTable::Instance().Get("Scripts"), stem + ".lua");
}

bool BundledFiles::HasArchetype(const std::string& stem) {
    return IsFile(ZELM::PathTable::Instance().Get("Archetypes"), stem + ".xml");
}

}  // namespace Sharing
