// Runs a script file per entity: its Init, Update and Shutdown get the entity's own table.
#pragma once

#include <set>
#include <string>

#include "engine/Component.h"

struct lua_State;

namespace Logic {

class LuaScript : public ZELM::Component {
public:
    LuaScript() = default;
    // Calls the script's Shutdown when the component had joined its service.
    ~LuaScript() override;

    // Binds the "Script" property: setting it loads the script into a thread of its own whose
    // globals fall through to the shared ones, and runs it once. A script that is missing or does
    // not compile is reported with Lua's message and does nothing.
    void Bind() override;
    void Init() override;
    void Update(float dt) override;

private:
    void LoadScript(const std::string& name);
    void ReleaseThread();
    // Calls one of the script's own functions with the entity's table (and dt when given). A
    // missing function is reported once and skipped; an error is reported with Lua's message.
    void CallScript(const char* function, const float* dt);
    void ReportMissing(const char* function);

    std::string script;
    std::string entityName;
    lua_State* thread = nullptr;
    int threadRef = -1;
    int environmentRef = -1;
    int generation = -1;
    std::set<std::string> reportedMissing;
};

}  // namespace Logic
