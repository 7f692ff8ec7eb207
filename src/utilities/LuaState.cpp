// The shared Lua state.
#include "utilities/LuaState.h"

#include <lua.hpp>

#include <string>

namespace ZELM {
namespace {

lua_State* state = nullptr;
int generation = 0;

}  // namespace

lua_State* LuaState::Get() {
    if (state == nullptr) {
        state = luaL_newstate();
        luaL_openlibs(state);
        ++generation;
    }
    return state;
}

void LuaState::Close() {
    if (state != nullptr) {
        lua_close(state);
        state = nullptr;
    }
}

int LuaState::Generation() { return state != nullptr ? generation : -1; }

// Pushes the file's chunk; false with Lua's message when it cannot be read or compiled.
bool LuaState::LoadFile(lua_State* L, const char* path, std::string& error) {
    if (luaL_loadfile(L, path) != 0) {
        const char* message = lua_tostring(L, -1);
        error = message != nullptr ? message : "cannot load the file";
        lua_pop(L, 1);
        return false;
    }
    return true;
}

bool LuaState::RunFile(const char* path) {
    std::string ignored;
    return RunFile(path, ignored);
}

bool LuaState::RunFile(const char* path, std::string& error) {
    lua_State* L = Get();
    return LoadFile(L, path, error) && Call(L, 0, error);
}

namespace {

// Builds the sandbox view from the full library, which only this chunk sees. Reads of globals fall
// through to the shared table, so engine and entity tables made later are found; the unsafe names
// read as nil (a call of one is a Lua error the caller reports), "os" as its harmless part, and
// file loading stays inside the scripts directory.
const char kSandboxSource[] = R"lua(
local G, scripts = _G, ...
local setfenv, loadfile, error, type, find, sub = setfenv, loadfile, error, type, string.find, string.sub
local blocked = { io = true, debug = true, package = true, require = true, module = true, load = true,
                  loadstring = true, getfenv = true, setfenv = true, dofile = true, loadfile = true }
local view = {}
local safeOs = { time = os.time, clock = os.clock, date = os.date, difftime = os.difftime }
local function inScripts(path)
  return type(path) == "string" and sub(path, 1, #scripts) == scripts and
         not find(sub(path, #scripts + 1), "..", 1, true)
end
local function safeLoadfile(path)
  if not inScripts(path) then
    return nil, "loading files outside the scripts directory is not allowed: " .. tostring(path)
  end
  local chunk, message = loadfile(path)
  if chunk then setfenv(chunk, view) end
  return chunk, message
end
local replaced = {
  os = safeOs, _G = view, loadfile = safeLoadfile,
  dofile = function(path)
    local chunk, message = safeLoadfile(path)
    if not chunk then error(message, 2) end
    return chunk()
  end,
}
setmetatable(view, {
  __index = function(_, key)
    if replaced[key] ~= nil then return replaced[key] end
    if blocked[key] then return nil end
    return G[key]
  end,
  __newindex = G,
  __metatable = "sandbox",  -- hides the real globals behind __newindex from getmetatable
})
return view
)lua";

const char kSandboxKey[] = "fallward.sandbox";

}  // namespace

void LuaState::PushSandbox(lua_State* L, const std::string& scriptsDirectory) {
    lua_getfield(L, LUA_REGISTRYINDEX, kSandboxKey);
    if (!lua_isnil(L, -1)) {
        return;
    }
    lua_pop(L, 1);
    luaL_loadbuffer(L, kSandboxSource, sizeof kSandboxSource - 1, "sandbox");
    lua_pushstring(L, scriptsDirectory.c_str());
    lua_call(L, 1, 1);
    lua_pushvalue(L, -1);
    lua_setfield(L, LUA_REGISTRYINDEX, kSandboxKey);
}

bool LuaState::RunDataFile(const char* path, const std::string& scriptsDirectory, std::string& error) {
    lua_State* L = Get();
    if (!LoadFile(L, path, error)) {
        return false;
    }
    PushSandbox(L, scriptsDirectory);
    lua_setfenv(L, -2);
    return Call(L, 0, error);
}

bool LuaState::Call(lua_State* L, int arguments, std::string& error) {
    if (lua_pcall(L, arguments, 0, 0) != 0) {
        const char* message = lua_tostring(L, -1);
        error = message != nullptr ? message : "error object is not a string";
        lua_pop(L, 1);
        return false;
    }
    return true;
}

}  // namespace ZELM
