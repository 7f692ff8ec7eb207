// The controls a player chooses: how a binding lands, what it refuses, and the words that name it.
#include <gtest/gtest.h>

#include <string>

#include "input/Action.h"
#include "input/Controls.h"

namespace {

using Input::Controls;

constexpr int kI = 23;
constexpr int kLeftShift = 42;
constexpr int kSpace = 57;
constexpr int kUp = 200;
constexpr int kA = 30;

struct KeyCase {
    const char* what;
    Controls::Id action;
    int code;
    std::array<int, 2> keysAfter;       // the action's keys afterwards
    Controls::Id other;                 // an action the binding may take the key from
    std::array<int, 2> otherKeysAfter;  // its keys afterwards
    const char* noticeHas;
};

TEST(Controls, BindingAKeyLandsWhereAPlayerExpects) {
    const KeyCase cases[] = {
        {"a new key goes first, the old one second", Controls::kGravityUp, kI, {kI, kUp}, Controls::kPhase,
         {kSpace, 0}, "I gravity up"},
        {"a key another action holds moves and says so", Controls::kPhase, kA, {kA, kSpace}, Controls::kWalkLeft,
         {0, 0}, "taken from walk left"},
        {"ENTER is kept for the menus", Controls::kPhase, 28, {kSpace, 0}, Controls::kWalkLeft, {kA, 0}, "kept"},
        {"ESC is kept for the menus", Controls::kPause, 1, {25, 0}, Controls::kWalkLeft, {kA, 0}, "kept"},
        {"F11 is kept for the display", Controls::kPhase, 87, {kSpace, 0}, Controls::kWalkLeft, {kA, 0}, "kept"},
        {"a code no keyboard reports is refused", Controls::kPhase, 255, {kSpace, 0}, Controls::kWalkLeft,
         {kA, 0}, "cannot be bound"},
    };
    for (const KeyCase& c : cases) {
        Controls controls;
        const std::string notice = controls.BindKey(c.action, c.code);
        EXPECT_EQ(controls.Get(c.action).keys, c.keysAfter) << c.what;
        EXPECT_EQ(controls.Get(c.other).keys, c.otherKeysAfter) << c.what;
        EXPECT_NE(notice.find(c.noticeHas), std::string::npos) << c.what << ": " << notice;
    }
}

TEST(Controls, TheSameKeyAgainMakesItTheOnlyOne) {
    Controls controls;
    controls.BindKey(Controls::kPhase, kLeftShift);
    ASSERT_EQ(controls.Get(Controls::kPhase).keys, (std::array<int, 2>{kLeftShift, kSpace}));
    controls.BindKey(Controls::kPhase, kLeftShift);
    EXPECT_EQ(controls.Get(Controls::kPhase).keys, (std::array<int, 2>{kLeftShift, 0}));
}

TEST(Controls, APadControlMovesBetweenActionsAsAKeyDoes) {
    Controls controls;
    const std::string notice = controls.BindPad(Controls::kPhase, Input::kButtonA);
    EXPECT_EQ(controls.Get(Controls::kPhase).pad, (std::array<int, 2>{Input::kButtonA, Input::kRightTrigger}));
    controls.BindPad(Controls::kPause, Input::kButtonA);
    EXPECT_EQ(controls.Get(Controls::kPhase).pad, (std::array<int, 2>{Input::kRightTrigger, 0}));
    EXPECT_EQ(controls.Get(Controls::kPause).pad, (std::array<int, 2>{Input::kButtonA, Input::kButtonStart}));
    EXPECT_NE(controls.BindPad(Controls::kPause, Input::kRightStickButton).find("cannot"), std::string::npos)
        << "action 18 is never set by any pad";
}

TEST(Controls, SetRefusesWhatBindingWouldRefuse) {
    const struct {
        const char* what;
        Controls::Binding binding;
    } refused[] = {
        {"ENTER", {{28, 0}, {0, 0}}},
        {"a key another action holds", {{kA, 0}, {0, 0}}},
        {"an unknown key", {{-3, 0}, {0, 0}}},
        {"an unknown pad control", {{0, 0}, {99, 0}}},
    };
    for (const auto& c : refused) {
        Controls controls;
        EXPECT_FALSE(controls.Set(Controls::kPhase, c.binding)) << c.what;
        EXPECT_TRUE(controls == Controls()) << c.what << " changed the controls";
    }
}

TEST(Controls, TextsNameTheBoundKeysOrThePad) {
    Controls rebound;
    rebound.BindKey(Controls::kGravityUp, kI);
    rebound.BindKey(Controls::kGravityDown, 37);
    rebound.BindKey(Controls::kGravityLeft, 36);
    rebound.BindKey(Controls::kGravityRight, 38);
    rebound.BindKey(Controls::kPhase, kLeftShift);
    const struct {
        const Controls controls;
        bool pad;
        const char* text;
        const char* named;
    } cases[] = {
        {Controls(), false, "Hold {phase} and {gravityleft}!", "Hold SPACE and LEFT!"},
        {Controls(), false, "Use the {gravity} to turn", "Use the arrow keys to turn"},
        {Controls(), true, "Hold {phase}: use the {gravity}", "Hold RT or LT: use the right stick"},
        {rebound, false, "Hold {phase}", "Hold LSHIFT or SPACE"},
        {rebound, false, "Use the {gravity}", "Use the I/K/J/L keys"},
        {Controls(), false, "{unknown} and {walkup", "{unknown} and {walkup"},
        // The menus' own keys, whatever is bound.
        {rebound, false, "{confirm}: yes   {back}: no", "ENTER: yes   ESC: no"},
        {rebound, true, "{confirm}: yes   {back}: no", "A: yes   B: no"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.controls.NameIn(c.text, c.pad), c.named) << c.text;
    }
}

}  // namespace
