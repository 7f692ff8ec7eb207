// What the game keeps for the player between runs: records, adventure progress, settings and the
// best runs with their ghosts, and how it survives those files when they are hostile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

struct Played {
    ZELMTest::RunResult run;
    std::vector<std::string> lines;  // the trace, a frame a line
};

// One run of the game on the scratch data; problems go to standard error.
Played Play(const ZELMTest::ScratchData& data, const std::string& arguments) {
    const std::string trace = "/tmp/fallward-player-files-" + std::to_string(::getpid()) + ".jsonl";
    Played played;
    played.run = ZELMTest::RunFallward("--headless --fixed-dt 16.6667 --problems stderr --data " +
                                       data.Working() + " --trace " + trace + " " + arguments);
    std::ifstream file(trace);
    for (std::string line; std::getline(file, line);) {
        played.lines.push_back(line);
    }
    std::remove(trace.c_str());
    return played;
}

std::string Flow(const std::string& name) {
    return " --input-script " + ZELMTest::kFixtures + "/flows/" + name;
}

// The first on-screen text that starts with `start`, in any frame.
std::string Shown(const Played& played, const std::string& start) {
    for (const std::string& line : played.lines) {
        const std::size_t at = line.find("\"" + start);
        if (at != std::string::npos) {
            return line.substr(at + 1, line.find('"', at + 1) - at - 1);
        }
    }
    return std::string();
}

std::vector<std::string> Levels(const Played& played) {
    std::vector<std::string> levels;
    for (const std::string& line : played.lines) {
        const std::size_t at = line.find("\"level\":\"") + 9;
        const std::string level = line.substr(at, line.find('"', at) - at);
        if (levels.empty() || levels.back() != level) {
            levels.push_back(level);
        }
    }
    return levels;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const std::string kLate = Flow("time-attack-late.input") + " --frames 600";
// The first attempt alone, up to its result: the ENTER that plays it again comes at frame 512.
const std::string kFast = Flow("time-attack-twice.input") + " --frames 505";

std::string BestRunOf(const ZELMTest::ScratchData& data) {
    return ReadFile(data.Working() + "/replays/TimeAttack.replay");
}

// A frame's "player" or "ghost" object, "" when the frame has none.
std::string Part(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":{");
    return at == std::string::npos ? std::string() : line.substr(at, line.find('}', at) - at + 1);
}

// The x and y of a trace object, as written.
std::string Place(const std::string& part) {
    auto field = [&part](const std::string& key) {
        const std::size_t at = part.find("\"" + key + "\":") + key.size() + 3;
        return part.substr(at, part.find_first_of(",}", at) - at);
    };
    return part.empty() ? std::string() : field("x") + " " + field("y");
}

std::size_t GhostFrames(const Played& played) {
    std::size_t frames = 0;
    for (const std::string& line : played.lines) {
        frames += Part(line, "ghost").empty() ? 0 : 1;
    }
    return frames;
}

TEST(PlayerFilesRun, TheTimeAttackRecordIsTheBestOfEveryRun) {
    const ZELMTest::ScratchData data;
    EXPECT_EQ(Shown(Play(data, kLate), "NEW RECORD!"), "NEW RECORD!   ENTER: try again   ESC: courses");
    const Played fast = Play(data, kFast);
    EXPECT_EQ(Shown(fast, "NEW RECORD!"), "NEW RECORD!   ENTER: try again   ESC: courses");
    const Played late = Play(data, kLate);
    EXPECT_EQ(Shown(late, "NEW RECORD!"), "") << "a new process remembers the faster run";
    EXPECT_EQ(Shown(late, "Almost!"), "Almost! Try to beat 4.200!   ENTER: try again   ESC: courses");
}

TEST(PlayerFilesRun, TheAdventureGoesOnFromTheFurthestLevelWithItsBestTimes) {
    const ZELMTest::ScratchData data;
    const std::string fresh = Flow("adventure-start.input") + " --frames 40";
    EXPECT_EQ(Levels(Play(data, fresh)).back(), "Level1") << "a new player starts at the beginning";

    const std::string solved =
        "--level Level1 --frames 800 --input-script " + FALLWARD_SOLUTIONS + "/Level1.input";
    const Played first = Play(data, solved);
    EXPECT_EQ(Levels(first).back(), "Level2");
    EXPECT_EQ(Shown(first, "Time: "), "Time: 10.233 NEW BEST!") << "the finish shows the time";

    EXPECT_EQ(Levels(Play(data, fresh)).back(), "Level2") << "[adventure] goes on where the player got to";
    EXPECT_EQ(Shown(Play(data, solved), "Time: "), "Time: 10.233 NEW BEST! +0.000")
        << "the same time again ties it, and its ghost";
    std::ofstream(data.Working() + "/records.xml")
        << "<Records><Furthest>Level2</Furthest><Best level=\"Level1\">9.5</Best></Records>";
    EXPECT_EQ(Shown(Play(data, solved), "Time: "), "Time: 10.233 Best: 9.500 +0.000");
}

