// The "Entities" bar: every entity of the level by name, a click opening its menu. Closed menus
// live here rather than as folded titles piled on the screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/TweakBar.h"

namespace LevelEditor {

class EntityList {
public:
    static constexpr const char* kBarName = "Entities";

    ~EntityList();
    void Show(bool shown);
    // Makes the buttons again when the entities' names have changed since the last time.
    void Refresh();
    const std::vector<std::string>& GetNames() const { return names; }

private:
    struct Record {
        std::string name;
    };

    static void Open(void* record);
    static std::vector<std::string> EntityNames();
    void Rebuild();

    std::vector<std::string> names;
    std::vector<std::unique_ptr<Record>> records;
    TwBar* bar = nullptr;
    bool shown = false;
};

}  // namespace LevelEditor
