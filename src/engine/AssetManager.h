// Owns the loaded assets, kept by the stem of the file each was loaded from.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/AssetImpl.h"
#include "engine/ProblemReport.h"

#include "utilities/Singleton.h"

namespace ZELM {

class AssetManager : public Singleton<AssetManager> {
public:
    // Stores the asset under the stem, replacing what was stored there. A replaced asset lives on
    // until DeleteAll, because components may still hold references to its value.
    void Add(const std::string& stem, Asset* asset);
    // The value of the asset stored under the stem. A stem that is not loaded, or an asset of
    // another type, is reported and gives a null value.
    template <typename T>
    T& Get(const std::string& stem);
    bool Has(const std::string& stem) const { return assets.count(stem) != 0; }
    std::size_t Size() const { return assets.size(); }
    // Deletes every asset.
    void DeleteAll();

private:
    std::unordered_map<std::string, std::unique_ptr<Asset>> assets;
    std::vector<std::unique_ptr<Asset>> replaced;
};

// The name an asset is kept under: the path without directories (either separator) and extension.
std::string AssetStem(const std::string& path);

template <typename T>
T& AssetManager::Get(const std::string& stem) {
    static T nullValue{};
    const auto found = assets.find(stem);
    if (found == assets.end()) {
        ZELM_PROBLEM("ZELM::AssetManager::Get", "Could not find asset \"%s\"!", stem.c_str());
        nullValue = T{};
        return nullValue;
    }
    if (found->second->GetTypeId() != TypeId<T>()) {
        ZELM_PROBLEM("ZELM::AssetManager::Get", "Asset \"%s\" is not of the type asked for!", stem.c_str());
        nullValue = T{};
        return nullValue;
    }
    return static_cast<AssetImpl<T>*>(found->second.get())->GetValue();
}

}  // namespace ZELM
