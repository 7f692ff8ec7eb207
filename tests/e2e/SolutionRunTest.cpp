// Every level's solution reaches the goal and shows the tutorial texts of what the level brings in;
// Level1's trace shows the turn, the death, the respawn, the power-up and the win; a rest on red
// sends the player back at every display rate.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/ScaledScript.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

// One frame of the trace, with the fields the tests read.
struct TracedFrame {
    int frame = 0;
    int tick = 0;
    std::string level;
    bool hasPlayer = false;
    double x = 0, y = 0, gx = 0, gy = 0, radius = 0;
    std::string texts;  // the frame's texts as the trace writes them
};

double Number(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":");
    return at == std::string::npos ? NAN : std::strtod(line.c_str() + at + key.size() + 3, nullptr);
}

std::vector<TracedFrame> ReadTrace(const std::string& path) {
    std::vector<TracedFrame> frames;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        TracedFrame frame;
        frame.frame = static_cast<int>(Number(line, "frame"));
        frame.tick = static_cast<int>(Number(line, "tick"));
        const std::size_t level = line.find("\"level\":\"") + 9;
        frame.level = line.substr(level, line.find('"', level) - level);
        frame.hasPlayer = line.find("\"player\":") != std::string::npos;
        const std::size_t texts = line.find("\"texts\":");
        frame.texts = texts == std::string::npos ? "" : line.substr(texts);
        if (frame.hasPlayer) {
            frame.x = Number(line, "x");
            frame.y = Number(line, "y");
            frame.gx = Number(line, "gx");
            frame.gy = Number(line, "gy");
            frame.radius = Number(line, "radius");
        }
        frames.push_back(frame);
    }
    return frames;
}

// Plays the level with its solution and returns the trace.
std::vector<TracedFrame> Play(const std::string& level, int frames) {
    const std::string trace = "/tmp/fallward-solution-" + std::to_string(::getpid()) + "-" + level + ".jsonl";
    const RunResult run = RunFallward("--headless --level " + level + " --fixed-dt 16.6667 --problems fatal --frames " +
                                      std::to_string(frames) + " --input-script " + FALLWARD_SOLUTIONS + "/" +
                                      level + ".input --trace " + trace);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<TracedFrame> traced = ReadTrace(trace);
    std::remove(trace.c_str());
    return traced;
}

