// The asset table.
#include "engine/AssetManager.h"

namespace ZELM {

void AssetManager::Add(const std::string& stem, Asset* asset) {
    std::unique_ptr<Asset>& slot = assets[stem];
    if (slot && slot.get() != asset) {
        replaced.push_back(std::move(slot));
    }
    slot.reset(asset);
}

void AssetManager::DeleteAll() {
    assets.clear();
    replaced.clear();
}

std::string AssetStem(const std::string& path) {
    std::string stem = path;
    const std::size_t backslash = stem.rfind('\\');
    if (backslash != std::string::npos) {
        stem.erase(0, backslash + 1);
    }
    const std::size_t slash = stem.rfind('/');
    if (slash != std::string::npos) {
        stem.erase(0, slash + 1);
    }
    const std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos) {
        stem.erase(dot);
    }
    return stem;
}

}  // namespace ZELM
