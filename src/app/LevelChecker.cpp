// The level checker: the file layout, the components, the tile map and what each screen needs.
#include "app/LevelChecker.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <lua.hpp>
#include <map>

#include "app/ComponentReference.h"
#include "engine/ComponentRegistry.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "engine/ProblemReport.h"
#include "engine/PropertyElements.h"
#include "engine/XmlReader.h"
#include "logic/screens/MenuButtons.h"
#include "utilities/LuaState.h"

namespace Fallward {
namespace {

namespace fs = std::filesystem;

// The highest tile id with a meaning in the game (20: the goal).
constexpr unsigned kLastTileId = 20;
constexpr unsigned char kGoal = 20;

// The text of a child element's "string" value, as the level format stores names.
std::string StringOf(const TiXmlElement* element) {
    return element != nullptr && element->ValueStr() == "string" && element->GetText() != nullptr
               ? element->GetText()
               : std::string();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The file in the first folder that has it; "" when none has.
std::string FindIn(const std::vector<std::string>& folders, const std::string& file) {
    for (const std::string& folder : folders) {
        if (Exists(folder + file)) {
            return folder + file;
        }
    }
    return std::string();
}

}  // namespace

LevelChecker::Folders LevelChecker::BundledFolders() {
    const ZELM::PathTable& paths = ZELM::PathTable::Instance();
    return Folders{paths.Get("Levels"),
                   {paths.Get("Levels") + "Tiles/"},
                   {paths.Get("Scripts")},
                   {paths.Get("Archetypes")}};
}

LevelChecker::Folders LevelChecker::PlayerFolders() {
    const ZELM::PathTable& paths = ZELM::PathTable::Instance();
    Folders folders{ZELM::PlayerLevels::Directory(),
                    {ZELM::PlayerLevels::TilesDirectory()},
                    {paths.Get("Scripts"), ZELM::PlayerLevels::ScriptsDirectory()},
                    {ZELM::PlayerLevels::ArchetypesDirectory(), paths.Get("Archetypes")}};
    if (const std::string saved = paths.GetUser("Archetypes"); !saved.empty()) {
        folders.archetypes.push_back(saved);
    }
    return folders;
}

LevelChecker::ComponentTypes LevelChecker::RegisteredTypes() {
    struct Collector : ZELM::IVisitor<ZELM::RegistryItem> {
        void Visit(ZELM::RegistryItem& item) override { found.insert({item.serviceName, item.typeName}); }
        std::set<std::pair<std::string, std::string>> found;
    } collector;
    ZELM::ComponentRegistry::Instance().VisitItems(collector);
    // Made after the visit: making a component must not happen while the registry is walked.
    ComponentTypes types;
    for (const auto& [service, type] : collector.found) {
        types[{service, type}] = ComponentReference::StoredPropertyNames(service, type);
    }
    return types;
}

LevelChecker::LevelChecker(ComponentTypes componentTypes, Folders folders)
    : types(std::move(componentTypes)), folders(std::move(folders)), levelsDirectory(this->folders.levels) {}

void LevelChecker::Report(const std::string& file, int line, const std::string& message) {
    problems.push_back(file + ":" + std::to_string(line) + ": " + message);
}

void LevelChecker::CheckLevels(const std::vector<std::string>& names) {
    if (!names.empty()) {
        for (const std::string& name : names) {
            CheckLevel(name);
        }
        return;
    }
    CheckOrder();
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(levelsDirectory, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".xml") {
            found.push_back(entry.path().stem().string());
        }
    }
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) {
        CheckLevel(name);
    }
}

void LevelChecker::CheckOrder() {
    const std::string order = levelsDirectory + "order.txt";
    std::ifstream file(order);
    int line = 0;
    for (std::string name; std::getline(file, name);) {
        ++line;
        name.erase(std::remove_if(name.begin(), name.end(), [](unsigned char c) { return std::isspace(c); }),
                   name.end());
        if (!name.empty() && !Exists(levelsDirectory + name + ".xml")) {
            Report(order, line, "the level \"" + name + "\" has no file " + name + ".xml");
        }
    }
}

