// The scripts and archetypes the game ships, which a shared level may use but never bring or replace.
#pragma once

#include <string>

namespace Sharing {

class BundledFiles {
public:
    // Each by its stem, in the bundled directories of the path table.
    static bool HasScript(const std::string& stem);
    static bool HasArchetype(const std::string& stem);
};

}  // namespace Sharing
