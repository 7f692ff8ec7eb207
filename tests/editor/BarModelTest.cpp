// Tests of the headless model (groups and their order, attributes, edits reaching the program) and
// of the painter over windowless ImGui frames.
#include <gtest/gtest.h>
#include <imgui.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/BarPainter.h"
#include "editor/tweakbar/BarRegistry.h"

namespace {

using Tweak::Bar;
using Tweak::BarRegistry;
using Tweak::Entry;
using Tweak::EntryList;
using Tweak::PendingAction;
using Tweak::TweakValue;
using Tweak::VariableBinding;

std::vector<std::string> NamesOf(const std::vector<Entry*>& entries) {
    std::vector<std::string> names;
    for (const Entry* entry : entries) {
        names.push_back(entry->Name());
    }
    return names;
}

using Names = std::vector<std::string>;

class EntryGroups : public ::testing::Test {
protected:
    Entry& Add(const std::string& name) {
        std::string error;
        Entry* entry = list.Add(std::make_unique<Entry>(Entry::Kind::Separator, name), error);
        EXPECT_NE(entry, nullptr) << error;
        return *entry;
    }

    bool Assign(const std::string& entry, const std::string& group) {
        error.clear();
        return list.AssignGroup(*list.Find(entry), group, error);
    }

    Names Children(const std::string& group = "") const {
        return NamesOf(list.ChildrenOf(group.empty() ? nullptr : list.Find(group)));
    }