void LevelChecker::CheckLevel(const std::string& name) {
    const std::string file = levelsDirectory + name + ".xml";
    TiXmlDocument document;
    std::string refusal;
    if (!ZELM::XmlReader::ParseFile(document, file, refusal)) {
        if (!refusal.empty()) {
            Report(file, 1, refusal);
        } else {
            Report(file, document.ErrorRow(), std::string("the XML does not parse: ") + document.ErrorDesc());
        }
        return;
    }
    TiXmlElement* root = document.RootElement();
    if (root == nullptr || root->ValueStr() != "Level") {
        Report(file, root != nullptr ? root->Row() : 1, "the root element is not \"Level\"");
        return;
    }
    TiXmlElement* element = root->FirstChildElement();
    std::string map;
    int mapLine = root->Row();
    if (element != nullptr && element->ValueStr() == "Tiles") {
        map = StringOf(element->FirstChildElement());
        mapLine = element->Row();
        if (map.empty()) {
            Report(file, element->Row(), "\"Tiles\" names no tile map");
        }
        element = element->NextSiblingElement();
    }
    if (element != nullptr && element->ValueStr() == "Scripts") {
        for (TiXmlElement* script = element->FirstChildElement(); script != nullptr;
             script = script->NextSiblingElement()) {
            const std::string scriptName = StringOf(script);
            if (!scriptName.empty() && FindIn(folders.scripts, scriptName + ".lua").empty()) {
                Report(file, script->Row(), "the script \"" + scriptName + "\" does not exist");
            }
        }
        element = element->NextSiblingElement();
    }
    const std::vector<Entity> entities = CheckEntities(file, element);
    const bool hasGoal = !map.empty() && CheckTileMap(file, mapLine, map);
    CheckScreens(file, root->Row(), entities, hasGoal);
}

std::vector<LevelChecker::Entity> LevelChecker::CheckEntities(const std::string& file, TiXmlElement* first) {
    std::vector<Entity> entities;
    std::set<std::string> names;
    for (TiXmlElement* element = first; element != nullptr; element = element->NextSiblingElement()) {
        if (element->ValueStr() != "Entity") {
            Report(file, element->Row(),
                   "\"" + element->ValueStr() + "\" is out of order: a level has Tiles, then Scripts, then Entity "
                   "elements");
            continue;
        }
        TiXmlElement* nameElement = element->FirstChildElement();
        TiXmlElement* archetypeElement = nameElement != nullptr ? nameElement->NextSiblingElement() : nullptr;
        Entity entity{StringOf(nameElement), element->Row(), {}};
        if (entity.name.empty() || archetypeElement == nullptr || archetypeElement->ValueStr() != "string") {
            Report(file, element->Row(), "an entity needs its name and its archetype name as its first two strings");
            continue;
        }
        if (!names.insert(entity.name).second) {
            Report(file, element->Row(), "a second entity named \"" + entity.name + "\"");
        }
        const std::string archetype = StringOf(archetypeElement);
        if (!archetype.empty() && archetype != "Not Set" &&
            FindIn(folders.archetypes, archetype + ".xml").empty()) {
            Report(file, archetypeElement->Row(), "the archetype \"" + archetype + "\" does not exist");
        }
        for (TiXmlElement* component = archetypeElement->NextSiblingElement(); component != nullptr;
             component = component->NextSiblingElement()) {
            CheckComponent(file, component, entity);
        }
        entities.push_back(entity);
    }
    return entities;
}

void LevelChecker::CheckComponent(const std::string& file, TiXmlElement* component, Entity& entity) {
    if (component->ValueStr() != "Component") {
        Report(file, component->Row(), "\"" + component->ValueStr() + "\" is out of order in entity \"" +
                                           entity.name + "\": only Component elements follow its names");
        return;
    }
    TiXmlElement* serviceElement = component->FirstChildElement();
    TiXmlElement* typeElement = serviceElement != nullptr ? serviceElement->NextSiblingElement() : nullptr;
    const std::string service = StringOf(serviceElement);
    const std::string type = StringOf(typeElement);
    const auto known = types.find({service, type});
    if (known == types.end()) {
        Report(file, component->Row(),
               "unknown component type \"" + type + "\" of the service \"" + service + "\" in \"" + entity.name + "\"");
        return;
    }
    // The same matching the loader does, so the checker names exactly what a load reports.
    const ZELM::PropertyElements properties(*component, type, known->second);
    for (const ZELM::PropertyElements::Mistake& mistake : properties.GetMistakes()) {
        Report(file, mistake.line, mistake.message);
    }
    if (service == "Logic" && type == "LuaScript") {
        CheckEntityScript(file, properties.Find("Script"), entity);
    }
    entity.types.insert(type);
}

