// A level's Lua hooks: the scripts a level names for its start, its ticks and its end, loaded into
// the shared Lua state, and their "Init", "Update" and "Shutdown" functions called protected.
#pragma once

#include <set>
#include <string>

namespace Logic {

class LevelScripts {
public:
    // Loads the scripts; a name repeated reuses the earlier load, and an empty name has no script.
    void Set(const std::string& init, const std::string& update, const std::string& exit);
    void Clear();

    // Each calls its function when the level has a script for it.
    void RunInit();
    void RunUpdate(float dt);
    void RunShutdown();

private:
    static bool Load(const std::string& name);
    void CallHook(const char* function, const float* dt);

    std::set<std::string> missingHooks;
    bool initScript = false;
    bool updateScript = false;
    bool exitScript = false;
};

}  // namespace Logic
