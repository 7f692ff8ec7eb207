// The editor end to end: tile mode, three painted tiles, Ctrl+S, and a second run that finds them.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

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
    std::ofstream(check) << "print('tiles', Engine.GetTileID(1, 1), Engine.GetTileID(2, 1), Engine.GetTileID(3, 1))\n";
    const std::string common = "--headless --data " + (root / "Working").string() + " --level Level1 --fixed-dt 16.6667 --problems fatal ";

    const ZELMTest::RunResult before = ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(before.errors.find("tiles\t0\t0\t0"), std::string::npos) << before.errors;
    const ZELMTest::RunResult paint = ZELMTest::RunFallward(common + "--frames 60 --input-script " + script.string());
    EXPECT_EQ(paint.status, 0) << paint.errors;
    const ZELMTest::RunResult after = ZELMTest::RunFallward(common + "--frames 5 --exec " + check.string(), true);
    EXPECT_NE(after.errors.find("tiles\t1\t1\t1"), std::string::npos) << after.errors;
    fs::remove_all(root);
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
