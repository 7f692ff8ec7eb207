// Entity scripts and level scripts in a running engine: their hooks, their globals, their errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <lua.hpp>
#include <string>

#include "engine/Entity.h"
#include "engine/PlayerLevels.h"
#include "logic/LogicService.h"
#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"

namespace {

// Answers the frame's calls to the window and the screen, which this test has neither of.
class FrameService : public ZELM::Service {
public:
    void Bind() override {
        ZELM::DynamicBinder::Bind("Present", this, &FrameService::Nothing);
        ZELM::DynamicBinder::Bind("HandleOSMessages", this, &FrameService::Nothing);
    }
    void Init() override {}
    void Update(float) override {}
    void Nothing() {}
};

class LuaScriptTest : public ZELMTest::EngineFixture {
protected:
    void WriteScript(const std::string& name, const std::string& text) {
        std::ofstream(ResourcePath("Scripts/" + name + ".lua")) << text;
    }

    // A level whose entities each carry a Physical and a LuaScript running the named script.
    void WriteLevel(const std::string& level, const std::string& scriptsElement,
                    const std::vector<std::pair<std::string, std::string>>& entities) {
        std::ofstream file(ResourcePath("Levels/" + level + ".xml"));
        file << "<?xml version=\"1.0\" ?>\n<Level>\n" << scriptsElement;
        for (const auto& [name, script] : entities) {
            file << "<Entity><string>" << name << "</string><string>Not Set</string>"
                 << "<Component><string>Logic</string><string>Physical</string></Component>"
                 << "<Component><string>Logic</string><string>LuaScript</string><Script><string>" << script
                 << "</string></Script></Component></Entity>\n";
        }
        file << "</Level>\n";
    }

    static std::string Scripts(const std::string& init, const std::string& update, const std::string& exit) {
        return "<Scripts><string>" + init + "</string><string>" + update + "</string><string>" + exit +
               "</string></Scripts>\n";
    }

    void StartEngine() {
        engine->AddService("Logic", new Logic::LogicService());
        engine->AddService("Frame", new FrameService());
        engine->SetFixedFrameTime(ZELM::Engine::kTickMs);
        engine->Start();
    }

    static double Global(const char* name) {
        lua_State* L = ZELM::LuaState::Get();
        lua_getglobal(L, name);
        const double value = lua_tonumber(L, -1);
        lua_pop(L, 1);
        return value;
    }

    float X(const std::string& entity) { return engine->GetEntity(entity).Resolve()->Call<float>("GetX"); }

