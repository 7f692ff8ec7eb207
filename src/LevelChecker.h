// Checks level files without starting the game: each problem a line "FILE:LINE: message".
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

class TiXmlElement;

namespace Fallward {

class LevelChecker {
public:
    // `componentTypes`: the (service, type) pairs the running services registered.
    explicit LevelChecker(std::set<std::pair<std::string, std::string>> componentTypes);

    // Checks the named levels of the levels directory, or every level file there (and the level
    // order) when `names` is empty. Directories come from the path table of the working directory.
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
    // Checks the tile map and tells whether it holds a goal.
    bool CheckTileMap(const std::string& file, int line, const std::string& map);
    void CheckScreens(const std::string& file, int line, const std::vector<Entity>& entities, bool hasGoal);

    std::set<std::pair<std::string, std::string>> types;
    std::string levelsDirectory;
    std::vector<std::string> problems;
};

}  // namespace Fallward
