// The editor on a display, driven by real clicks on its drawn bars: a right click opens the
// player's menu, the menu removes a component, the Save picker takes a typed name and writes the
// level, and the tile palette selects a tile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/RunFallward.h"
#include "support/TestDisplay.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(EditorWindowRun, ARightClickOpensThePlayersMenuWhichRemovesAComponentThenSaveWritesTheLevel) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    const fs::path root =
        fs::temp_directory_path() / ("fallward-editor-window-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    const fs::path script = root / "clicks.txt";
    const fs::path trace = root / "trace.json";
    // In an 800 x 600 window the player of Level1 stands in the middle. Its menu opens to its right,
    // from (424, 276): Attached, Logic, HP and HP's Remove unfold one under another. The main menu
    // unfolds from its arrow at the top left; Save Level opens the picker with its field taking
    // the keys. Then tile mode, and the palette's last line, the goal.
    std::ofstream(script) << "10 text `\n20 mouse 400 300\n22 click right\n"
                             "30 mouse 460 337\n32 click left\n40 mouse 490 354\n42 click left\n"
                             "50 mouse 502 388\n52 click left\n60 mouse 519 431\n62 click left\n"
                             "70 mouse 27 25\n72 click left\n80 mouse 62 98\n82 click left\n"
                             "90 text PickedAndSaved\n100 mouse 325 120\n102 click left\n"
                             "110 text `\n115 mouse 100 481\n117 click left\n";
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--data " + (root / "Working").string() +
                              " --level Level1 --fixed-dt 16.6667 --frames 125 --problems fatal"
                              " --input-script " +
                              script.string() + " --trace " + trace.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string frames = Contents(trace);
    EXPECT_NE(frames.find("[EDITOR MODE] Player: menu open"), std::string::npos)
        << "the right click opened it";
    EXPECT_NE(frames.find("[TILE MODE] 20: goal"), std::string::npos) << "the palette selected the goal";
    // A save is one of the player's own levels, with its tile map beside it.
    const std::string saved = Contents(root / "MyLevels" / "PickedAndSaved.xml");
    ASSERT_NE(saved.find("<string>Player</string>"), std::string::npos)
        << "the level was saved under the typed name";
    EXPECT_TRUE(fs::exists(root / "MyLevels" / "Tiles" / "PickedAndSaved"));
    EXPECT_FALSE(fs::exists(root / "Resources" / "Levels" / "PickedAndSaved.xml")) << "the bundled levels stay the game's";
    EXPECT_NE(Contents(root / "Resources" / "Levels" / "Level1.xml").find("<HP>"), std::string::npos);
    EXPECT_EQ(saved.find("<HP>"), std::string::npos) << "the player's HP was removed before the save";
    fs::remove_all(root);
}

}  // namespace
