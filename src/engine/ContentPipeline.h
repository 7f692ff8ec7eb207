// Loads what the game runs on: assets through the loaders by file extension, and levels.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ZELM {

class Asset;
class IAssetLoader;

class ContentPipeline {
public:
    ContentPipeline();
    ~ContentPipeline();

    // Takes ownership; a later loader for the same (case-sensitive) extension replaces the earlier.
    void AddAssetLoader(const std::string& extension, IAssetLoader* loader);
    bool HasAssetLoader(const std::string& extension) const;

    // Loads every file below the directory that a loader understands: subdirectories first, depth
    // first, then the directory's own files. Each asset is named after its file's full path.
    std::vector<Asset*> ScanAssets(const std::string& directory);

    // Loads the level file at the path; a file that cannot be opened is reported and changes nothing.
    void Load(const std::string& path);

    // Deletes every asset, then every loader.
    void Unload();

private:
    std::recursive_mutex lock;
    std::map<std::string, std::unique_ptr<IAssetLoader>> loaders;
};

}  // namespace ZELM