TEST(PlayerFilesRun, TheLevelSelectionListsTheLevelsReachedWithTheirBestTimesAndStartsTheChosenOne) {
    const ZELMTest::ScratchData data;
    std::ofstream(data.Working() + "/records.xml")
        << "<Records><Furthest>Level3</Furthest><Best level=\"Level2\">12.5</Best></Records>";
    const Played played = Play(data, Flow("level-select.input") + " --frames 120");
    EXPECT_EQ(played.run.status, 0) << played.run.errors;
    EXPECT_EQ(Shown(played, "[Level 1"), "[Level 1: no time yet]");
    EXPECT_EQ(Shown(played, "[Level 2"), "[Level 2: 12.500 s]");
    EXPECT_EQ(Shown(played, "[Level 3"), "[Level 3: no time yet]");
    EXPECT_EQ(Shown(played, "[Level 4"), "") << "a level not reached is not offered";
    EXPECT_EQ(Shown(played, "World "), "World 1: turning gravity") << "the page names its world";
    EXPECT_EQ(Levels(played),
              (std::vector<std::string>{"Splash", "Menu", "GameMenu", "LevelSelect", "Level3"}));
}

TEST(PlayerFilesRun, TheCourseMenusOfferEachCourseWithItsBestAndStartTheChosenOne) {
    const ZELMTest::ScratchData data;
    std::ofstream(data.Working() + "/records.xml")
        << "<Records><Best level=\"TimeAttack2\">12.5</Best><Best level=\"multiplayer2\">9.25</Best></Records>";
    const Played played = Play(data, Flow("course-menus.input") + " --net-interface lo --frames 230");
    EXPECT_EQ(played.run.status, 0) << played.run.errors;
    EXPECT_EQ(played.run.errors, "");
    EXPECT_EQ(Levels(played), (std::vector<std::string>{"Splash", "Menu", "GameMenu", "Courses", "TimeAttack2", "Menu",
                                                        "GameMenu", "Courses", "multiplayer2", "Menu"}));
    // Each button with its course's best; the line under them with the selected course's target.
    const struct {
        const char* start;
        const char* shown;
    } kTexts[] = {
        {"[short", "[short: no time yet]"},     {"[medium", "[medium: 12.500 s]"},
        {"[long", "[long: no time yet]"},       {"[course 1", "[course 1: no time yet]"},
        {"[course 2", "[course 2: 9.250 s]"},   {"target 4.", "target 4.200 s"},
        {"target 6.", "target 6.867 s"},        {"target 3.", "target 3.017 s"},
        {"target 8.", "target 8.550 s"},
    };
    for (const auto& text : kTexts) {
        EXPECT_EQ(Shown(played, text.start), text.shown);
    }
    EXPECT_NE(Shown(played, "Waiting for player"), "") << "the second race course looks for the other player";
}

TEST(PlayerFilesRun, AHostileRecordsFileIsReportedOnceAndReplacedByTheNextRecord) {
    const std::string kHead = "<?xml version=\"1.0\" ?>\n<Records>";
    const struct {
        const char* name;
        std::string text;  // "" writes no file
    } kCases[] = {
        {"missing", ""},
        {"truncated", kHead + "<Best level=\"TimeAttack\">1.5</Be"},
        {"not XML",
         "\x7f"
         "ELF garbage"},
        {"negative", kHead + "<Best level=\"TimeAttack\">-1</Best></Records>"},
        {"unknown level", kHead + "<Best level=\"Nowhere\">1</Best></Records>"},
        {"huge", kHead + "<Best level=\"TimeAttack\">1e300</Best></Records>"},
        {"NaN", kHead + "<Best level=\"TimeAttack\">NaN</Best></Records>"},
    };
    for (const auto& testCase : kCases) {
        const ZELMTest::ScratchData data;
        const std::string records = data.Working() + "/records.xml";
        if (!testCase.text.empty()) {
            std::ofstream(records) << testCase.text;
        }
        const Played played = Play(data, kLate);
        EXPECT_EQ(played.run.status, 0) << testCase.name << ": " << played.run.errors;
        EXPECT_EQ(Count(played.run.errors, "The records file"), testCase.text.empty() ? 0u : 1u)
            << testCase.name << ": " << played.run.errors;
        EXPECT_EQ(Shown(played, "NEW RECORD!"), "NEW RECORD!   ENTER: try again   ESC: courses")
            << testCase.name;
        EXPECT_NE(ReadFile(records).find("<Best level=\"TimeAttack\">5."), std::string::npos)
            << testCase.name << ": " << ReadFile(records);
    }
}