void LevelChecker::CheckEntityScript(const std::string& file, const TiXmlElement* scriptProperty,
                                     const Entity& entity) {
    const std::string script = scriptProperty != nullptr ? StringOf(scriptProperty->FirstChildElement()) : "";
    if (script.empty()) {
        return;
    }
    const std::string found = FindIn(folders.scripts, script + ".lua");
    // A script in no folder is named where the game looks first, so Lua's message says it is missing.
    const std::string path =
        found.empty() ? (folders.scripts.empty() ? std::string() : folders.scripts.front()) + script + ".lua"
                      : found;
    lua_State* L = ZELM::LuaState::Get();
    std::string error;
    if (!ZELM::LuaState::LoadFile(L, path.c_str(), error)) {
        Report(file, scriptProperty->Row(),
               "the script \"" + script + "\" of \"" + entity.name + "\" does not load: " + error);
        return;
    }
    lua_pop(L, 1);  // compiled is enough: running it is the level's business
}

bool LevelChecker::CheckTileMap(const std::string& file, int line, const std::string& map) {
    const std::string path = FindIn(folders.tiles, map);
    if (path.empty()) {
        Report(file, line, "the tile map \"" + map + "\" does not exist");
        return false;
    }
    // The map loader reports what is wrong with a file; here its reports become the checker's.
    std::vector<std::string> loadProblems;
    ZELM::ProblemSink previous = ZELM::SetProblemSink([&loadProblems](const ZELM::Problem& problem) {
        loadProblems.push_back(problem.message);
        return ZELM::ProblemChoice::Continue;
    });
    ZELM::LevelMap tiles;
    tiles.SetFileName(path);
    tiles.Load();
    ZELM::SetProblemSink(previous);
    for (const std::string& message : loadProblems) {
        Report(file, line, "the tile map \"" + map + "\": " + message);
    }
    if (!tiles.IsLoaded()) {
        if (loadProblems.empty()) {
            Report(file, line, "the tile map \"" + map + "\" does not load");
        }
        return false;
    }
    bool goal = false;
    unsigned undefined = 0;
    std::string first;
    for (std::uint32_t y = 0; y < tiles.GetHeight(); ++y) {
        for (std::uint32_t x = 0; x < tiles.GetWidth(); ++x) {
            const unsigned char id = tiles.GetTileID(tiles.GetMinX() + x, tiles.GetMinY() + y);
            goal = goal || id == kGoal;
            if (id > kLastTileId) {
                if (undefined++ == 0) {
                    first = "id " + std::to_string(id) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
        }
    }
    if (undefined > 0) {
        Report(file, line, "the tile map \"" + map + "\" holds " + std::to_string(undefined) +
                               " tile(s) the game does not define, the first " + first);
    }
    return goal;
}

void LevelChecker::CheckScreens(const std::string& file, int line, const std::vector<Entity>& entities, bool hasGoal) {
    std::set<std::string> names;
    int localPlayers = 0;
    bool playable = false;
    for (const Entity& entity : entities) {
        names.insert(entity.name);
        localPlayers += entity.types.count("PlayerMovement") != 0 && entity.types.count("NetworkInput") == 0;
        playable = playable || entity.types.count("Level") != 0;
    }
    for (const Entity& entity : entities) {
        for (const std::string& type : entity.types) {
            const std::vector<std::string>* buttons = Logic::MenuButtons::Of(type);
            for (std::size_t i = 0; buttons != nullptr && i < buttons->size(); ++i) {
                if (names.count((*buttons)[i]) == 0) {
                    Report(file, entity.line, "the " + type + " screen finds no button \"" + (*buttons)[i] + "\"");
                }
            }
        }
    }
    if (playable && localPlayers != 1) {
        Report(file, line, "a playable level needs exactly one local player; this one has " +
                               std::to_string(localPlayers));
    }
    if (playable && !hasGoal) {
        Report(file, line, "a playable level needs a goal tile (id 20) in its tile map");
    }
}

}  // namespace Fallward
