// Reading the manifest.
#include "engine/PathTable.h"

#include <filesystem>
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

void PathTable::SetUserRoot(const std::string& directory) {
    userRoot = directory.empty() || directory.back() == '/' ? directory : directory + "/";
}

std::string PathTable::GetUser(const std::string& key) const {
    return userRoot.empty() ? std::string() : userRoot + key + "/";
}

std::string PathTable::Find(const std::string& key, const std::string& relative) const {
    if (!userRoot.empty()) {
        const std::string own = GetUser(key) + relative;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(own, ignored)) {
            return own;
        }
    }
    return Get(key) + relative;
}

std::string PathTable::GetWritable(const std::string& key, const std::string& relative) const {
    if (userRoot.empty()) {
        return Get(key) + relative;
    }
    const std::filesystem::path path = GetUser(key) + relative;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return path.string();
}

}  // namespace ZELM