TEST(PlayerFilesRun, VolumesAreSavedAndAppliedAtTheNextStartAndHostileSettingsAreReplaced) {
    const ZELMTest::ScratchData data;
    const std::string settings = data.Working() + "/settings.xml";
    std::ofstream(settings) << "<Settings><MusicVolume>NaN</MusicVolume></Settings>";
    const std::string flow = Flow("options-volumes.input");
    const Played changed = Play(data, flow + " --frames 120");
    EXPECT_EQ(changed.run.status, 0) << changed.run.errors;
    EXPECT_EQ(Count(changed.run.errors, "The settings file"), 1u) << changed.run.errors;
    EXPECT_EQ(Shown(changed, "[music volume"), "[music volume: 100%]") << "the defaults stand in";
    EXPECT_NE(ReadFile(settings).find("<MusicVolume>80</MusicVolume>"), std::string::npos)
        << ReadFile(settings);
    EXPECT_NE(ReadFile(settings).find("<EffectsVolume>90</EffectsVolume>"), std::string::npos);

    const Played next = Play(data, flow + " --frames 60");  // the options opened, nothing changed
    EXPECT_EQ(next.run.errors.find("The settings file"), std::string::npos) << next.run.errors;
    EXPECT_EQ(Shown(next, "[music volume"), "[music volume: 80%]");
    EXPECT_EQ(Shown(next, "[effects volume"), "[effects volume: 90%]");
}

TEST(PlayerFilesRun, VsyncAndTheFrameLimitAreSavedAndShownAtTheNextStart) {
    const ZELMTest::ScratchData data;
    const std::string settings = data.Working() + "/settings.xml";
    const std::string flow = Flow("options-pacing.input");
    const Played changed = Play(data, flow + " --frames 130");
    EXPECT_EQ(changed.run.status, 0) << changed.run.errors;
    EXPECT_EQ(Shown(changed, "[vsync"), "[vsync: on]") << "on until the player turns it off";
    EXPECT_EQ(Shown(changed, "vsync off"), "vsync off");
    EXPECT_EQ(Shown(changed, "at most 120"), "at most 120 frames a second");
    EXPECT_NE(ReadFile(settings).find("<Vsync>false</Vsync>"), std::string::npos) << ReadFile(settings);
    EXPECT_NE(ReadFile(settings).find("<FrameLimit>120</FrameLimit>"), std::string::npos)
        << ReadFile(settings);

    const Played next = Play(data, flow + " --frames 60");  // the options opened, nothing changed
    EXPECT_EQ(next.run.errors.find("The settings file"), std::string::npos) << next.run.errors;
    EXPECT_EQ(Shown(next, "[vsync"), "[vsync: off]");
    EXPECT_EQ(Shown(next, "[frame limit"), "[frame limit: 120]");
}

TEST(PlayerFilesRun, ABestRunIsKeptOnlyWhenItSetsTheRecordAndTheClockShowsTheDifferenceToIt) {
    const ZELMTest::ScratchData data;
    const Played late = Play(data, kLate);
    EXPECT_EQ(Shown(late, "Time: 5.2"), "Time: 5.200") << "no ghost, no difference";
    EXPECT_NE(BestRunOf(data).find("start TimeAttack\n"), std::string::npos) << BestRunOf(data);
    EXPECT_NE(BestRunOf(data).find("\nfinish 5.2"), std::string::npos) << BestRunOf(data);

    EXPECT_EQ(Shown(Play(data, kFast), "Time: 4.2"), "Time: 4.200 -1.000");
    const std::string fast = BestRunOf(data);
    EXPECT_NE(fast.find("\nfinish 4.2"), std::string::npos) << fast;

    EXPECT_EQ(Shown(Play(data, kLate), "Time: 5.2"), "Time: 5.200 +1.000");
    EXPECT_EQ(BestRunOf(data), fast) << "a slower run leaves the best run as it was";
}

