// Entity scripts: loading, and the protected calls of their three functions.
#include "logic/LuaScript.h"

#include <lua.hpp>

#include "engine/Entity.h"
#include "engine/ProblemReport.h"
#include "logic/ScriptFolder.h"
#include "utilities/LuaObject.h"
#include "utilities/LuaState.h"

namespace Logic {

LuaScript::~LuaScript() {
    if (IsInService()) {
        CallScript("Shutdown", nullptr);
    }
    ReleaseThread();
}

void LuaScript::Bind() { BindProperty(&script, "Script", this, &LuaScript::LoadScript); }

void LuaScript::ReleaseThread() {
    if (thread != nullptr && ZELM::LuaState::Generation() == generation) {
        lua_State* L = ZELM::LuaState::Get();
        luaL_unref(L, LUA_REGISTRYINDEX, threadRef);
        luaL_unref(L, LUA_REGISTRYINDEX, environmentRef);
    }
    thread = nullptr;
    threadRef = -1;
    environmentRef = -1;
}

void LuaScript::LoadScript(const std::string& name) {
    ReleaseThread();
    if (name.empty()) {
        return;  // no script chosen yet: a component the editor just made, or a file that names none
    }
    lua_State* L = ZELM::LuaState::Get();
    generation = ZELM::LuaState::Generation();

    thread = lua_newthread(L);
    threadRef = luaL_ref(L, LUA_REGISTRYINDEX);
    // The script's own globals: reads of names it does not define fall through to the shared ones,
    // through the sandbox (entity scripts come with levels that players share).
    const std::string scripts = ScriptFolder::Of(name);
    lua_newtable(L);
    lua_newtable(L);
    ZELM::LuaState::PushSandbox(L, scripts);
    lua_setfield(L, -2, "__index");
    lua_setmetatable(L, -2);
    lua_pushvalue(L, -1);
    environmentRef = luaL_ref(L, LUA_REGISTRYINDEX);
    lua_xmove(L, thread, 1);
    lua_replace(thread, LUA_GLOBALSINDEX);

    const std::string path = scripts + name + ".lua";
    std::string error;
    if (!ZELM::LuaState::LoadFile(thread, path.c_str(), error)) {
        // Lua's message names the file and, for a script that does not compile, the line.
        const ZELM::Entity* owner = GetOwner().GetIfAlive();
        ZELM_PROBLEM("Logic::LuaScript::LoadScript", "Script \"%s\" of entity \"%s\" does not load: %s", name.c_str(),
                     owner != nullptr ? owner->GetName().c_str() : "", error.c_str());
        ReleaseThread();
        return;
    }
    if (!ZELM::LuaState::Call(thread, 0, error)) {
        ZELM_PROBLEM("Logic::LuaScript::LoadScript", "Script \"%s\" failed: %s", path.c_str(), error.c_str());
    }
}

void LuaScript::Init() {
    const ZELM::Entity* owner = GetOwner().Resolve();
    if (owner == nullptr) {
        return;
    }
    entityName = owner->GetName();
    CallScript("Init", nullptr);
}

void LuaScript::Update(float dt) { CallScript("Update", &dt); }

void LuaScript::ReportMissing(const char* function) {
    // Said once per function and entity: the game goes on without it, but the designer should know.
    const std::string name(function);
    if (reportedMissing.count(name) != 0) {
        return;
    }
    reportedMissing.insert(name);
    ZELM_PROBLEM("Logic::LuaScript::CallScript", "Script \"%s\" of entity \"%s\" has no %s function; it is skipped.",
                 script.c_str(), entityName.c_str(), function);
}

void LuaScript::CallScript(const char* function, const float* dt) {
    if (thread == nullptr || ZELM::LuaState::Generation() != generation) {
        return;
    }
    // The script's own function only: a name it lacks must not fall through to a level script's.
    lua_rawgeti(thread, LUA_REGISTRYINDEX, environmentRef);
    lua_pushstring(thread, function);
    lua_rawget(thread, -2);
    lua_remove(thread, -2);
    if (!lua_isfunction(thread, -1)) {
        lua_pop(thread, 1);
        ReportMissing(function);
        return;
    }
    const int beforeTable = lua_gettop(thread);
    if (luaTable) {
        luaTable->PushTable(thread);
    }
    if (lua_gettop(thread) == beforeTable) {
        lua_pushnil(thread);
    }
    int arguments = 1;
    if (dt != nullptr) {
        lua_pushnumber(thread, *dt);
        ++arguments;
    }
    std::string error;
    if (!ZELM::LuaState::Call(thread, arguments, error)) {
        ZELM_PROBLEM("Logic::LuaScript::CallScript", "Script \"%s\" of entity \"%s\" failed in %s: %s", script.c_str(),
                     entityName.c_str(), function, error.c_str());
    }
}

}  // namespace Logic
