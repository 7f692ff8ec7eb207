// Reading the manifest.
#include "engine/PathTable.h"

#include <fstream>

namespace ZELM {

void PathTable::Read(const std::string& manifestPath) {
    std::ifstream manifest(manifestPath);
    std::string token;
    while (manifest >> token) {
        const std::size_t equals = token.find('=');
        if (equals == std::string::npos) {
            paths[token] = token;
        } else {
            paths[token.substr(0, equals)] = token.substr(equals + 1);
        }
    }
}

std::string PathTable::Get(const std::string& key) const {
    const auto found = paths.find(key);
    return found != paths.end() ? found->second : std::string();
}

}  // namespace ZELM