// The index of the first frame of another level after the solved one, or -1.
int NextLevelStart(const std::vector<TracedFrame>& frames, const std::string& level) {
    for (std::size_t i = 1; i < frames.size(); ++i) {
        if (frames[i - 1].level == level && frames[i].level != level) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Whether a frame of the level shows the words.
bool Shows(const std::vector<TracedFrame>& frames, const std::string& level, const std::string& words) {
    for (const TracedFrame& frame : frames) {
        if (frame.level == level && frame.texts.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Each level's tutorial texts: what the level is the first to hold, and nothing it repeats.
const std::map<std::string, std::vector<std::string>> kTutorials = {
    {"Level1",
     {"Use the arrow keys", "phase through BLUE walls", "GREEN blocks are checkpoints", "RED blocks make you",
      "POWER-UP", "LIGHT BLUE blocks are slippery", "GRAVITY ZONE holds you down",
      "YELLOW block is the goal"}},
    {"Level2", {"drift to a stop", "press RIGHT while you fall"}},
    {"Level3", {"RED blocks send you back"}},
    {"Level4", {"GREEN blocks are checkpoints"}},
    {"Level5", {"pockets ending in GREEN"}},
    {"Level7", {"BLUE walls let you through while you hold SPACE"}},
    {"Level8", {"MAGENTA walls phase"}},
    {"Level14", {"An arrow key sends its pull", "W and S walk"}},
    {"Level19", {"wooden BOX falls with your gravity", "Push the BOX"}},
    {"Level21", {"ORANGE blocks are ARROWS"}},
};

// The levels with a solution, each its own test so that they play side by side.
std::vector<std::string> SolvedLevels() {
    std::vector<std::string> levels;
    for (const auto& entry : fs::directory_iterator(FALLWARD_SOLUTIONS)) {
        if (entry.path().extension() == ".input") {
            levels.push_back(entry.path().stem().string());
        }
    }
    std::sort(levels.begin(), levels.end());
    return levels;
}

class EverySolution : public testing::TestWithParam<std::string> {};

TEST_P(EverySolution, ReachesTheNextLevelTeachingWhatTheLevelBringsIn) {
    const std::string& level = GetParam();
    const std::vector<TracedFrame> frames = Play(level, 18000);
    EXPECT_GT(NextLevelStart(frames, level), 0) << level << " was not solved";
    const auto tutorial = kTutorials.find(level);
    for (const std::string& words : tutorial != kTutorials.end() ? tutorial->second : std::vector<std::string>{}) {
        EXPECT_TRUE(Shows(frames, level, words)) << level << " never shows \"" << words << "\"";
    }
    if (level != "Level1") {
        EXPECT_FALSE(Shows(frames, level, "too heavy to move")) << level << " repeats the first lesson";
    }
}

INSTANTIATE_TEST_SUITE_P(SolutionRun, EverySolution, testing::ValuesIn(SolvedLevels()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// The first frame of the level that shows the words, or -1.
int FirstShowing(const std::vector<TracedFrame>& frames, const std::string& level, const std::string& words) {
    for (const TracedFrame& frame : frames) {
        if (frame.level == level && frame.texts.find(words) != std::string::npos) {
            return frame.frame;
        }
    }
    return -1;
}

// A hint that asks for an action is up a second (60 frames) or more before the solution takes it,
// and gone once the player has left the place it speaks of.
TEST(SolutionHints, ComeASecondAheadAndLeaveWithTheirPlace) {
    const struct {
        const char* level;
        const char* words;
        int actionFrame;  // the solution's press or release the hint asks for
        int goneBy;       // a frame the player has left the hint's area by (0: the hint may stay)
    } cases[] = {
        {"Level2", "press RIGHT while you fall", 70, 0},
        {"Level7", "let go of SPACE inside it", 197, 220},
        {"Level7", "tap SPACE through the BLUE ceiling", 395, 0},
        {"Level13", "press W at the edge", 132, 200},
        {"Level13", "jump with W at the very last moment", 386, 470},
    };
    for (const auto& c : cases) {
        const std::vector<TracedFrame> frames = Play(c.level, 1200);
        const int shown = FirstShowing(frames, c.level, c.words);
        ASSERT_GT(shown, 0) << c.level << " never shows \"" << c.words << "\"";
        EXPECT_LE(shown, c.actionFrame - 60) << c.level << ": \"" << c.words << "\" comes too late";
        if (c.goneBy > 0) {
            const TracedFrame& later = frames[static_cast<std::size_t>(c.goneBy) - 1];
            EXPECT_EQ(later.texts.find(c.words), std::string::npos) << c.level << " still shows \"" << c.words
                                                                  << "\" at frame " << c.goneBy;
        }
    }
}

// A result takes the place of the course's text instead of standing under a stale line.
TEST(SolutionHints, ANoticeReplacesTheTutorialText) {
    const std::vector<TracedFrame> frames = Play("TimeAttack", 1200);
    ASSERT_GT(FirstShowing(frames, "TimeAttack", "Explore your environment"), 0);
    const int result = FirstShowing(frames, "TimeAttack", "Time:");
    ASSERT_GT(result, 0) << "the course was not finished";
    EXPECT_EQ(frames[static_cast<std::size_t>(result)].texts.find("Explore your environment"), std::string::npos);
}

// Where a run reached the goal and how often the player was sent back on the way.
struct Outcome {
    int goalTick = -1;  // the tick the next level began in
    int sentBack = 0;
};

Outcome PlayAt(const std::string& level, double frameMs, int frames) {
    std::ifstream solution(std::string(FALLWARD_SOLUTIONS) + "/" + level + ".input");
    const std::string base = "/tmp/fallward-rate-" + std::to_string(::getpid()) + "-" + level;
    std::ofstream(base + ".input") << ZELMTest::ScaledScript(
        std::string(std::istreambuf_iterator<char>(solution), std::istreambuf_iterator<char>()), frameMs);
    char dt[32];
    std::snprintf(dt, sizeof dt, "%g", frameMs);
    const RunResult run = RunFallward("--headless --level " + level + " --fixed-dt " + dt +
                                      " --problems fatal --frames " + std::to_string(frames) + " --input-script " +
                                      base + ".input --trace " + base + ".jsonl");
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::vector<TracedFrame> traced = ReadTrace(base + ".jsonl");
    std::remove((base + ".input").c_str());
    std::remove((base + ".jsonl").c_str());
    Outcome outcome;
    const int next = NextLevelStart(traced, level);
    outcome.goalTick = next > 0 ? traced[static_cast<std::size_t>(next)].tick : -1;
    for (int i = 1; i < (next > 0 ? next : static_cast<int>(traced.size())); ++i) {
        // Further in one frame than anything falls in two ticks: a respawn.
        const TracedFrame& now = traced[static_cast<std::size_t>(i)];
        const TracedFrame& before = traced[static_cast<std::size_t>(i) - 1];
        if (now.hasPlayer && before.hasPlayer && (std::fabs(now.x - before.x) > 3 || std::fabs(now.y - before.y) > 3)) {
            ++outcome.sentBack;
        }
    }
    return outcome;
}

class EverySolutionAtEveryRate : public testing::TestWithParam<std::string> {};

// The game ticks at 60 Hz whatever the display does: a solution's presses at the same times make the
// same run on a 144 Hz screen or a fast graphics card. At 30 Hz a press is known only to its frame,
// two ticks, so it may move by a tick and make a slightly different run; that run still finishes.
TEST_P(EverySolutionAtEveryRate, ReachesTheGoalOnTheSameTickWithTheSameRespawns) {
    const std::string& level = GetParam();
    // Every solution finishes within 40 seconds.
    const Outcome reference = PlayAt(level, 16.6667, 2400);
    ASSERT_GT(reference.goalTick, 0) << level << " was not solved at 60 Hz";
    for (const double rate : {30.0, 144.0, 240.0, 1000.0}) {
        const double frameMs = std::round(10000.0 * 1000.0 / rate) / 10000.0;
        const int frames = static_cast<int>((reference.goalTick + 120) * 16.6667 / frameMs);
        const Outcome outcome = PlayAt(level, frameMs, frames);
        ASSERT_GT(outcome.goalTick, 0) << level << " was not solved at " << rate << " Hz";
        EXPECT_EQ(outcome.sentBack, reference.sentBack) << level << " at " << rate << " Hz";
        if (rate > 60.0) {
            EXPECT_NEAR(outcome.goalTick, reference.goalTick, 1) << level << " at " << rate << " Hz";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SolutionRun, EverySolutionAtEveryRate, testing::ValuesIn(SolvedLevels()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(SolutionRun, LevelOneShowsTheTurnTheDeathTheRespawnThePowerUpAndTheWin) {
    const std::vector<TracedFrame> frames = Play("Level1", 760);
    const int next = NextLevelStart(frames, "Level1");
    ASSERT_GT(next, 0);
    EXPECT_EQ(frames[next].level, "Level2");

    bool turnedRight = false;
    int deathStart = -1;
    int respawn = -1;
    for (int i = 1; i < next; ++i) {
        const TracedFrame& now = frames[i];
        const TracedFrame& before = frames[i - 1];
        ASSERT_TRUE(now.hasPlayer) << now.frame;
        turnedRight = turnedRight || (now.gx == 1 && now.gy == 0);
        // Dying holds the player still; then it reappears beside the checkpoint.
        if (deathStart < 0 && now.x == before.x && now.y == before.y && now.x < 13.0 && now.y > 7.0) {
            deathStart = i;
        }
        if (deathStart > 0 && respawn < 0 && std::fabs(now.x - 18.6) < 0.01 && std::fabs(now.y - 1.5) < 0.01) {
            respawn = i;
        }
    }
    EXPECT_TRUE(turnedRight);
    ASSERT_GT(deathStart, 0) << "the player never ran into the red wall";
    ASSERT_GT(respawn, 0) << "the player never came back at the checkpoint";
    EXPECT_NEAR(respawn - deathStart, 60, 2) << "a second of dying";
    // The power-up on the way raises the gravity radius from 3 to its 5.
    EXPECT_EQ(frames[1].radius, 3);
    EXPECT_EQ(frames[next - 1].radius, 5) << "the power-up was not taken";
    // The goal is the right wall of the last room: the player stands still at it while winning.
    EXPECT_NEAR(frames[next - 1].x, 45.6, 0.01);
    EXPECT_EQ(frames[next - 1].x, frames[next - 60].x);
}

// Walked into Level19's second red pit, the player comes to rest on its red floor, where the zone
// holds them and no key lifts them out; half a second of that rest sends them back to the start as
// an impact would, in ticks, so at 144 Hz and at 1,000 Hz as at 60.
TEST(SolutionRun, ARestOnTheRedFloorOfLevel19sSecondPitSendsThePlayerBackAtEveryRate) {
    std::ifstream walk(ZELMTest::kFixtures + "/flows/level19-red-pit.input");
    const std::string script((std::istreambuf_iterator<char>(walk)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(script.empty());
    for (const double frameMs : {16.6667, 6.9444, 1.0}) {
        const ZELMTest::ScratchData data;
        const std::string base = data.Working() + "/pit";
        std::ofstream(base + ".input") << ZELMTest::ScaledScript(script, frameMs);
        char dt[32];
        std::snprintf(dt, sizeof dt, "%g", frameMs);
        const int frames = static_cast<int>(900 * 16.6667 / frameMs);  // fifteen seconds
        const RunResult run =
            RunFallward("--headless --level Level19 --fixed-dt " + std::string(dt) +
                        " --problems fatal --frames " + std::to_string(frames) + " --data " + data.Working() +
                        " --input-script " + base + ".input --trace " + base + ".jsonl");
        ASSERT_EQ(run.status, 0) << run.errors;
        int inPit = -1;  // the tick the player reached the pit's floor
        int back = -1;   // the tick the player was back at the roof's checkpoint
        for (const TracedFrame& frame : ReadTrace(base + ".jsonl")) {
            if (!frame.hasPlayer) {
                continue;
            }
            if (inPit < 0 && frame.x > 36.0 && frame.x < 38.0 && frame.y < 2.45) {
                inPit = frame.tick;
            }
            if (inPit > 0 && back < 0 && frame.x < 31.0) {
                back = frame.tick;
            }
        }
        ASSERT_GT(inPit, 0) << "the walk never reached the pit at " << dt << " ms";
        ASSERT_GT(back, 0) << "the player stayed on the red floor at " << dt << " ms";
        // Slowing to a stop, half a second of rest, then the second of dying.
        EXPECT_LE(back - inPit, 150) << dt << " ms";
        EXPECT_GE(back - inPit, 90) << dt << " ms: a red floor walked onto is no impact";
    }
}

TEST(SolutionRun, EachTimeAttackSolutionPlayedFromTheMenusMakesItsCoursesTarget) {
    // The course menu's targets, as it shows them.
    const struct {
        const char* level;
        int downs;  // from the first course in the course menu
        const char* target;
    } kCourses[] = {{"TimeAttack", 0, "4.200"}, {"TimeAttack2", 1, "6.867"}, {"TimeAttack3", 2, "15.683"}};
    for (const auto& course : kCourses) {
        std::string script = "10 down ENTER\n11 up ENTER\nlevel Menu\n10 down ENTER\n11 up ENTER\nlevel GameMenu\n"
                             "10 down DOWN\n11 up DOWN\n22 down ENTER\n23 up ENTER\nlevel Courses\n";
        for (int i = 0; i < course.downs; ++i) {
            script += std::to_string(10 + 12 * i) + " down DOWN\n" + std::to_string(11 + 12 * i) + " up DOWN\n";
        }
        script += std::to_string(10 + 12 * course.downs) + " down ENTER\n" + std::to_string(11 + 12 * course.downs) +
                  " up ENTER\nlevel " + course.level + "\n";
        std::ifstream solution(std::string(FALLWARD_SOLUTIONS) + "/" + course.level + ".input");
        script += std::string(std::istreambuf_iterator<char>(solution), std::istreambuf_iterator<char>());
        const std::string base = "/tmp/fallward-target-" + std::to_string(::getpid());
        std::ofstream(base + ".input") << script;
        const RunResult run = RunFallward("--headless --fixed-dt 16.6667 --problems fatal --frames 1500 --input-script " +
                                          base + ".input --trace " + base + ".jsonl");
        EXPECT_EQ(run.status, 0) << run.errors;
        std::string result;
        for (const TracedFrame& frame : ReadTrace(base + ".jsonl")) {
            if (frame.level == course.level && frame.texts.find("NEW RECORD!") != std::string::npos) {
                const std::size_t clock = frame.texts.find("Time: ");
                result = frame.texts.substr(clock + 6, frame.texts.find('"', clock) - clock - 6);
                break;
            }
        }
        std::remove((base + ".input").c_str());
        std::remove((base + ".jsonl").c_str());
        EXPECT_EQ(result, course.target) << course.level;
    }
}

}  // namespace
