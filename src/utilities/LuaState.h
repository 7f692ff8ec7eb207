// Holds the one Lua state of the run, opened with the standard libraries on first use.
#pragma once

#include <string>

struct lua_State;

namespace ZELM {

class LuaState {
public:
    // The state, created on first access.
    static lua_State* Get();
    // Closes the state; the next Get opens a fresh one.
    static void Close();
    // Counts the states opened so far, so objects can tell whether their state is still the open one.
    static int Generation();

    // Loads and runs a Lua file once, protected, discarding its results; false when it failed.
    static bool RunFile(const char* path);
    // The same, with Lua's message in `error` when the file could not be loaded or raised an error.
    static bool RunFile(const char* path, std::string& error);
    // Runs a script that came with the data (a level's script) with only the safe part of the
    // library: nothing that runs programs, touches files outside the scripts directory, loads native
    // code or reaches past the sandbox. Its globals still land in the shared table.
    static bool RunDataFile(const char* path, const std::string& scriptsDirectory, std::string& error);
    // Pushes the table a data script reads its globals through: every global except the unsafe ones.
    static void PushSandbox(lua_State* L, const std::string& scriptsDirectory);

    // Pushes a file's compiled chunk; false with Lua's message in `error` when it does not load.
    static bool LoadFile(lua_State* L, const char* path, std::string& error);

    // Calls a function that is on top of the stack with the `arguments` values below it, protected;
    // the function and arguments are popped, no results are kept. False with Lua's message on error.
    static bool Call(lua_State* L, int arguments, std::string& error);
};

}  // namespace ZELM
