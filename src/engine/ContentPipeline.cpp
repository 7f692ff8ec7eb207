// Asset scanning and level loading.
#include "engine/ContentPipeline.h"

#include <filesystem>
#include <fstream>

#include "engine/Asset.h"
#include "engine/AssetManager.h"
#include "engine/IAssetLoader.h"
#include "engine/ProblemReport.h"

namespace ZELM {

namespace fs = std::filesystem;

ContentPipeline::ContentPipeline() = default;
ContentPipeline::~ContentPipeline() = default;

void ContentPipeline::AddAssetLoader(const std::string& extension, IAssetLoader* loader) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    loaders[extension].reset(loader);
}

bool ContentPipeline::HasAssetLoader(const std::string& extension) const { return loaders.count(extension) != 0; }

std::vector<Asset*> ContentPipeline::ScanAssets(const std::string& directory) {
    std::vector<Asset*> assets;
    std::vector<std::string> subdirectories;
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (name != ".svn") {
                subdirectories.push_back(name);
            }
        } else {
            files.push_back(name);
        }
    }
    for (const std::string& subdirectory : subdirectories) {
        std::vector<Asset*> below = ScanAssets(directory + subdirectory + "/");
        assets.insert(assets.end(), below.begin(), below.end());
    }
    for (const std::string& file : files) {
        const std::size_t dot = file.rfind('.');
        if (dot == std::string::npos) {
            continue;
        }
        const auto loader = loaders.find(file.substr(dot + 1));
        if (loader == loaders.end()) {
            continue;
        }
        const std::string path = directory + file;
        Asset* asset = loader->second->Load(path);
        if (asset != nullptr) {
            asset->SetName(path);
            assets.push_back(asset);
        }
    }
    return assets;
}

void ContentPipeline::Load(const std::string& path) {
    std::ifstream level(path);
    if (!level) {
        ZELM_PROBLEM("ZELM::ContentPipeline::Load", "Could not load level \"%s\"!", path.c_str());
        return;
    }
}

void ContentPipeline::Unload() {
    AssetManager::Instance().DeleteAll();
    std::lock_guard<std::recursive_mutex> guard(lock);
    loaders.clear();
}

}  // namespace ZELM
