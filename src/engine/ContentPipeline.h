// Loads what the game runs on: assets through the loaders by file extension, and levels.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/EntityHandle.h"
#include "utilities/DynamicCaller.h"

namespace ZELM {

class Asset;
class IAssetLoader;
class XmlReader;

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

    // Loads the level file at the path into the engine's entities: its tile map (through "LoadLevel",
    // or "NoTileInfo" when it names none), its scripts ("SetLevelScripts"), its entities, and then
    // Init on every component. A file that cannot be read is reported and changes nothing.
    void Load(const std::string& path);

    // Writes a level: its tile map name when "HasTileInfo" (and the map itself through "SaveLevel"),
    // the scripts when the first is not empty, then every entity. False (with a report) when the
    // file could not be written.
    bool SaveLevel(const std::string& path, const std::array<std::string, 3>& levelScripts);
    // The entities alone, as the Entity elements of a level document: what the editor keeps to
    // undo an edit or to come back from a play-test, without a file.
    static std::string EntitiesText();
    // Destroys every entity, then makes them anew from such a text and initialises them; the
    // tile map and the scripts are left as they are.
    static void ReplaceEntities(const std::string& text);
    // Writes the entity's components as the archetype of the entity's name, into the directory,
    // and makes the archetype table use the written file.
    bool SaveArchetype(const EntityHandle& entity, const std::string& directory);

    // Deletes every asset, then every loader.
    void Unload();

private:
    // The Entity elements from the reader's cursor on, each made and loaded, then Init on all.
    static void LoadEntities(XmlReader& reader);

    DynamicCaller engine;  // the "Engine" table: tile maps and level scripts
    std::recursive_mutex lock;
    std::map<std::string, std::unique_ptr<IAssetLoader>> loaders;
};

}  // namespace ZELM