TEST(PlayerFilesRun, TheGhostRetracesTheBestRunFrameByFrameAndLeavesThePlayerAsItWas) {
    const ZELMTest::ScratchData data;
    const Played first = Play(data, kFast);
    const Played second = Play(data, kFast);  // the same run again, beside the first one's ghost
    ASSERT_EQ(first.lines.size(), second.lines.size());
    EXPECT_EQ(GhostFrames(first), 0u) << "no ghost before the first best run";
    EXPECT_GT(GhostFrames(second), 400u);
    for (std::size_t i = 0; i < first.lines.size(); ++i) {
        EXPECT_EQ(Part(second.lines[i], "player"), Part(first.lines[i], "player")) << "frame " << i + 1;
        const std::string ghost = Part(second.lines[i], "ghost");
        if (!ghost.empty()) {
            EXPECT_EQ(Place(ghost), Place(Part(first.lines[i], "player"))) << "frame " << i + 1;
        }
    }
}

TEST(PlayerFilesRun, TheGhostOptionIsKeptAndOffShowsNoGhost) {
    const ZELMTest::ScratchData data;
    Play(data, kFast);
    const Played options = Play(data, Flow("options-ghost.input") + " --frames 70");
    EXPECT_EQ(options.run.status, 0) << options.run.errors;
    EXPECT_EQ(Shown(options, "[ghost"), "[ghost: on]") << "on until the player turns it off";
    EXPECT_EQ(Shown(options, "[ghost: off"), "[ghost: off]");
    EXPECT_NE(ReadFile(data.Working() + "/settings.xml").find("<Ghosts>false</Ghosts>"), std::string::npos)
        << ReadFile(data.Working() + "/settings.xml");
    EXPECT_EQ(GhostFrames(Play(data, kFast)), 0u);
}

TEST(PlayerFilesRun, AGarbledBestRunIsReportedOnceShowsNoGhostAndTheNextRecordReplacesIt) {
    const std::string kHead = "version x\nstart TimeAttack\ndt 1 16.6667\n";
    const struct {
        const char* name;
        std::string text;
    } kCases[] = {
        {"not text",
         "\x7f"
         "ELF\x01\x02 garbage"},
        {"no path", kHead},
        {"truncated", kHead + "at 1 2.5 1.4 0 -1\nat 2 2.5 1."},
        {"NaN place", kHead + "at 1 nan 1.4 0 -1\nfinish 4.2\n"},
        {"frames out of order", kHead + "at 2 2.5 1.4 0 -1\nfinish 4.2\n"},
    };
    for (const auto& testCase : kCases) {
        const ZELMTest::ScratchData data;
        std::filesystem::create_directories(data.Working() + "/replays");
        std::ofstream(data.Working() + "/replays/TimeAttack.replay") << testCase.text;
        const Played played = Play(data, kFast);
        EXPECT_EQ(played.run.status, 0) << testCase.name << ": " << played.run.errors;
        EXPECT_EQ(Count(played.run.errors, "cannot be shown as a ghost"), 1u)
            << testCase.name << ": " << played.run.errors;
        EXPECT_EQ(GhostFrames(played), 0u) << testCase.name;
        EXPECT_NE(BestRunOf(data).find("\nfinish 4.2"), std::string::npos) << testCase.name;
    }
}

TEST(PlayerFilesRun, ABestRunThatCannotBeSavedIsReportedAndTheRecordStillCounts) {
    const ZELMTest::ScratchData data;
    std::ofstream(data.Working() + "/replays") << "a file where the folder would go";
    const Played played = Play(data, kFast);
    EXPECT_EQ(played.run.status, 0) << played.run.errors;
    EXPECT_EQ(Count(played.run.errors, "The best run could not be saved"), 1u) << played.run.errors;
    EXPECT_EQ(Shown(played, "NEW RECORD!"), "NEW RECORD!   ENTER: try again   ESC: courses");
    EXPECT_NE(ReadFile(data.Working() + "/records.xml").find("<Best level=\"TimeAttack\">4.2"),
              std::string::npos);
}

}  // namespace
