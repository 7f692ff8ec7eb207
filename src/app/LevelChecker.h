// Checks level files without starting the game: each problem a line "FILE:LINE: message".
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TiXmlElement;

namespace Fallward {

class LevelChecker {
public:
    // For each (service, type) pair the running services registered, the element names of its
    // stored properties in binding order.
    using ComponentTypes = std::map<std::pair<std::string, std::string>, std::vector<std::string>>;

    // Where a level's files are looked up. Directory names end with "/".
    struct Folders {
        std::string levels;                   // the level files and order.txt
        std::vector<std::string> tiles;       // tile maps, searched in order
        std::vector<std::string> scripts;     // searched in order
        std::vector<std::string> archetypes;  // searched in order
    };
    // The bundled data's folders, from the path table of the working directory.
    static Folders BundledFolders();
    // Where the game finds a player level's files: the level and its tile map in the player's
    // levels folder; scripts the game's own first; archetypes as the engine loads them.
    static Folders PlayerFolders();
    // The component types of the services started so far, as the loader will match them.
    static ComponentTypes RegisteredTypes();

    explicit LevelChecker(ComponentTypes componentTypes, Folders folders = BundledFolders());

    // Checks the named levels of the levels directory, or every level file there (and the level
    // order) when `names` is empty.
    void CheckLevels(const std::vector<std::string>& names);
    void CheckLevel(const std::string& name);

    const std::vector<std::string>& GetProblems() const { return problems; }

private:
    struct Entity {
        std::string name;
        int line = 0;
        std::set<std::string> types;
    };

    void Report(const std::string& file, int line, const std::string& message);
    void CheckOrder();
    std::vector<Entity> CheckEntities(const std::string& file, TiXmlElement* first);
    void CheckComponent(const std::string& file, TiXmlElement* component, Entity& entity);
    // Compiles the script an entity's script component names (without running it).
    void CheckEntityScript(const std::string& file, const TiXmlElement* scriptProperty, const Entity& entity);
    // Checks the tile map and tells whether it holds a goal.
    bool CheckTileMap(const std::string& file, int line, const std::string& map);
    void CheckScreens(const std::string& file, int line, const std::vector<Entity>& entities, bool hasGoal);

    ComponentTypes types;
    Folders folders;
    std::string levelsDirectory;
    std::vector<std::string> problems;
};

}  // namespace Fallward
