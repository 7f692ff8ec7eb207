// A player's way through the screens: splash, menus, every mode, the pause menu, options, credits, quit.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/RunFallward.h"
#include "support/ScratchData.h"

namespace {

struct Frame {
    std::string level;
    std::string line;  // the whole traced line, for its texts
};

std::vector<Frame> ReadTrace(const std::string& path) {
    std::vector<Frame> frames;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const std::size_t level = line.find("\"level\":\"") + 9;
        frames.push_back({line.substr(level, line.find('"', level) - level), line});
    }
    return frames;
}

// The levels in the order the trace passes through them.
std::vector<std::string> LevelsOf(const std::vector<Frame>& frames) {
    std::vector<std::string> levels;
    for (const Frame& frame : frames) {
        if (levels.empty() || levels.back() != frame.level) {
            levels.push_back(frame.level);
        }
    }
    return levels;
}

// The whole on-screen text that starts with `start`, or empty.
std::string TextStartingWith(const Frame& frame, const std::string& start) {
    const std::size_t at = frame.line.find("\"" + start);
    return at == std::string::npos ? std::string()
                                   : frame.line.substr(at + 1, frame.line.find('"', at + 1) - at - 1);
}

// The number after `key` in the line, or -1 where the key is absent.
double Number(const Frame& frame, const std::string& key) {
    const std::size_t at = frame.line.find(key);
    return at == std::string::npos ? -1.0 : std::atof(frame.line.c_str() + at + key.size());
}

std::vector<Frame> PlayHeadless(const std::string& arguments) {
    const std::string trace = "/tmp/fallward-flow-" + std::to_string(::getpid()) + ".jsonl";
    const ZELMTest::RunResult run = ZELMTest::RunFallward("--headless --fixed-dt 16.6667 --problems fatal " +
                                                          arguments + " --trace " + trace);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<Frame> frames = ReadTrace(trace);
    std::remove(trace.c_str());
    return frames;
}

