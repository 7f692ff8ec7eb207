// Input scripts: what they hold frame by frame, and how bad lines are refused.
#include <gtest/gtest.h>

#include <string>

#include "input/InputScript.h"
#include "support/ProblemCapture.h"

namespace {

using Input::InputScript;
using ZELMTest::ProblemCapture;

bool Held(const InputScript& script, int code) {
    return (static_cast<unsigned char>(script.GetState().keys[static_cast<std::size_t>(code)]) & 0x80) != 0;
}

TEST(InputScript, EventsTakeEffectInTheirFrameWhateverTheirOrderInTheFile) {
    ProblemCapture problems;
    InputScript script;
    ASSERT_TRUE(script.Parse("# hold right\n\n  21 up RIGHT\r\n10 down right\n12 mouse -5 7\n", "hold.txt"));
    EXPECT_EQ(problems.Count(), 0u);
    script.AdvanceTo(9);
    EXPECT_FALSE(Held(script, 205));
    script.AdvanceTo(10);
    EXPECT_TRUE(Held(script, 205));
    script.AdvanceTo(12);
    EXPECT_TRUE(Held(script, 205));
    EXPECT_EQ(script.GetState().cursorX, -5);
    EXPECT_EQ(script.GetState().cursorY, 7);
    script.AdvanceTo(21);
    EXPECT_FALSE(Held(script, 205));
}

TEST(InputScript, EveryBadLineIsReportedWithTheFileAndLineAndTheRestStillPlays) {
    ProblemCapture problems;
    InputScript script;
    const std::string text =
        "1 down SPACE\n"                    // 1: good
        "0 down SPACE\n"                    // 2: frame 0
        "-3 down SPACE\n"                   // 3: negative frame
        "99999999999999999999 up SPACE\n"  // 4: frame too large
        "2 press SPACE\n"                   // 5: unknown verb
        "2 down HOME\n"                     // 6: unknown key
        "2 down\n"                          // 7: missing key
        "2 mouse 10\n"                      // 8: missing y
        "2 mouse 10 ten\n"                  // 9: not a number
        "2 mouse 10 99999999\n"             // 10: far off any screen
        "2 click middle\n"                  // 11: not left or right
        "2 down SPACE extra\n"              // 12: trailing word
        "x2 down SPACE\n"                   // 13: not a frame
        + std::string(300, 'A') + "\n"      // 14: too long
        + "\x01\x02\xff garbage\n"          // 15: binary
        + "3 up space\n";                   // 16: good
    EXPECT_FALSE(script.Parse(text, "bad.txt"));
    ASSERT_EQ(problems.Count(), 14u);
    for (std::size_t i = 0; i < problems.Count(); ++i) {
        const std::string expected = "Input script \"bad.txt\", line " + std::to_string(i + 2) + ":";
        EXPECT_EQ(problems.problems[i].message.rfind(expected, 0), 0u) << problems.problems[i].message;
    }
    EXPECT_NE(problems.problems[4].message.find("\"HOME\" is not a key name"), std::string::npos);
    // A report never echoes a whole hostile line or its raw bytes.
    EXPECT_LT(problems.problems[12].message.size(), 200u);
    EXPECT_EQ(problems.problems[13].message.find('\x01'), std::string::npos);

    ASSERT_EQ(script.GetEvents().size(), 2u);
    script.AdvanceTo(2);
    EXPECT_TRUE(Held(script, 57));
    script.AdvanceTo(3);
    EXPECT_FALSE(Held(script, 57));
}

TEST(InputScript, AWheelLineTurnsTheWheelByWholeNotchesInItsFrame) {
    ProblemCapture problems;
    InputScript script;
    EXPECT_FALSE(script.Parse("2 wheel -3\n2 wheel 0\n2 wheel 101\n2 wheel up\n", "wheel.txt"));
    EXPECT_EQ(problems.Count(), 3u) << "no turn, too far a turn, and no number";
    script.AdvanceTo(2);
    ASSERT_EQ(script.GetFreshEvents().size(), 1u);
    EXPECT_EQ(script.GetFreshEvents()[0].kind, InputScript::Kind::Wheel);
    EXPECT_EQ(script.GetFreshEvents()[0].notches, -3);
}

TEST(InputScript, AMissingFileIsReportedAndPlaysNothing) {
    ProblemCapture problems;
    InputScript script;
    EXPECT_FALSE(script.Load("/nonexistent/fallward/input.txt"));
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_NE(problems.Last().message.find("/nonexistent/fallward/input.txt"), std::string::npos);
    script.AdvanceTo(100);
    EXPECT_TRUE(script.GetEvents().empty());
}

}  // namespace

