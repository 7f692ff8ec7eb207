// --check-levels: the bundled levels pass; broken ones are named with their file, line and problem.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/RunFallward.h"
#include "support/TestPaths.h"

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
    Replace(levels / "Level3.xml", "<string>Level3</string>\n        <string>Tutorial</string>",
            "<string>Nowhere</string>\n        <string>Tutorial</string>");
    Replace(levels / "Win.xml", "</Level>", "    <Tiles><string>Win</string></Tiles>\n</Level>");
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
    Replace(levels / "Level2.xml",
            "<x>\n                <float>2.5</float>\n            </x>\n"
            "            <y>\n                <float>1.4</float>\n            </y>",
            "<y>\n                <float>1.4</float>\n            </y>\n"
            "            <x>\n                <float>2.5</float>\n            </x>");
    std::ofstream(root / "Resources" / "Scripts" / "Garbled.lua") << "function Init(entity)\n    local x =\nend\n";
    std::ofstream(levels / "Scripted.xml")
        << "<?xml version=\"1.0\" ?>\n<Level>\n"
           "<Entity><string>Lost</string><string>Not Set</string>\n"
           "<Component><string>Logic</string><string>LuaScript</string>\n"
           "<Script><string>Nowhere</string></Script></Component></Entity>\n"
           "<Entity><string>Mangled</string><string>Not Set</string>\n"
           "<Component><string>Logic</string><string>LuaScript</string>\n"
           "<Script><string>Garbled</string></Script></Component></Entity>\n</Level>\n";
    // A tile map whose line ends became CR LF (an editor or a checkout on Windows) is still the same map.
    std::string crlfMap = Read(levels / "Tiles" / "Level1");
    for (std::size_t at = crlfMap.find('\n'); at != std::string::npos; at = crlfMap.find('\n', at + 2)) {
        crlfMap.insert(at, 1, '\r');
    }
    std::ofstream(levels / "Tiles" / "Level1", std::ios::binary) << crlfMap;

    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--check-levels --data " + (root / "Working").string(), true);
    fs::remove_all(root);
    EXPECT_EQ(run.status, 1);
    const std::string missing =
        "Levels/order.txt:" + std::to_string(missingLine) + ": the level \"Missing\" has no file Missing.xml";
    const std::string expected[] = {
        missing,
        "Levels/Broken.xml:4: the XML does not parse",
        "Levels/Level3.xml:7: the script \"Nowhere\" does not exist",
        "Levels/Menu.xml:3: the MainMenu screen finds no button \"quit\"",
        "Levels/TimeAttack.xml:9: unknown component type \"Clockwork\" of the service \"Logic\" in \"Clock\"",
        "Levels/TimeAttack.xml:27: the archetype \"Hero\" does not exist",
        "Levels/TimeAttack.xml:2: a playable level needs exactly one local player; this one has 0",
        "Levels/Twins.xml:4: a second entity named \"A\"",
        "Levels/GameMenu.xml:3: the tile map \"Gone\" does not exist",
        "Levels/Win.xml:18: \"Tiles\" is out of order: a level has Tiles, then Scripts, then Entity elements",
        "Levels/multiplayer.xml:3: the tile map \"multiplayer\" holds 1 tile(s) the game does not define, the first "
        "id 42 at (1, 0)",
        "Levels/multiplayer.xml:2: a playable level needs a goal tile (id 20) in its tile map",
        "Levels/Level2.xml:43: the property \"x\" of \"Physical\" is out of order: it belongs before \"y\"; it is "
        "read anyway",
        "Levels/Scripted.xml:5: the script \"Nowhere\" of \"Lost\" does not load: cannot open ",
        "Levels/Scripted.xml:8: the script \"Garbled\" of \"Mangled\" does not load: ",
        "Scripts/Garbled.lua:3: ",
    };
    for (const std::string& line : expected) {
        EXPECT_NE(run.errors.find(line), std::string::npos) << line << "\nin:\n" << run.errors;
    }
    EXPECT_EQ(run.errors.find("Levels/Level1.xml:"), std::string::npos) << run.errors;
}

// The checker knows each menu's buttons from the list the screen's menu steps through: a level
// lacking any of them is named, whichever screen it is.
TEST(LevelCheckRun, AMenuLackingAnyOfItsScreensButtonsIsNamed) {
    const struct {
        const char* file;
        const char* button;
        const char* screen;
    } cases[] = {
        {"Menu.xml", "credits", "MainMenu"},         {"GameMenu.xml", "levels", "PlayGameMenu"},
        {"LevelSelect.xml", "exitoptions", "LevelSelect"},
        {"Courses.xml", "exitoptions", "CourseMenu"},
    };
    const fs::path root = fs::temp_directory_path() / ("fallward-check-menus-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::copy(FALLWARD_GAME, root, fs::copy_options::recursive);
    for (const auto& menu : cases) {
        Replace(root / "Resources" / "Levels" / menu.file, std::string("<string>") + menu.button + "</string>",
                "<string>gone</string>");
    }
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--check-levels --data " + (root / "Working").string(), true);
    fs::remove_all(root);
    EXPECT_EQ(run.status, 1);
    for (const auto& menu : cases) {
        const std::string problem = std::string(": the ") + menu.screen + " screen finds no button \"" + menu.button + "\"";
        const std::size_t at = run.errors.find(problem);
        ASSERT_NE(at, std::string::npos) << problem << "\nin:\n" << run.errors;
        const std::size_t lineStart = run.errors.rfind('\n', at) + 1;
        const std::string where = run.errors.substr(lineStart, at - lineStart);
        EXPECT_NE(where.find(std::string("Levels/") + menu.file + ":"), std::string::npos) << where;
    }
}

}  // namespace

TEST(LevelCheckRun, TheDesignersReferenceIsTheProgramsOwn) {
    const ZELMTest::RunResult run = ZELMTest::RunFallward("--list-components", true);
    ASSERT_EQ(run.status, 0);
    const std::string doc = Read(fs::path(FALLWARD_DOCS) / "levels.md");
    const std::string begin = "<!-- generated by fallward --list-components: begin -->\n";
    const std::size_t start = doc.find(begin);
    const std::size_t stop = doc.find("<!-- generated by fallward --list-components: end -->");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(stop, std::string::npos);
    EXPECT_EQ(doc.substr(start + begin.size(), stop - start - begin.size()), run.errors)
        << "docs/levels.md is out of date: run tools/levels/update-reference";
    for (const char* type : {"### PlayerMovement (Logic)", "| `Jump_Power` | float | `5` |", "### Cube (Graphics)"}) {
        EXPECT_NE(run.errors.find(type), std::string::npos) << type;
    }
}
