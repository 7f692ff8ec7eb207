// Scripts calling bound methods: argument conversion, results, records and the three ways of calling.
#include <lua.hpp>

#include <string>

#include <gtest/gtest.h>

#include "engine/DelayedCallQueue.h"
#include "support/ProblemCapture.h"
#include "utilities/Dynamic.h"
#include "utilities/LuaObject.h"
#include "utilities/LuaState.h"

namespace {

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    void Serialize(ZELM::ISerializer& serializer) {
        serializer.Serialize(x);
        serializer.Serialize(y);
        serializer.Serialize(z);
    }
};

class Scripted : public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    explicit Scripted(const std::string& name) { SetName(name); }
    void SetSolid(bool isSolid, float timer) {
        solid = isSolid;
        solidTimer = timer;
    }
    float Add(float a, float b) { return a + b; }
    void SetLabel(const std::string& text) { label = text; }
    const std::string& GetLabel() const { return label; }
    void Move(Vector3 to) { position = to; }
    Vector3 GetPosition() { return position; }
    void Note() { ++notes; }
    void Later(int value) { laterValue = value; }

    bool solid = true;
    float solidTimer = 0.0f;
    std::string label;
    Vector3 position;
    int notes = 0;
    int laterValue = 0;
};

// A scripted object whose table also holds a plain function, as an entity's "GetName".
class WithFunction : public Scripted {
public:
    using Scripted::Scripted;
    void AddFunction(const std::string& field) {
        luaTable->AddFunctionLua(field, [](lua_State* L) {
            lua_pushstring(L, "function");
            return 1;
        });
    }
};

class LuaBinding : public ::testing::Test {
protected:
    void TearDown() override {
        ZELM::DelayedCallQueue::DestroyInstance();
        ZELM::LuaState::Close();
    }

    // Runs a chunk; returns Lua's error message, or "" when it ran.
    static std::string Run(const std::string& chunk) {
        lua_State* L = ZELM::LuaState::Get();
        if (luaL_dostring(L, chunk.c_str()) != 0) {
            std::string error = lua_tostring(L, -1);
            lua_pop(L, 1);
            return error;
        }
        return "";
    }

    static double Number(const std::string& expression) {
        lua_State* L = ZELM::LuaState::Get();
        luaL_dostring(L, ("return " + expression).c_str());
        const double value = lua_tonumber(L, -1);
        lua_pop(L, 1);
        return value;
    }

    ZELMTest::ProblemCapture problems;
};

