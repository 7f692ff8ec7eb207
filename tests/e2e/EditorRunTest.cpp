// The editor end to end: tile mode, three painted tiles, Ctrl+S, and a second run that finds them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

TEST(EditorRun, TilesPaintedAndSavedInTileModeAreThereNextTime) {
    const fs::path root = fs::temp_directory_path() / ("fallward-editor-run-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    const fs::path script = root / "paint.txt";
    const fs::path check = root / "check.lua";
    // The camera starts on the player at (2.5, 1.4), in the middle of the window; 44 pixels is about
    // one tile there. Cells (1, 1), (2, 1) and (3, 1) are empty in Level1.
    std::ofstream(script) << "10 text `\n20 text `\n25 down 1\n26 up 1\n"
                             "30 mouse 356 300\n31 click left\n"
                             "35 mouse 400 300\n36 click left\n"
                             "40 mouse 444 300\n41 click left\n"
                             "50 down LCTRL\n51 down S\n";
    std::ofstream(check)
        << "print('tiles', Engine.GetTileID(1, 1), Engine.GetTileID(2, 1), Engine.GetTileID(3, 1))\n";
    const std::string common = "--headless --data " + (root / "Working").string() +
                               " --level Level1 --fixed-dt 16.6667 --problems fatal ";

    const ZELMTest::RunResult before =
        ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(before.errors.find("tiles\t0\t0\t0"), std::string::npos) << before.errors;
    const ZELMTest::RunResult paint =
        ZELMTest::RunFallward(common + "--frames 60 --input-script " + script.string());
    EXPECT_EQ(paint.status, 0) << paint.errors;
    const ZELMTest::RunResult after =
        ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(after.errors.find("tiles\t1\t1\t1"), std::string::npos) << after.errors;
    fs::remove_all(root);
}

// The traced line of each frame, in order.
std::vector<std::string> TraceLines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string EditorOf(const std::string& line) {
    const std::size_t at = line.find("\"editor\":");
    return at == std::string::npos ? std::string()
                                   : line.substr(at, line.find('}', line.find("\"undo\"", at)) - at + 1);
}

double PlayerX(const std::string& line) {
    const std::size_t at = line.find("\"x\":");
    return at == std::string::npos ? -1.0 : std::atof(line.c_str() + at + 4);
}

TEST(EditorRun, APlayTestPlaysTheEditAndF5PutsTheEditBackAsItWas) {
    const fs::path root = fs::temp_directory_path() / ("fallward-play-test-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    const fs::path script = root / "play-test.txt";
    const fs::path trace = root / "trace.jsonl";
    const fs::path check = root / "check.lua";
    // Two cells painted in tile mode, a play-test in which the player walks right, back, and the
    // tile map saved with Ctrl+S.
    std::ofstream(script) << "10 text `\n20 text `\n25 down 1\n26 up 1\n"
                             "30 mouse 356 300\n31 click left\n35 mouse 400 300\n36 click left\n"
                             "45 down F5\n46 up F5\n50 down RIGHT\n120 up RIGHT\n130 down F5\n131 up F5\n"
                             "140 down LCTRL\n141 down S\n";
    std::ofstream(check)
        << "print('tiles', Engine.GetTileID(1, 1), Engine.GetTileID(2, 1), Engine.GetTileID(3, 1))\n";
    const std::string common = "--headless --data " + (root / "Working").string() +
                               " --level Level1 --fixed-dt 16.6667 --problems fatal ";
    const ZELMTest::RunResult run = ZELMTest::RunFallward(common + "--frames 150 --input-script " +
                                                          script.string() + " --trace " + trace.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<std::string> frames = TraceLines(trace);
    ASSERT_GE(frames.size(), 150u);
    const std::string& edited = frames[43];
    const std::string& played = frames[119];
    const std::string& back = frames[139];
    EXPECT_EQ(EditorOf(edited),
              "\"editor\":{\"mode\":\"tile\",\"tile\":{\"id\":1,\"name\":\"block\"},\"open\":[],\"undo\":2,"
              "\"redo\":0}");
    EXPECT_NE(EditorOf(played).find("\"mode\":\"play\""), std::string::npos) << played;
    EXPECT_GT(PlayerX(played), PlayerX(edited) + 1.0) << "the player walked in the play-test";
    EXPECT_NE(EditorOf(back).find("\"mode\":\"tile\""), std::string::npos) << back;
    EXPECT_NE(EditorOf(back).find("\"undo\":2,\"redo\":0"), std::string::npos) << "the play is no edit";
    EXPECT_EQ(PlayerX(back), PlayerX(edited)) << "the player is back where the edit had it";

    const ZELMTest::RunResult saved =
        ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(saved.errors.find("tiles\t1\t1\t0"), std::string::npos) << saved.errors;
    fs::remove_all(root);
}

// The Level1 solution played in a play-test started from tile mode: the goal brings the edit back
// instead of loading Level2 under the editor.
TEST(EditorRun, APlayTestThatReachesTheGoalComesBackToTheEditNotTheNextLevel) {
    const fs::path script = fs::temp_directory_path() / ("fallward-play-goal-" + std::to_string(::getpid()));
    const fs::path trace = script.string() + ".jsonl";
    {
        std::ifstream solution(std::string(FALLWARD_SOLUTIONS) + "/Level1.input");
        std::ofstream shifted(script);
        shifted << "10 text `\n20 text `\n28 down F5\n29 up F5\n";
        for (std::string line; std::getline(solution, line);) {
            if (!line.empty() && line[0] != '#') {
                const std::size_t space = line.find(' ');
                shifted << std::atoi(line.c_str()) + 31 << line.substr(space) << "\n";
            }
        }
    }
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--headless --level Level1 --fixed-dt 16.6667 --problems fatal --frames 900 --input-script " +
        script.string() + " --trace " + trace.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<std::string> frames = TraceLines(trace);
    ASSERT_GE(frames.size(), 900u);
    const std::string& last = frames.back();
    EXPECT_NE(last.find("\"level\":\"Level1\""), std::string::npos) << last;
    EXPECT_NE(EditorOf(last).find("\"mode\":\"tile\""), std::string::npos) << last;
    EXPECT_NE(last.find("goal reached in the play-test"), std::string::npos) << last;
    fs::remove(script);
    fs::remove(trace);
}

TEST(EditorRun, PanningInTileModeMovesTheViewAndTheClickPaintsWhereTheMousePoints) {
    const fs::path root = fs::temp_directory_path() / ("fallward-editor-pan-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    const fs::path script = root / "pan.txt";
    const fs::path check = root / "check.lua";
    // D held for one second pans one camera distance (8 units) right of the player at x 2.5; the
    // click in the middle of the window then lands on cell (10, 1), not on the player's (2, 1).
    std::ofstream(script) << "10 text `\n20 text `\n25 down 1\n26 up 1\n30 down D\n90 up D\n"
                             "95 mouse 400 300\n96 click left\n100 down LCTRL\n101 down S\n";
    std::ofstream(check) << "print('tiles', Engine.GetTileID(2, 1), Engine.GetTileID(10, 1))\n";
    const std::string common = "--headless --data " + (root / "Working").string() +
                               " --level Level1 --fixed-dt 16.6667 --problems fatal ";

    const ZELMTest::RunResult pan =
        ZELMTest::RunFallward(common + "--frames 110 --input-script " + script.string());
    EXPECT_EQ(pan.status, 0) << pan.errors;
    const ZELMTest::RunResult after =
        ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(after.errors.find("tiles\t0\t1"), std::string::npos) << after.errors;
    fs::remove_all(root);
}

}  // namespace