TEST(InputScript, TextTypesTheRestOfTheLineAndIsOfferedOnceAsAFreshEvent) {
    ProblemCapture problems;
    InputScript script;
    EXPECT_FALSE(script.Parse("2 text print(\"a b\")\r\n3 text\n3 text \x01\n2 down S\n", "text.txt"));
    EXPECT_EQ(problems.Count(), 2u) << "no text, and a character that cannot be typed";
    script.AdvanceTo(1);
    EXPECT_TRUE(script.GetFreshEvents().empty());
    script.AdvanceTo(2);
    ASSERT_EQ(script.GetFreshEvents().size(), 2u);
    EXPECT_EQ(script.GetFreshEvents()[0].text, "print(\"a b\")");
    EXPECT_EQ(script.GetFreshEvents()[1].kind, InputScript::Kind::Down);
    script.AdvanceTo(3);
    EXPECT_TRUE(script.GetFreshEvents().empty());
}

TEST(InputScript, LevelLinesCountFramesFromEachStartOfTheirLevelInTurn) {
    ProblemCapture problems;
    InputScript script;
    // RIGHT (205) before any level line; then the time attack twice, with a win screen between.
    ASSERT_TRUE(script.Parse("3 down RIGHT\n"
                             "level TimeAttack\n2 down UP\n900 down ENTER\n"
                             "level Win\n1 click left\n"
                             "level TimeAttack\n2 down LEFT\n",
                             "chain.txt"));
    EXPECT_EQ(problems.Count(), 0u);
    script.AdvanceTo(3);
    EXPECT_TRUE(Held(script, 205));
    EXPECT_FALSE(script.StartLevel("Win", 4)) << "the time attack comes first";
    ASSERT_TRUE(script.StartLevel("TimeAttack", 10));
    script.AdvanceTo(10);
    EXPECT_FALSE(Held(script, 205)) << "a level's first frame holds no key, as when it starts alone";
    script.AdvanceTo(11);
    EXPECT_TRUE(Held(script, 200)) << "frame 2 of the level";
    ASSERT_TRUE(script.StartLevel("Win", 50));
    script.AdvanceTo(50);
    EXPECT_FALSE(Held(script, 200));
    EXPECT_EQ(script.GetState().buttons[0], 0x80);
    script.AdvanceTo(51);
    EXPECT_EQ(script.GetState().buttons[0], 0) << "a click lasts one frame of the run";
    ASSERT_TRUE(script.StartLevel("TimeAttack", 70));
    script.AdvanceTo(2000);
    EXPECT_TRUE(Held(script, 203)) << "the second start of the time attack";
    EXPECT_FALSE(Held(script, 28)) << "ENTER belonged to the first, which ended before its frame 900";
    EXPECT_FALSE(script.StartLevel("TimeAttack", 3000));

    EXPECT_FALSE(script.Parse("level\nlevel A B\n", "bad-level.txt"));
    EXPECT_EQ(problems.Count(), 2u);
}

namespace {

// A script plays a gamepad beside the keys: buttons, sticks, triggers, and the pad pulled out; a
// bad pad line is reported like any other and the good ones still play.
TEST(InputScriptPad, PadLinesHoldButtonsSticksAndTriggersAndAPulledPadHoldsNothing) {
    ProblemCapture problems;
    Input::InputScript script;
    const std::string text =
        "1 pad down A\n"
        "1 stick left -32768 20000\n"
        "1 trigger right 255\n"
        "2 pad up A\n"
        "2 pad down DLEFT\n"
        "3 pad disconnect\n"
        "4 pad connect\n"
        "5 pad down Z\n"             // not a button
        "5 stick middle 0 0\n"       // no such stick
        "5 stick left 40000 0\n"     // out of range
        "5 trigger left 300\n"       // out of range
        "5 pad sideways A\n";        // not down or up
    EXPECT_FALSE(script.Parse(text, "pad.txt"));
    EXPECT_EQ(problems.Count(), 5u);
    using Input::ControllerState;
    const auto& state = script.GetState();
    EXPECT_FALSE(state.padConnected) << "a script without pad lines has no pad";
    script.AdvanceTo(1);
    EXPECT_TRUE(state.padConnected);
    EXPECT_EQ(state.pad.buttons, ControllerState::kA);
    EXPECT_EQ(state.pad.thumbLX, -32768);
    EXPECT_EQ(state.pad.thumbLY, 20000);
    EXPECT_EQ(state.pad.rightTrigger, 255);
    script.AdvanceTo(2);
    EXPECT_EQ(state.pad.buttons, ControllerState::kDpadLeft);
    script.AdvanceTo(3);
    EXPECT_FALSE(state.padConnected);
    EXPECT_EQ(state.pad.buttons, 0);
    EXPECT_EQ(state.pad.thumbLX, 0);
    script.AdvanceTo(4);
    EXPECT_TRUE(state.padConnected);
}

}  // namespace