    ZELMTest::ProblemCapture problems;
};

TEST_F(LuaScriptTest, EachScriptHasItsOwnGlobalsAndSeesTheSharedOnes) {
    MakeEngine({"Start"});
    WriteScript("Counter", R"(
        counter = (counter or 0) + 1
        function Init(entity) entity.SetX(counter + (Engine and 10 or 0)) end
        function Update(entity, dt) counter = counter + 1; entity.SetY(counter + dt) end
        function Shutdown(entity) end
    )");
    WriteLevel("Start", "", {{"A", "Counter"}, {"B", "Counter"}});
    StartEngine();
    EXPECT_FLOAT_EQ(X("A"), 11.0f) << "a fresh counter per script, and Engine seen through the shared globals";
    EXPECT_FLOAT_EQ(X("B"), 11.0f);
    engine->RunFrame();
    EXPECT_FLOAT_EQ(engine->GetEntity("A").Resolve()->Call<float>("GetY"), 2.0f + ZELM::Engine::kTickMs)
        << "Update gets the entity and dt";
    EXPECT_EQ(problems.Count(), 0u) << (problems.Count() ? problems.Last().text : "");
}

TEST_F(LuaScriptTest, ErrorsAndMissingFunctionsAreReportedOnceAndTheGameGoesOn) {
    MakeEngine({"Start"});
    WriteScript("Broken", "function Init(entity) error('no luck') end\n");
    WriteScript("Nothing", "-- no functions at all\n");
    WriteLevel("Start", "", {{"Bad", "Broken"}, {"Idle", "Nothing"}});
    StartEngine();
    ASSERT_EQ(problems.Count(), 2u);
    EXPECT_NE(problems.problems[0].message.find("Script \"Broken\" of entity \"Bad\" failed in Init:"),
              std::string::npos)
        << problems.problems[0].message;
    EXPECT_NE(problems.problems[0].message.find("no luck"), std::string::npos);
    EXPECT_EQ(problems.problems[1].message, "Script \"Nothing\" of entity \"Idle\" has no Init function; it is skipped.");

    engine->RunFrame();
    engine->RunFrame();
    EXPECT_EQ(problems.Count(), 4u) << "each missing Update once";
    EXPECT_EQ(problems.Last().message, "Script \"Nothing\" of entity \"Idle\" has no Update function; it is skipped.");
    EXPECT_TRUE(engine->IsRunning());
}

TEST_F(LuaScriptTest, ScriptsThatAreMissingOrDoNotCompileAreReportedWithLuasMessageWhenLoaded) {
    MakeEngine({"Start"});
    WriteScript("Garbled", "function Init(entity)\n    local x =\nend\n");
    WriteScript("Fine", "function Init(entity) entity.SetX(5) end\nfunction Update(entity, dt) end\n");
    WriteLevel("Start", "", {{"Lost", "NoSuchScript"}, {"Mangled", "Garbled"}, {"After", "Fine"}});
    StartEngine();
    ASSERT_EQ(problems.Count(), 2u);
    const std::string lost = problems.problems[0].message;
    EXPECT_EQ(lost.rfind("Script \"NoSuchScript\" of entity \"Lost\" does not load: cannot open ", 0), 0u) << lost;
    EXPECT_NE(lost.find("Scripts/NoSuchScript.lua"), std::string::npos) << lost;
    const std::string mangled = problems.problems[1].message;
    EXPECT_EQ(mangled.rfind("Script \"Garbled\" of entity \"Mangled\" does not load: ", 0), 0u) << mangled;
    EXPECT_NE(mangled.find("Scripts/Garbled.lua:3: "), std::string::npos) << "Lua's file and line: " << mangled;

    engine->RunFrame();
    EXPECT_EQ(problems.Count(), 2u) << "a script that did not load is not asked for its functions";
    EXPECT_FLOAT_EQ(X("After"), 5.0f);
}

TEST_F(LuaScriptTest, ADeferredCallFromAScriptChangesTheLevelAtTheEndOfTheFrame) {
    MakeEngine({"Start", "Next"});
    WriteScript("Leaver", R"(
        function Init(entity) end
        function Update(entity, dt)
            Engine.LoadLevel("Next")
            entity.SetX(42)  -- still here: the level has not changed yet
        end
        function Shutdown(entity) end
    )");
    WriteLevel("Start", "", {{"Walker", "Leaver"}});
    StartEngine();
    engine->RunFrame();
    EXPECT_TRUE(engine->GetEntity("Walker").IsNull()) << "the next level has no entities";
    EXPECT_EQ(problems.Count(), 0u) << (problems.Count() ? problems.Last().text : "");
}

TEST_F(LuaScriptTest, LevelScriptsRunTheirHooksAndReuseARepeatedName) {
    MakeEngine({"Start", "Next"});
    WriteScript("Hooks", R"(
        loads = (loads or 0) + 1
        function Init() started = true end
        function Update(dt) elapsed = (elapsed or 0) + dt end
        function Shutdown() final = loads * 100 + elapsed end
    )");
    WriteLevel("Start", Scripts("Hooks", "Hooks", "Hooks"), {});
    StartEngine();
    engine->RunFrame();
    engine->RunFrame();
    ZELM::DynamicCaller caller;
    caller.SetName("Engine");
    caller.CallLater("LoadLevel", 0.0f, std::string("Next"));
    engine->RunFrame();
    EXPECT_EQ(problems.Count(), 0u) << (problems.Count() ? problems.Last().text : "");
    EXPECT_NEAR(Global("final"), 100.0 + 3 * ZELM::Engine::kTickMs, 1e-3)
        << "loaded once for three roles; Update saw three ticks";
    EXPECT_EQ(engine->GetLevelScripts()[0], "");

    // The next level has no scripts: no hook runs any more.
    engine->RunFrame();
    EXPECT_NEAR(Global("elapsed"), 3 * ZELM::Engine::kTickMs, 1e-3);
}

}  // namespace

