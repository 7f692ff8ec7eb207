// Loads the files of one extension into assets.
#pragma once

#include <string>

namespace ZELM {

class Asset;

class IAssetLoader {
public:
    virtual ~IAssetLoader() = default;
    // A new asset, owned by the caller, from the file at the path.
    virtual Asset* Load(const std::string& path) = 0;
};

}  // namespace ZELM