    EntryList list;
    std::string error;
};

TEST_F(EntryGroups, AGroupIsMadeOnFirstMentionAndStandsWhereItsEarliestMemberStands) {
    Add("a");
    Add("b");
    Add("c");
    ASSERT_TRUE(Assign("b", "G"));
    EXPECT_EQ(list.Find("G")->GetKind(), Entry::Kind::Group);
    EXPECT_EQ(Children(), (Names{"a", "G", "c"}));
    EXPECT_EQ(Children("G"), (Names{"b"}));

    ASSERT_TRUE(Assign("c", "G"));
    ASSERT_TRUE(Assign("a", "G"));
    EXPECT_EQ(Children(), (Names{"G"}));
    EXPECT_EQ(Children("G"), (Names{"a", "b", "c"}));

    ASSERT_TRUE(Assign("a", ""));
    EXPECT_EQ(Children(), (Names{"a", "G"}));
}

TEST_F(EntryGroups, GroupsNestAndAnOuterGroupStandsWhereItsDeepestEarliestMemberStands) {
    Add("title");
    Add("mass");
    Add("speed");
    ASSERT_TRUE(Assign("speed", "Physics"));
    ASSERT_TRUE(Assign("mass", "Physics"));
    ASSERT_TRUE(Assign("Physics", "Attached"));
    EXPECT_EQ(Children(), (Names{"title", "Attached"}));
    EXPECT_EQ(Children("Attached"), (Names{"Physics"}));
    EXPECT_EQ(Children("Physics"), (Names{"mass", "speed"}));
}

TEST_F(EntryGroups, AGroupNeverEndsUpInsideItself) {
    Add("x");
    Add("y");
    ASSERT_TRUE(Assign("x", "A"));
    ASSERT_TRUE(Assign("y", "B"));
    ASSERT_TRUE(Assign("A", "B"));
    EXPECT_FALSE(Assign("B", "A"));
    EXPECT_NE(error.find("inside"), std::string::npos) << error;
    EXPECT_FALSE(Assign("A", "A"));
    EXPECT_EQ(Children(), (Names{"B"}));
    EXPECT_EQ(Children("B"), (Names{"A", "y"}));

    // Names of variables, buttons and separators are not groups.
    EXPECT_FALSE(Assign("x", "y"));
    EXPECT_EQ(list.Find("x")->Group(), list.Find("A"));
}

TEST_F(EntryGroups, NestingStopsAtItsDepthLimitWhicheverEndGrows) {
    Add("leaf");
    std::string inner = "leaf";
    for (int depth = 1; depth <= EntryList::kMaxGroupDepth; ++depth) {
        const std::string group = "G" + std::to_string(depth);
        ASSERT_TRUE(Assign(inner, group)) << error;
        inner = group;
    }
    EXPECT_FALSE(Assign(inner, "TooDeep"));
    EXPECT_EQ(list.Find("TooDeep"), nullptr);

    // Moving a deep subtree under another group counts the levels below it too.
    Add("other");
    ASSERT_TRUE(Assign("other", "Side"));
    ASSERT_TRUE(Assign("Side", "Outer"));
    EXPECT_FALSE(Assign("G15", "Side"));
    EXPECT_EQ(list.Find("G15")->Group(), list.Find("G16"));
}

TEST_F(EntryGroups, NamesAreUniqueAcrossKindsAndOnlySeparatorsGoUnnamed) {
    Add("speed");
    EXPECT_EQ(list.Add(std::make_unique<Entry>(Entry::Kind::Button, "speed"), error), nullptr);
    EXPECT_NE(list.Add(std::make_unique<Entry>(Entry::Kind::Separator, ""), error), nullptr);
    EXPECT_NE(list.Add(std::make_unique<Entry>(Entry::Kind::Separator, ""), error), nullptr);
    EXPECT_EQ(list.Add(std::make_unique<Entry>(Entry::Kind::Button, ""), error), nullptr);
    EXPECT_EQ(list.Add(std::make_unique<Entry>(Entry::Kind::Button, "line\nbreak"), error), nullptr);
    EXPECT_EQ(list.Find(""), nullptr);
    EXPECT_EQ(list.Count(), 3u);
}

TEST(BarAttributes, KnownAttributesAreCheckedAndABadValueLeavesTheOldOne) {
    Bar bar("Editor", 1);
    std::string error;
    EXPECT_EQ(bar.GetSettings().label, "Editor");
    EXPECT_TRUE(bar.SetAttribute("position", " 10   20 ", error));
    EXPECT_TRUE(bar.SetAttribute("color", "255 0 128", error));
    EXPECT_TRUE(bar.SetAttribute("iconified", "TRUE", error));
    for (const char* bad : {"10", "10 20 30", "10,20", "x 20", "10 99999999999", "10-20 5"}) {
        EXPECT_FALSE(bar.SetAttribute("position", bad, error)) << bad;
    }
    EXPECT_FALSE(bar.SetAttribute("size", "0 100", error));
    EXPECT_FALSE(bar.SetAttribute("color", "256 0 0", error));
    EXPECT_FALSE(bar.SetAttribute("alpha", "-1", error));
    EXPECT_FALSE(bar.SetAttribute("visible", "yes", error));
    EXPECT_NE(error.find("'visible' of bar 'Editor'"), std::string::npos) << error;
    EXPECT_EQ(bar.GetSettings().position.x, 10);
    EXPECT_EQ(bar.GetSettings().position.y, 20);
    EXPECT_EQ(bar.GetSettings().color[2], 128);
    EXPECT_TRUE(bar.GetSettings().iconified);
    EXPECT_TRUE(bar.GetSettings().visible);
}

TEST(BarAttributes, UnknownAttributesAreKeptUpToALimit) {
    Bar bar("Editor", 1);
    std::string error;
    std::string value;
    EXPECT_TRUE(bar.SetAttribute("alwaysbottom", "true", error));
    EXPECT_TRUE(bar.GetAttribute("alwaysbottom", value, error));
    EXPECT_EQ(value, "true");
    EXPECT_FALSE(bar.GetAttribute("help", value, error));
    for (std::size_t i = 1; i < Tweak::ExtraAttributes::kMaxCount; ++i) {
        ASSERT_TRUE(bar.SetAttribute("extra" + std::to_string(i), "1", error)) << i;
    }
    EXPECT_FALSE(bar.SetAttribute("onemore", "1", error));
    EXPECT_TRUE(bar.SetAttribute("alwaysbottom", "false", error));
}

TEST(BarAttributes, ThePlacementIsAskedForOnceAfterEachChangeNotAfterTheUserMovesTheWindow) {
    Bar bar("Editor", 1);
    std::string error;
    EXPECT_TRUE(bar.TakePlacementRequest());
    EXPECT_FALSE(bar.TakePlacementRequest());
    bar.SetAttribute("label", "Entities", error);
    EXPECT_FALSE(bar.TakePlacementRequest());
    bar.FollowWindow({300, 40}, {200, 100}, false);
    EXPECT_FALSE(bar.TakePlacementRequest());
    EXPECT_EQ(bar.GetSettings().position.x, 300);
    bar.FollowWindow({300, 40}, {200, 19}, true);
    EXPECT_EQ(bar.GetSettings().size.y, 100);
    EXPECT_TRUE(bar.GetSettings().iconified);
    bar.SetAttribute("visible", "true", error);
    EXPECT_TRUE(bar.TakePlacementRequest());
}

// A program's variable and button, reached through callbacks as the API's callers write them.
struct Program {
    float speed = 1.0f;
    std::string name = "crate";
    int presses = 0;
    int sets = 0;

