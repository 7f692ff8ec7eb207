// Holds the one Lua state of the run, opened with the standard libraries on first use.
#pragma once

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
};

}  // namespace ZELM