TEST(ScreenFlowRun, EveryScreenIsReachedAndQuitEndsTheGame) {
    const std::string trace = "/tmp/fallward-flow-" + std::to_string(::getpid()) + ".jsonl";
    // No frame limit: quitting from the main menu must end the program. The race lets the network
    // look for a second player: on loopback, so a test never broadcasts to the machine's network.
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--headless --fixed-dt 16.6667 --problems fatal --net-interface lo --input-script " +
                              ZELMTest::kFixtures + "/flows/every-screen.input --trace " + trace);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<Frame> frames = ReadTrace(trace);
    std::remove(trace.c_str());

    const std::vector<std::string> levels = LevelsOf(frames);
    const std::vector<std::string> expected = {
        "Splash", "Menu", "GameMenu", "Level1",      "Menu",    "GameMenu", "Courses", "TimeAttack", "Menu",
        "GameMenu", "Courses", "multiplayer", "Menu", "Options", "Menu", "Credits", "Menu"};
    EXPECT_EQ(levels, expected);

    auto shownIn = [&frames](const std::string& level, const std::string& text) {
        for (const Frame& frame : frames) {
            if (frame.level == level && frame.line.find("\"" + text) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(shownIn("Menu", "[play]\""));
    EXPECT_TRUE(shownIn("TimeAttack", "[paused]\""));
    EXPECT_TRUE(shownIn("TimeAttack", "[return to main menu]\""));
    EXPECT_TRUE(shownIn("TimeAttack", "HOW TO PLAY"));
    EXPECT_TRUE(shownIn("TimeAttack", "Time: "));
    EXPECT_TRUE(shownIn("Credits", "CREDITS\""));
}

// From the menus: the course finished with its solution, ENTER at the result plays it again at
// once, from its clock at 0 and beside the ghost of the first run; ESC then goes to the courses.
TEST(ScreenFlowRun, ATimeAttackTriedAgainFromItsResultStartsAfreshBesideTheFirstRunsGhost) {
    const ZELMTest::ScratchData data;  // no best run of another test's to meet
    const std::vector<Frame> frames =
        PlayHeadless("--frames 1100 --data " + data.Working() + " --input-script " + ZELMTest::kFixtures +
                     "/flows/time-attack-twice.input");
    const std::vector<std::string> expected = {"Splash",     "Menu",    "GameMenu", "Courses",
                                               "TimeAttack", "Courses", "GameMenu"};
    EXPECT_EQ(LevelsOf(frames), expected) << "no result screen and no main menu between the tries";

    struct Attempt {
        std::string firstClock;
        std::string result;
        std::string clock;  // beside the result
        int ghostFrames = 0;
    };
    std::vector<Attempt> attempts;
    bool resultShown = false;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].level != "TimeAttack") {
            resultShown = false;
            continue;
        }
        const std::string result =
            TextStartingWith(frames[i], "NEW RECORD!") + TextStartingWith(frames[i], "Almost!");
        const bool starts = i == 0 || frames[i - 1].level != "TimeAttack" || (resultShown && result.empty());
        if (starts) {
            attempts.push_back({TextStartingWith(frames[i], "Time: "), "", "", 0});
        }
        resultShown = !result.empty();
        if (resultShown && attempts.back().result.empty()) {
            attempts.back().result = result;
            attempts.back().clock = TextStartingWith(frames[i], "Time: ");
        }
        attempts.back().ghostFrames += frames[i].line.find("\"ghost\":{") != std::string::npos ? 1 : 0;
    }
    ASSERT_EQ(attempts.size(), 2u);
    for (const Attempt& attempt : attempts) {
        EXPECT_EQ(attempt.firstClock, "Time: 0") << "each try starts its clock at 0";
    }
    EXPECT_EQ(attempts[0].result, "NEW RECORD!   ENTER: try again   ESC: courses");
    EXPECT_EQ(attempts[0].ghostFrames, 0) << "no best run before the first";
    // The second attempt starts a second later and misses the first one's time by that second.
    EXPECT_EQ(attempts[1].result,
              "Almost! Try to beat " + attempts[0].clock.substr(6) + "!   ENTER: try again   ESC: courses");
    EXPECT_NE(attempts[1].clock, attempts[0].clock);
    EXPECT_GT(attempts[1].ghostFrames, 300) << "the first run's ghost races the second";
}

// The splash says any press skips it, and a key of any kind or a click does, long before its six
// seconds are up.
TEST(ScreenFlowRun, TheSplashIsSkippedBySpaceEscOrAClick) {
    const struct {
        const char* what;
        const char* script;
    } kPresses[] = {
        {"SPACE", "10 down SPACE\n11 up SPACE\n"},
        {"ESC", "10 down ESC\n11 up ESC\n"},
        {"a click", "10 click left\n"},
    };
    for (const auto& press : kPresses) {
        const ZELMTest::ScratchData data;
        const std::string script = data.Working() + "/splash.input";
        std::ofstream(script) << press.script;
        const std::vector<Frame> frames =
            PlayHeadless("--frames 30 --data " + data.Working() + " --input-script " + script);
        ASSERT_GE(frames.size(), 12u) << press.what;
        EXPECT_EQ(TextStartingWith(frames[0], "Press any"), "Press any key") << press.what;
        EXPECT_EQ(frames[8].level, "Splash") << press.what;
        EXPECT_EQ(LevelsOf(frames), (std::vector<std::string>{"Splash", "Menu"})) << press.what;
        EXPECT_EQ(frames[9].level, "Menu") << press.what << " skips the splash at once";
    }
}

