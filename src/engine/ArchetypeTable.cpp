// Loading archetype files.
#include "engine/ArchetypeTable.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "engine/AssetManager.h"
#include "engine/ProblemReport.h"

namespace ZELM {

void ArchetypeTable::LoadDirectory(const std::string& directory) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!it->is_directory(typeError) && name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0) {
            files.push_back(name);
        }
    }
    // Sorted, so which of two equal stems wins does not depend on the file system's order.
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        const std::string path = directory + file;
        auto reader = std::make_unique<XmlReader>(path);
        if (reader->Failed()) {
            ZELM_PROBLEM("ZELM::ArchetypeTable::LoadDirectory", "Could not load archetype \"%s\": %s", path.c_str(),
                         reader->GetError().c_str());
            continue;
        }
        Replace(AssetStem(file), std::move(reader));
    }
}

XmlReader* ArchetypeTable::Find(const std::string& name) {
    const auto found = readers.find(name);
    if (found == readers.end()) {
        return nullptr;
    }
    found->second->Rewind();
    return found->second.get();
}

void ArchetypeTable::Replace(const std::string& name, std::unique_ptr<XmlReader> reader) {
    readers[name] = std::move(reader);
}

}  // namespace ZELM
