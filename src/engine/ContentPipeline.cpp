// Asset scanning and level loading.
#include "engine/ContentPipeline.h"

#include <filesystem>

#include "engine/ArchetypeTable.h"
#include "engine/Asset.h"
#include "engine/AssetManager.h"
#include "engine/ComponentRegistry.h"
#include "engine/EmbeddedVisitor.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/IAssetLoader.h"
#include "engine/InitVisitor.h"
#include "engine/PlayerLevels.h"
#include "engine/ProblemReport.h"
#include "engine/SaveVisitor.h"
#include "engine/XmlReader.h"
#include "engine/XmlWriter.h"

namespace ZELM {

namespace fs = std::filesystem;

ContentPipeline::ContentPipeline() { engine.SetName("Engine"); }
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
    XmlReader reader(path);
    if (reader.Failed()) {
        ZELM_PROBLEM("ZELM::ContentPipeline::Load", "Could not load level \"%s\"!", path.c_str());
        return;
    }
    if (reader.BeginElement("Tiles")) {
        std::string tileMap;
        reader.Serialize(tileMap);
        // A player level's map lies in the player's folder beside it, by the same "my:" name.
        engine.Call("LoadLevel", PlayerLevels::HoldsLevelFile(path) ? PlayerLevels::LevelName(tileMap) : tileMap);
    } else {
        engine.Call("NoTileInfo");
    }
    if (reader.BeginElement("Scripts")) {
        std::string scripts[3];
        for (std::string& script : scripts) {
            reader.Serialize(script);
        }
        engine.CallAll("SetLevelScripts", scripts[0], scripts[1], scripts[2]);
    }

    LoadEntities(reader);
}

void ContentPipeline::LoadEntities(XmlReader& reader) {
    EntityController* entities = ComponentRegistry::Instance().GetEntities();
    while (entities != nullptr && !reader.AtEnd()) {
        const TiXmlNode* element = reader.GetCursor();
        if (!reader.IsAt("Entity")) {
            ZELM_PROBLEM(
                "ZELM::ContentPipeline::Load",
                "%s:%d: \"%s\" is out of order: a level has Tiles, then Scripts, then Entity elements; it is "
                "skipped",
                reader.GetPath().c_str(), element->Row(), element->Value());
            reader.SkipPast(element);
            continue;
        }
        reader.BeginElement("Entity");
        std::string name;
        std::string archetype;
        reader.Serialize(name);
        reader.Serialize(archetype);
        if (!entities->Get(name).IsNull()) {
            // Two entities of one name would share one method table; the first one stays.
            ZELM_PROBLEM("ZELM::ContentPipeline::Load",
                         "Level \"%s\" has a second entity named \"%s\"; it is skipped!",
                         reader.GetPath().c_str(), name.c_str());
            reader.SkipPast(element);
            continue;
        }
        Entity* entity = entities->Create(name).Resolve();
        if (entity == nullptr) {
            reader.SkipPast(element);
            continue;
        }
        entity->SetArchetypeName(archetype);
        entity->LoadComponents(reader, *element);
    }

    // Every component has joined and bound before any Init runs, so Init may call the others.
    if (entities != nullptr) {
        InitVisitor init;
        EmbeddedVisitor initEveryEntity(init);
        entities->VisitEntities(initEveryEntity);
    }
}

namespace {

class EntitySaver : public IVisitor<EntityHandle> {
public:
    explicit EntitySaver(ISerializer& writer) : writer(writer) {}
    void Visit(EntityHandle& handle) override {
        if (Entity* entity = handle.Resolve()) {
            entity->Save(writer);
        }
    }

private:
    ISerializer& writer;
};

}  // namespace

bool ContentPipeline::SaveLevel(const std::string& path, const std::array<std::string, 3>& levelScripts) {
    XmlWriter writer(path, "Level");
    if (engine.Call<bool>("HasTileInfo")) {
        std::string tileMap = AssetStem(path);
        writer.BeginElement("Tiles");
        writer.Serialize(tileMap);
        writer.EndElement();
        engine.Call("SaveLevel", PlayerLevels::HoldsLevelFile(path) ? PlayerLevels::LevelName(tileMap) : tileMap);
    }
    if (!levelScripts[0].empty()) {
        std::array<std::string, 3> scripts = levelScripts;
        writer.BeginElement("Scripts");
        for (std::string& script : scripts) {
            writer.Serialize(script);
        }
        writer.EndElement();
    }
    if (EntityController* entities = ComponentRegistry::Instance().GetEntities()) {
        EntitySaver saver(writer);
        entities->VisitEntities(saver);
    }
    if (!writer.Save()) {
        ZELM_PROBLEM("ZELM::ContentPipeline::SaveLevel", "Could not save level \"%s\"!", path.c_str());
        return false;
    }
    return true;
}

std::string ContentPipeline::EntitiesText() {
    XmlWriter writer("", "Level");
    if (EntityController* entities = ComponentRegistry::Instance().GetEntities()) {
        EntitySaver saver(writer);
        entities->VisitEntities(saver);
    }
    return writer.Text();
}

void ContentPipeline::ReplaceEntities(const std::string& text) {
    XmlReader reader("the editor's copy of the level", text);
    if (reader.Failed()) {
        ZELM_PROBLEM("ZELM::ContentPipeline::ReplaceEntities",
                     "The editor's copy of the level cannot be read: %s", reader.GetError().c_str());
        return;
    }
    if (EntityController* entities = ComponentRegistry::Instance().GetEntities()) {
        entities->DestroyAllEntities();
    }
    LoadEntities(reader);
}

bool ContentPipeline::SaveArchetype(const EntityHandle& handle, const std::string& directory) {
    Entity* entity = handle.Resolve();
    if (entity == nullptr) {
        return false;
    }
    const std::string path = directory + entity->GetName() + ".xml";
    XmlWriter writer(path, "Archetype");
    SaveVisitor save(writer);
    entity->VisitComponents(save);
    if (!writer.Save()) {
        ZELM_PROBLEM("ZELM::ContentPipeline::SaveArchetype", "Could not save archetype \"%s\"!", path.c_str());
        return false;
    }
    auto reader = std::make_unique<XmlReader>(path);
    if (reader->Failed()) {
        ZELM_PROBLEM("ZELM::ContentPipeline::SaveArchetype", "Could not read back archetype \"%s\"!", path.c_str());
        return false;
    }
    ArchetypeTable::Instance().Replace(entity->GetName(), std::move(reader));
    return true;
}

void ContentPipeline::Unload() {
    AssetManager::Instance().DeleteAll();
    std::lock_guard<std::recursive_mutex> guard(lock);
    loaders.clear();
}

}  // namespace ZELM