TEST(ScreenFlowRun, ALoneRaceSaysNobodyCameAfterHalfAMinuteAndEscGoesBackToTheMenu) {
    const std::vector<Frame> frames = PlayHeadless("--frames 1970 --net-interface lo --input-script " +
                                                   ZELMTest::kFixtures + "/flows/race-alone.input");
    EXPECT_EQ(LevelsOf(frames),
              (std::vector<std::string>{"Splash", "Menu", "GameMenu", "Courses", "multiplayer", "Menu"}));
    std::size_t start = 0;
    while (start < frames.size() && frames[start].level != "multiplayer") {
        ++start;
    }
    // 1800 frames of 16.6667 ms make 30 s: the line changes between the 1790th and the 1810th.
    ASSERT_GT(frames.size(), start + 1810);
    const std::string waiting = "Waiting for player to connect... Looking on lo (127.0.0.1).";
    EXPECT_EQ(TextStartingWith(frames[start + 1790], "Waiting"), waiting);
    EXPECT_EQ(TextStartingWith(frames[start + 1810], "Waiting"),
              waiting + " Nobody found yet. Keep waiting, or press ESC to go back to the menu.");
    EXPECT_EQ(TextStartingWith(frames[start + 1810], "Time: "), "")
        << "no clock stands at 0 while nobody races";
    EXPECT_GT(Number(frames[start + 1810], "\"sent\":"), Number(frames[start + 1790], "\"sent\":"))
        << "the search goes on";
}

TEST(ScreenFlowRun, TheDisplayTogglesSayWhatTheySwitchedToAndEscLeavesTheOptions) {
    const std::vector<Frame> frames =
        PlayHeadless("--frames 90 --input-script " + ZELMTest::kFixtures + "/flows/options-toggles.input");
    EXPECT_EQ(LevelsOf(frames), (std::vector<std::string>{"Splash", "Menu", "Options", "Menu"}));
    ASSERT_EQ(frames.size(), 90u);
    // Frame N of the trace is frames[N - 1]; each toggle is confirmed in frame 46 and 70.
    EXPECT_EQ(TextStartingWith(frames[44], "windowed"), "") << "nothing is said before a toggle";
    EXPECT_EQ(TextStartingWith(frames[50], "windowed"), "windowed") << frames[50].line;
    EXPECT_EQ(TextStartingWith(frames[74], "800 x 600"), "800 x 600") << frames[74].line;
}

TEST(ScreenFlowRun, AClickOnAMenuButtonConfirmsIt) {
    const std::vector<Frame> frames =
        PlayHeadless("--frames 70 --input-script " + ZELMTest::kFixtures + "/flows/mouse-menu.input");
    EXPECT_EQ(LevelsOf(frames), (std::vector<std::string>{"Splash", "Menu", "Options"}));
    ASSERT_EQ(frames.size(), 70u);
    EXPECT_EQ(frames[58].level, "Menu") << "the click beside the buttons did nothing";
}

TEST(ScreenFlowRun, KeysInThePauseMenuLeaveGravityAndTheZoneAlone) {
    const std::vector<Frame> frames = PlayHeadless("--level Level14 --frames 140 --input-script " +
                                                   ZELMTest::kFixtures + "/flows/zone-pause.input");
    ASSERT_EQ(frames.size(), 140u);
    const Frame& before = frames[28];  // the player rests on the floor the zone pulls it to
    int pausedFrames = 0;
    for (const Frame& frame : frames) {
        if (frame.line.find("\"[paused]\"") != std::string::npos) {
            ++pausedFrames;
            for (const char* gravity : {"\"gx\":", "\"gy\":"}) {
                EXPECT_EQ(Number(frame, gravity), Number(before, gravity)) << frame.line;
            }
        }
    }
    EXPECT_GE(pausedFrames, 30);
    const std::string kY = "\"y\":";
    for (std::size_t i = 70; i + 1 < frames.size(); ++i) {  // the last frame quits: no player there
        EXPECT_NEAR(Number(frames[i], kY), Number(before, kY), 0.2)
            << "still on the floor after the pause: " << frames[i].line;
    }
}

}  // namespace