    static void GetSpeed(void* value, void* self) {
        *static_cast<float*>(value) = static_cast<Program*>(self)->speed;
    }
    static void SetSpeed(const void* value, void* self) {
        static_cast<Program*>(self)->speed = *static_cast<const float*>(value);
        ++static_cast<Program*>(self)->sets;
    }
    static void GetName(void* value, void* self) {
        *static_cast<std::string*>(value) = static_cast<Program*>(self)->name;
    }
    static void SetName(const void* value, void* self) {
        static_cast<Program*>(self)->name = *static_cast<const std::string*>(value);
    }
    static void Press(void* self) { ++static_cast<Program*>(self)->presses; }
};

class BarEdits : public ::testing::Test {
protected:
    void SetUp() override {
        bar = bars.NewBar("Entity", error);
        ASSERT_NE(bar, nullptr) << error;
        speed = AddEntry(Entry::MakeVariable(
            "speed", VariableBinding(TW_TYPE_FLOAT, Program::SetSpeed, Program::GetSpeed, &program)));
        name = AddEntry(Entry::MakeVariable(
            "name", VariableBinding(TW_TYPE_STDSTRING, Program::SetName, Program::GetName, &program)));
        AddEntry(Entry::MakeButton("push", Program::Press, &program));
    }

    Entry* AddEntry(std::unique_ptr<Entry> entry) {
        Entry* added = bar->Entries().Add(std::move(entry), error);
        EXPECT_NE(added, nullptr) << error;
        return added;
    }

    Program program;
    BarRegistry bars;
    Bar* bar = nullptr;
    Entry* speed = nullptr;
    Entry* name = nullptr;
    std::string error;
};

TEST_F(BarEdits, ValuesAreReadThroughTheGetCallbackEachTime) {
    EXPECT_EQ(std::get<float>(speed->Read()), 1.0f);
    program.speed = 4.0f;
    EXPECT_EQ(std::get<float>(speed->Read()), 4.0f);
    EXPECT_EQ(std::get<std::string>(name->Read()), "crate");
}

TEST_F(BarEdits, EditsReachTheSetCallbackClampedAndOfTheVariablesTypeOnly) {
    ASSERT_TRUE(bars.DefineEntry(*bar, *speed, "min=0 max=10", error)) << error;
    EXPECT_TRUE(speed->ApplyEdit(2.5f));
    EXPECT_EQ(program.speed, 2.5f);
    EXPECT_TRUE(speed->ApplyEdit(80.0f));
    EXPECT_EQ(program.speed, 10.0f);
    EXPECT_TRUE(speed->ApplyEdit(-1.0f));
    EXPECT_EQ(program.speed, 0.0f);
    EXPECT_FALSE(speed->ApplyEdit(2.5));
    EXPECT_FALSE(speed->ApplyEdit(std::string("fast")));
    EXPECT_TRUE(name->ApplyEdit(std::string("barrel")));
    EXPECT_EQ(program.name, "barrel");
    EXPECT_EQ(program.sets, 3);
}

TEST_F(BarEdits, AVariableWithoutASetCallbackIsReadOnlyWhateverItsAttributesSay) {
    Entry* shown = AddEntry(
        Entry::MakeVariable("shown", VariableBinding(TW_TYPE_FLOAT, nullptr, Program::GetSpeed, &program)));
    EXPECT_TRUE(shown->IsReadOnly());
    EXPECT_TRUE(shown->SetAttribute("readonly", "false", error));
    EXPECT_TRUE(shown->IsReadOnly());
    EXPECT_FALSE(shown->ApplyEdit(3.0f));

    ASSERT_TRUE(speed->SetAttribute("readonly", "true", error));
    EXPECT_FALSE(speed->ApplyEdit(3.0f));
    EXPECT_EQ(program.sets, 0);
}

TEST_F(BarEdits, ActionsFromTheDrawingFindTheirEntryByBarAndNameOrDoNothing) {
    bars.Carry({bar->Serial(), "speed", TweakValue(6.0f)});
    bars.Carry({bar->Serial(), "push", std::nullopt});
    EXPECT_EQ(program.speed, 6.0f);
    EXPECT_EQ(program.presses, 1);

    const unsigned oldSerial = bar->Serial();
    bars.DeleteBar(bar);
    Bar* again = bars.NewBar("Entity", error);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again->Serial(), oldSerial);
    bars.Carry({oldSerial, "push", std::nullopt});
    bars.Carry({again->Serial(), "push", std::nullopt});
    EXPECT_EQ(program.presses, 1);
}

BarRegistry* registryToClear = nullptr;
void DeleteEveryBar(void*) {
    registryToClear->Clear();
}

TEST_F(BarEdits, AButtonMayDeleteItsOwnBar) {
    AddEntry(Entry::MakeButton("close", DeleteEveryBar, nullptr));
    registryToClear = &bars;
    bars.Carry({bar->Serial(), "close", std::nullopt});
    EXPECT_TRUE(bars.Bars().empty());
}

