// Loading a level's scripts and calling their hooks.
#include "logic/LevelScripts.h"

#include <lua.hpp>

#include "engine/ProblemReport.h"
#include "logic/ScriptFolder.h"
#include "utilities/LuaState.h"

namespace Logic {

bool LevelScripts::Load(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    const std::string scripts = ScriptFolder::Of(name);
    const std::string path = scripts + name + ".lua";
    std::string error;
    // Level scripts come with levels that players share: they run in the sandbox.
    if (!ZELM::LuaState::RunDataFile(path.c_str(), scripts, error)) {
        ZELM_PROBLEM("Logic::LevelScripts::Load", "Level script \"%s\" failed: %s", path.c_str(),
                     error.c_str());
        return false;
    }
    return true;
}

void LevelScripts::Set(const std::string& init, const std::string& update, const std::string& exit) {
    missingHooks.clear();
    initScript = Load(init);
    updateScript = update == init ? initScript : Load(update);
    if (exit == init) {
        exitScript = initScript;
    } else if (exit == update) {
        exitScript = updateScript;
    } else {
        exitScript = Load(exit);
    }
}

void LevelScripts::Clear() {
    initScript = false;
    updateScript = false;
    exitScript = false;
}

void LevelScripts::RunInit() {
    if (initScript) {
        CallHook("Init", nullptr);
    }
}

void LevelScripts::RunUpdate(float dt) {
    if (updateScript) {
        CallHook("Update", &dt);
    }
}

void LevelScripts::RunShutdown() {
    if (exitScript) {
        CallHook("Shutdown", nullptr);
    }
}

void LevelScripts::CallHook(const char* function, const float* dt) {
    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, function);
    if (!lua_isfunction(L, -1)) {
        lua_pop(L, 1);
        // Reported once per level: the hook is skipped every time, and the game goes on.
        if (missingHooks.insert(function).second) {
            ZELM_PROBLEM("Logic::LevelScripts::CallHook",
                         "The level's scripts have no %s function; it is skipped.", function);
        }
        return;
    }
    int arguments = 0;
    if (dt != nullptr) {
        lua_pushnumber(L, *dt);
        arguments = 1;
    }
    std::string error;
    if (!ZELM::LuaState::Call(L, arguments, error)) {
        ZELM_PROBLEM("Logic::LevelScripts::CallHook", "Level script %s failed: %s", function, error.c_str());
    }
}

}  // namespace Logic
