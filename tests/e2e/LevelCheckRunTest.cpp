// --check-levels: the bundled levels pass; broken ones are named with their file, line and problem.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void Replace(const fs::path& path, const std::string& from, const std::string& to) {
    std::string text = Read(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(path) << text;
}

TEST(LevelCheckRun, TheBundledLevelsPass) {
    const ZELMTest::RunResult run = ZELMTest::RunFallward("--check-levels", true);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
}

TEST(LevelCheckRun, EveryKindOfBrokenLevelIsNamedWithItsLine) {
    const fs::path root = fs::temp_directory_path() / ("fallward-check-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    const fs::path levels = root / "Resources" / "Levels";
    Replace(levels / "Menu.xml", "<string>quit</string>", "<string>exit</string>");
    Replace(levels / "TimeAttack.xml", "<string>TimingComponent</string>", "<string>Clockwork</string>");
    Replace(levels / "TimeAttack.xml", "<string>Player</string>\n        <string>Player</string>",
            "<string>Player</string>\n        <string>Hero</string>");
    Replace(levels / "Credits.xml", "<string>Credits</string>", "<string>Nowhere</string>");
    Replace(levels / "Win.xml", "<Entity>", "<Tiles><string>Win</string></Tiles>\n    <Entity>");
    Replace(levels / "GameMenu.xml", "<Level>\n", "<Level>\n<Tiles><string>Gone</string></Tiles>\n");
    std::ofstream(levels / "Broken.xml") << "<?xml version=\"1.0\" ?>\n<Level>\n  <Entity><string>A</string>\n</Level>\n";
    std::ofstream(levels / "Twins.xml") << "<?xml version=\"1.0\" ?>\n<Level>\n"
                                           "<Entity><string>A</string><string>Not Set</string></Entity>\n"
                                           "<Entity><string>A</string><string>Not Set</string></Entity>\n</Level>\n";
    std::ofstream(levels / "order.txt", std::ios::app) << "Missing\n";
    int missingLine = 0;
    {
        std::ifstream order(levels / "order.txt");
        for (std::string line; std::getline(order, line);) {
            ++missingLine;
        }
    }
    std::ofstream(levels / "Tiles" / "multiplayer") << "File Dimensions:\nWidth: 2\nHeight: 1\nxOffset: 0\n"
                                                      "yOffset: 0\nID: 0\n\nTile Space:\n1Z";
    Replace(levels / "TimeAttack.xml", "<string>PlayerMovement</string>", "<string>HP</string>");

    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--check-levels --data " + (root / "Working").string(), true);
    fs::remove_all(root);
    EXPECT_EQ(run.status, 1);
    const std::string missing =
        "Levels/order.txt:" + std::to_string(missingLine) + ": the level \"Missing\" has no file Missing.xml";
    const std::string expected[] = {
        missing,
        "Levels/Broken.xml:4: the XML does not parse",
        "Levels/Credits.xml:4: the script \"Nowhere\" does not exist",
        "Levels/Menu.xml:3: the MainMenu screen finds no button \"quit\"",
        "Levels/TimeAttack.xml:9: unknown component type \"Clockwork\" of the service \"Logic\" in \"Clock\"",
        "Levels/TimeAttack.xml:27: the archetype \"Hero\" does not exist",
        "Levels/TimeAttack.xml:2: a playable level needs exactly one local player; this one has 0",
        "Levels/Twins.xml:4: a second entity named \"A\"",
        "Levels/GameMenu.xml:3: the tile map \"Gone\" does not exist",
        "Levels/Win.xml:8: \"Tiles\" is out of order: a level has Tiles, then Scripts, then Entity elements",
        "Levels/multiplayer.xml:3: the tile map \"multiplayer\" holds 1 tile(s) the game does not define, the first "
        "id 42 at (1, 0)",
        "Levels/multiplayer.xml:2: a playable level needs a goal tile (id 20) in its tile map",
    };
    for (const std::string& line : expected) {
        EXPECT_NE(run.errors.find(line), std::string::npos) << line << "\nin:\n" << run.errors;
    }
}

}  // namespace