TEST_F(LuaBinding, ArgumentsConvertToTheParameterTypesAndResultsComeBack) {
    Scripted player("Player");
    player.Bind("SetSolid", &player, &Scripted::SetSolid);
    player.Bind("Add", &player, &Scripted::Add);
    player.Bind("SetLabel", &player, &Scripted::SetLabel);
    player.Bind("GetLabel", &player, &Scripted::GetLabel);

    EXPECT_EQ(Run("Player.SetSolid(false, 2)"), "");
    EXPECT_FALSE(player.solid);
    EXPECT_FLOAT_EQ(player.solidTimer, 2.0f);
    EXPECT_EQ(Run("Player:SetSolid(true, 0.5)"), "") << "a method call passes the table in front; it is ignored";
    EXPECT_TRUE(player.solid);
    EXPECT_FLOAT_EQ(player.solidTimer, 0.5f);

    EXPECT_DOUBLE_EQ(Number("Player.Add(1.5, 2)"), 3.5);
    EXPECT_EQ(Run("Player.SetLabel('crate')"), "");
    EXPECT_EQ(Run("assert(Player.GetLabel() == 'crate')"), "");
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(LuaBinding, RecordsCrossAsTablesBothWays) {
    Scripted player("Mover");
    player.Bind("Move", &player, &Scripted::Move);
    player.Bind("GetPosition", &player, &Scripted::GetPosition);

    EXPECT_EQ(Run("Mover.Move({1, 2, 3})"), "") << "keys from 1";
    EXPECT_FLOAT_EQ(player.position.x, 1.0f);
    EXPECT_FLOAT_EQ(player.position.z, 3.0f);
    EXPECT_EQ(Run("Mover.Move({[0] = 4, [1] = 5, [2] = 6})"), "") << "keys from 0";
    EXPECT_FLOAT_EQ(player.position.x, 4.0f);
    EXPECT_FLOAT_EQ(player.position.z, 6.0f);
    EXPECT_EQ(Run("local p = Mover.GetPosition(); assert(p[0] == 4 and p[1] == 5 and p[2] == 6)"), "");
}

TEST_F(LuaBinding, BroadcastReachesEveryBindingAndDeferredWaitsForTheQueue) {
    Scripted first("Pair");
    Scripted second("Pair");
    first.BindBroadcast("Note", &first, &Scripted::Note);
    second.BindBroadcast("Note", &second, &Scripted::Note);
    first.BindDeferred("Later", &first, &Scripted::Later);

    EXPECT_EQ(Run("Pair.Note()"), "");
    EXPECT_EQ(first.notes, 1);
    EXPECT_EQ(second.notes, 1);

    EXPECT_EQ(Run("Pair.Later(7)"), "");
    EXPECT_EQ(first.laterValue, 0) << "a deferred call never runs inside the script";
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_EQ(first.laterValue, 7);
}

TEST_F(LuaBinding, AnImmediateBindingNeverHidesADeferredOneOfTheSameName) {
    Scripted engine("LuaEngine");
    engine.BindDeferred("LoadLevel", &engine, &Scripted::SetLabel);
    engine.Bind("LoadLevel", &engine, &Scripted::SetLabel);
    engine.Bind("Add", &engine, &Scripted::Add);
    engine.BindDeferred("Add", &engine, &Scripted::Later);

    EXPECT_EQ(Run("LuaEngine.LoadLevel('Next')"), "");
    EXPECT_EQ(engine.label, "") << "still queued";
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_EQ(engine.label, "Next");

    EXPECT_EQ(Run("assert(LuaEngine.Add(1, 2) == nil)"), "") << "a deferred binding takes over the field";
}

TEST_F(LuaBinding, AFieldAlreadyReadFollowsALaterBindingAndAFieldNeverReadStillReportsWhenGone) {
    auto* engine = new Scripted("ReadEarly");
    engine->Bind("Add", engine, &Scripted::Add);
    engine->Bind("Note", engine, &Scripted::Note);
    EXPECT_EQ(Run("assert(ReadEarly.Add(1, 2) == 3); saved = ReadEarly"), "");
    engine->BindDeferred("Add", engine, &Scripted::Later);
    EXPECT_EQ(Run("assert(ReadEarly.Add(4) == nil)"), "") << "the deferred binding takes over a field already read";
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_EQ(engine->laterValue, 4);

    engine->RemoveName();
    delete engine;
    const std::string error = Run("saved.Note()");
    EXPECT_NE(error.find("Could not find any bound method(s) named \"Note\"!"), std::string::npos) << error;
}

// Fields are entered when the table is first read; what a script sees must not depend on when.
TEST_F(LuaBinding, FunctionsAndMethodsOfOneFieldResolveInTheOrderTheyWereAdded) {
    WithFunction object("FieldOrder");
    object.Bind("Early", &object, &Scripted::GetLabel);  // a method, then a function: the function
    object.AddFunction("Early");
    object.AddFunction("Late_Field");  // a function, then a method: the method
    object.Bind("Late Field", &object, &Scripted::GetLabel);
    object.Bind("Plain", &object, &Scripted::GetLabel);
    object.label = "method";
    EXPECT_EQ(Run("assert(FieldOrder.Early() == 'function')"), "");
    EXPECT_EQ(Run("assert(FieldOrder.Late_Field() == 'method')"), "");
    EXPECT_EQ(Run("assert(FieldOrder.Plain() == 'method')"), "");
}

TEST_F(LuaBinding, ScriptsCannotReachMethodsOfADestroyedName) {
    auto* gone = new Scripted("Gone");
    gone->Bind("Add", gone, &Scripted::Add);
    EXPECT_EQ(Run("saved = Gone; assert(Gone.Add(1, 1) == 2)"), "");
    gone->RemoveName();
    delete gone;
    EXPECT_EQ(Run("assert(Gone == nil)"), "");
    const std::string error = Run("saved.Add(1, 1)");
    EXPECT_NE(error.find("Could not find any bound method(s) named \"Add\"!"), std::string::npos) << error;
}

TEST_F(LuaBinding, UnserializableMethodsRaiseAScriptErrorWhenCalled) {
    Scripted holder("Holder");
    holder.Bind("Self", &holder, &Scripted::GetLabel);
    struct Opaque {
        int* pointer = nullptr;
    };
    class WithOpaque : public ZELM::DynamicBinder {
    public:
        WithOpaque() { SetName("Holder"); }
        void Take(Opaque) {}
    } binder;
    binder.Bind("Take", &binder, &WithOpaque::Take);
    const std::string error = Run("Holder.Take(1)");
    EXPECT_NE(error.find("Method \"Take\" contains unserializable types and could not be bound to Lua!"),
              std::string::npos)
        << error;
}

}  // namespace