TEST_F(BarEdits, GroupsOpenAsAskedOnceAndThenFollowTheUser) {
    ASSERT_TRUE(bar->SetEntryAttribute(*speed, "group", "Motion", error)) << error;
    Entry* motion = bar->Entries().Find("Motion");
    EXPECT_TRUE(motion->TakeOpenedRequest());
    EXPECT_FALSE(motion->TakeOpenedRequest());
    motion->FollowOpened(false);
    EXPECT_FALSE(motion->TakeOpenedRequest());
    ASSERT_TRUE(bars.Define("Entity/Motion opened=true", error)) << error;
    EXPECT_TRUE(motion->TakeOpenedRequest());
    EXPECT_TRUE(motion->GetSettings().opened);
}

TEST_F(BarEdits, ADefinitionAppliesWhatItCanAndReportsTheRest) {
    bars.NewBar("My Bar", error);
    const bool all = bars.Define(
        "'My Bar' label='Entity Editor' alpha=128\n"
        "Missing visible=false\n"
        "Entity/nothing label=x\n"
        "Entity/speed step=fast precision=2 label=Speed\n"
        "GLOBAL fontresizable=false\n"
        "Entity size='oops' color='0 0 0'",
        error);
    EXPECT_FALSE(all);
    EXPECT_EQ(bars.Find("My Bar")->GetSettings().label, "Entity Editor");
    EXPECT_EQ(speed->GetSettings().precision, 2);
    EXPECT_EQ(speed->GetSettings().label, "Speed");
    EXPECT_EQ(bar->GetSettings().color[0], 0);
    for (const char* reason : {"line 2: no bar named 'Missing'", "line 3:", "line 4:", "line 6:"}) {
        EXPECT_NE(error.find(reason), std::string::npos) << reason << " in " << error;
    }
    EXPECT_EQ(error.find("line 5"), std::string::npos) << error;
}

TEST_F(BarEdits, ThousandsOfBadLinesMakeABoundedReport) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "Missing a=1\n";
    }
    EXPECT_FALSE(bars.Define(text, error));
    EXPECT_LT(error.size(), 5000u);
}

// Frames of the painter without a window: what a designer types and clicks, as ImGui receives it.
class PaintedBar : public BarEdits {
protected:
    void SetUp() override {
        BarEdits::SetUp();
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(800.0f, 600.0f);
        io.IniFilename = nullptr;
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
        ASSERT_TRUE(bars.Define("Entity position='0 0' size='300 200'", error)) << error;
    }
    void TearDown() override { ImGui::DestroyContext(); }

    void Frame() {
        ImGui::GetIO().DeltaTime = 1.0f / 60.0f;
        ImGui::NewFrame();
        const std::vector<PendingAction> actions = painter.Paint(bars);
        ImGui::Render();
        for (const PendingAction& action : actions) {
            bars.Carry(action);
        }
    }

    Tweak::BarPainter painter;
};

TEST_F(PaintedBar, TextTypedIntoAFieldReachesTheProgramWhenAClickLeavesTheFieldButNotOnEsc) {
    ImGuiIO& io = ImGui::GetIO();
    io.KeyMap[ImGuiKey_Escape] = 27;
    const struct {
        bool escape;
        const char* kept;
    } cases[] = {{false, "Gamma"}, {true, "crate"}};
    for (const auto& leaving : cases) {
        program.name = "crate";
        ASSERT_TRUE(bars.DefineEntry(*bar, *name, "keyboardfocus=true", error)) << error;
        Frame();
        Frame();
        io.AddInputCharactersUTF8("Gamma");
        Frame();
        EXPECT_EQ(program.name, "crate") << "not while typing";
        io.MousePos = ImVec2(700.0f, 500.0f);  // on nothing
        io.MouseDown[0] = !leaving.escape;
        io.KeysDown[27] = leaving.escape;
        Frame();
        io.MouseDown[0] = false;
        io.KeysDown[27] = false;
        Frame();
        // Focused, the field's text was selected, so typing replaced it.
        EXPECT_EQ(program.name, leaving.kept) << "escape: " << leaving.escape;
    }
}

TEST_F(PaintedBar, AFocusRequestWhileTypingRestartsTheFieldFromTheProgramsText) {
    ImGuiIO& io = ImGui::GetIO();
    io.KeyMap[ImGuiKey_Enter] = 13;
    ASSERT_TRUE(bars.DefineEntry(*bar, *name, "keyboardfocus=true", error)) << error;
    Frame();
    Frame();
    io.AddInputCharactersUTF8("half typed");
    Frame();
    program.name = "recalled";  // a console's history, for one
    ASSERT_TRUE(bars.DefineEntry(*bar, *name, "keyboardfocus=true", error)) << error;
    Frame();
    Frame();
    io.KeysDown[13] = true;
    Frame();
    io.KeysDown[13] = false;
    Frame();
    EXPECT_EQ(program.name, "recalled");
}

}  // namespace