namespace {

// Scripts that come with levels cannot reach the system; the game goes on past every attempt.
TEST_F(LuaScriptTest, DataScriptsCannotReachTheSystem) {
    MakeEngine({"Start"});
    const char* const attempts[] = {
        "os.execute('true')",      "os.remove('x')",       "os.rename('a', 'b')", "os.exit(1)",
        "os.tmpname()",            "io.open('/etc/passwd')", "debug.getinfo(1)",  "package.loadlib('x', 'y')",
        "require('x')",            "loadstring('return 1')", "load(function() end)",
        "dofile('/etc/passwd')",   "loadfile('../Resources/Scripts/../../x')()",
        "getmetatable(_G).__newindex.io.open('/etc/passwd')", "getfenv(0).io.open('/etc/passwd')",
    };
    std::string level = "function Init()\n  reached = 0\n";
    std::string entity = "function Init(entity)\n  reached = 0\n";
    for (const char* attempt : attempts) {
        const std::string guarded = std::string("  if pcall(function() ") + attempt + " end) then reached = reached + 1 end\n";
        level += guarded;
        entity += guarded;
    }
    level += "  levelReached = reached + 100\n  safe = os.time() > 0 and string.len('abc') == 3\nend\n";
    entity += "  _G.entityReached = reached + 100\nend\nfunction Update(entity, dt) end\nfunction Shutdown(entity) end\n";
    WriteScript("Sneaky", level);
    WriteScript("SneakyEntity", entity);
    WriteScript("Helper", "helped = true\n");
    WriteScript("Friendly", "dofile('../Resources/Scripts/Helper.lua')\nfunction Shutdown() end\n");
    WriteLevel("Start", Scripts("Sneaky", "Sneaky", "Friendly"), {{"Box", "SneakyEntity"}});
    StartEngine();
    EXPECT_EQ(problems.Count(), 0u) << (problems.Count() ? problems.Last().message : "");
    EXPECT_EQ(Global("levelReached"), 100.0) << "a level script reached the system";
    EXPECT_EQ(Global("entityReached"), 100.0) << "an entity script reached the system";
    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, "safe");
    EXPECT_TRUE(lua_toboolean(L, -1)) << "the harmless library is still there";
    lua_getglobal(L, "helped");
    EXPECT_TRUE(lua_toboolean(L, -1)) << "files in the scripts directory still load";
    lua_pop(L, 2);

    // An unguarded attempt is a script error like any other: reported, and the game goes on.
    WriteScript("Loud", "function Init() os.execute('true') end\n");
    WriteLevel("Next", Scripts("Loud", "", ""), {});
    engine->LoadLevel("Next");
    ASSERT_GE(problems.Count(), 1u);
    EXPECT_NE(problems.Last().message.find("Level script Init failed"), std::string::npos) << problems.Last().message;
    engine->RunFrame();
}

// Scripts that shared levels brought lie in the player's levels folder: they run there, in the
// same sandbox, and a game's script of the same name is always the one that runs.
TEST_F(LuaScriptTest, PlayerScriptsRunSandboxedFromThePlayersFolderAndNeverStandInForTheGames) {
    MakeEngine({"Start"});
    const std::filesystem::path own = ZELM::PlayerLevels::ScriptsDirectory();
    std::filesystem::create_directories(own);
    std::ofstream(own / "Mine.lua")
        << "function Init() mine = 1; mineReached = pcall(function() io.open('x') end) "
           "and 1 or 0; dofile('"
        << own.string() << "Helper.lua') end\n";
    std::ofstream(own / "Helper.lua") << "helped = 2\n";
    std::ofstream(own / "Walker.lua") << "function Init(entity) _G.walked = 3 end\n";
    WriteScript("Shadowed", "shadow = 1\n");
    std::ofstream(own / "Shadowed.lua") << "shadow = 2\n";
    WriteLevel("Start", Scripts("Mine", "Shadowed", ""), {{"Box", "Walker"}});
    StartEngine();
    EXPECT_EQ(problems.Count(), 0u) << (problems.Count() ? problems.Last().message : "");
    EXPECT_EQ(Global("mine"), 1.0);
    EXPECT_EQ(Global("mineReached"), 0.0) << "a player's script reached the system";
    EXPECT_EQ(Global("helped"), 2.0) << "files in the player's scripts folder load";
    EXPECT_EQ(Global("walked"), 3.0);
    EXPECT_EQ(Global("shadow"), 1.0);
}

}  // namespace
