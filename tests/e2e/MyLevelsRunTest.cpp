// The player's own levels through the menus: listed in "[my levels]", played to the goal with the
// time kept, the finish going back to the list, shared as a file and imported from the list, and
// a broken one listed with its reason.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/AdventureScript.h"
#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
}

// A bundled level saved among the player's own under another name, as the editor would save it.
void MakePlayerLevel(const ZELMTest::ScratchData& data, const std::string& bundled, const std::string& stem) {
    const fs::path levels = fs::path(FALLWARD_GAME) / "Resources" / "Levels";
    const fs::path mine = data.MyLevels();
    fs::create_directories(mine / "Tiles");
    std::string level = ReadFile(levels / (bundled + ".xml"));
    Replace(level, "<string>" + bundled + "</string>", "<string>" + stem + "</string>");
    std::ofstream(mine / (stem + ".xml"), std::ios::binary) << level;
    fs::copy_file(levels / "Tiles" / bundled, mine / "Tiles" / stem);
}

struct Played {
    ZELMTest::RunResult run;
    std::string trace;
};

Played Play(const ZELMTest::ScratchData& data, const std::string& script) {
    const std::string base = "/tmp/fallward-mylevels-" + std::to_string(::getpid());
    std::ofstream(base + ".input") << script;
    Played played;
    played.run = ZELMTest::RunFallward("--headless --fixed-dt 16.6667 --problems fatal --level GameMenu --data " +
                                       data.Working() + " --input-script " + base + ".input --trace " + base +
                                       ".jsonl --frames " + std::to_string(ZELMTest::LongestRun(script)));
    played.trace = ReadFile(base + ".jsonl");
    std::remove((base + ".input").c_str());
    std::remove((base + ".jsonl").c_str());
    return played;
}

// From the mode menu down to "[my levels]" and into it.
std::string ToMyLevels() {
    return ZELMTest::OnScreen("GameMenu", ZELMTest::Press("DOWN", 10) + ZELMTest::Press("DOWN", 14) +
                                              ZELMTest::Press("DOWN", 18) + ZELMTest::Press("DOWN", 22) +
                                              ZELMTest::Press("ENTER", 26));
}

// Level2's solution on the player's copy, then ENTER at the finish.
std::string PlayMine() {
    std::string solution = ZELMTest::ReadWholeFile(FALLWARD_SOLUTIONS + "/Level2.input");
    return ZELMTest::OnScreen("MyLevels", ZELMTest::Press("ENTER", 10)) +
           ZELMTest::OnScreen("my:Mine", solution + ZELMTest::Press("ENTER", 600)) +
           ZELMTest::OnScreen("MyLevels", ZELMTest::Press("ESC", 10));
}

TEST(MyLevelsRun, APlayerLevelIsPlayedFromTheMenusKeepsItsTimeAndGoesBackToTheList) {
    const ZELMTest::ScratchData data;
    MakePlayerLevel(data, "Level2", "Mine");
    const Played first = Play(data, ToMyLevels() + PlayMine());
    ASSERT_EQ(first.run.status, 0) << first.run.errors;
    EXPECT_NE(first.trace.find("[Mine  "), std::string::npos) << "listed with its size";
    EXPECT_NE(first.trace.find("no time yet]"), std::string::npos);
    EXPECT_NE(first.trace.find("\"level\":\"my:Mine\""), std::string::npos);
    EXPECT_NE(first.trace.find("NEW BEST!"), std::string::npos);
    const std::size_t finished = first.trace.find("ENTER: back to my levels");
    ASSERT_NE(finished, std::string::npos);
    EXPECT_NE(first.trace.find("\"level\":\"MyLevels\"", finished), std::string::npos) << "the finish goes back";
    EXPECT_EQ(first.trace.find("\"level\":\"Level3\""), std::string::npos) << "not on into the adventure";
    const std::string kept = ReadFile(fs::path(data.Working()) / "mylevels.xml");
    EXPECT_NE(kept.find("name=\"my:Mine\" best=\""), std::string::npos) << kept;
    EXPECT_EQ(ReadFile(fs::path(data.Working()) / "records.xml").find("Mine"), std::string::npos)
        << "the bundled levels' records stay as they were";

    // The next visit lists it with its time, races its ghost, and a level of a bundled level's
    // name is its own.
    MakePlayerLevel(data, "Level2", "Level2");
    const Played second = Play(data, ToMyLevels() + PlayMine());
    ASSERT_EQ(second.run.status, 0) << second.run.errors;
    const std::size_t button = second.trace.find("[Mine  ");
    ASSERT_NE(button, std::string::npos);
    const std::string text = second.trace.substr(button, second.trace.find(']', button) - button + 1);
    EXPECT_EQ(text.substr(text.size() - 3), " s]") << text << ": its best time is listed";
    EXPECT_NE(second.trace.find("[Level2  "), std::string::npos);
    EXPECT_NE(second.trace.find("\"ghost\":{"), std::string::npos) << "the best run is raced as a ghost";
    EXPECT_NE(second.trace.find("NEW BEST! +0.000"), std::string::npos) << "a tie with the ghost";
}

// Every frame's player while the level plays: where it is, how it moves and falls.
std::vector<std::string> PlayerFrames(const std::string& trace, const std::string& level) {
    std::vector<std::string> frames;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t player = line.find("\"player\":{");
        if (line.find("\"level\":\"" + level + "\"") != std::string::npos && player != std::string::npos) {
            frames.push_back(line.substr(player, line.find('}', player) - player));
        }
    }
    return frames;
}

TEST(MyLevelsRun, ALevelExportedDeletedAndImportedFromTheListPlaysTheSameAgain) {
    const ZELMTest::ScratchData data;
    MakePlayerLevel(data, "Level2", "Mine");
    const Played first = Play(data, ToMyLevels() + PlayMine());
    ASSERT_EQ(first.run.status, 0) << first.run.errors;

    // The import list looks in the player's home: the test's own.
    const fs::path home = fs::path(data.Working()).parent_path() / "home";
    fs::create_directories(home / "Downloads");
    const std::string shared = (home / "Downloads" / "Mine.fwlevel").string();
    const ZELMTest::RunResult exported =
        ZELMTest::RunFallward("--export-level Mine " + shared + " --data " + data.Working());
    ASSERT_EQ(exported.status, 0) << exported.errors;
    fs::remove(data.MyLevels() + "Mine.xml");
    fs::remove(data.MyLevels() + "Tiles/Mine");

    const char* ownHome = std::getenv("HOME");
    const std::string kept = ownHome != nullptr ? ownHome : "";
    ::setenv("HOME", home.c_str(), 1);
    // No level left: the list opens on "[import]", the file is the first of the import list.
    const Played again = Play(data, ToMyLevels() + ZELMTest::OnScreen("MyLevels", ZELMTest::Press("ENTER", 10)) +
                                        ZELMTest::OnScreen("ImportLevel", ZELMTest::Press("ENTER", 10)) + PlayMine());
    ::setenv("HOME", kept.c_str(), 1);
    ASSERT_EQ(again.run.status, 0) << again.run.errors;
    EXPECT_NE(again.trace.find("[Mine.fwlevel]"), std::string::npos);
    EXPECT_TRUE(fs::exists(data.MyLevels() + "Mine.xml"));
    const std::vector<std::string> before = PlayerFrames(first.trace, "my:Mine");
    ASSERT_GT(before.size(), 100u);
    EXPECT_EQ(PlayerFrames(again.trace, "my:Mine"), before) << "the imported level plays as the exported one did";
}

TEST(MyLevelsRun, EditOpensTheChosenLevelInTheEditorAndEscLeavesTheEditChoice) {
    const ZELMTest::ScratchData data;
    MakePlayerLevel(data, "Level2", "Mine");
    // DOWN to "[edit]" and ESC out of the choice, then "[edit]" again and UP onto the level.
    const Played played =
        Play(data, ToMyLevels() + ZELMTest::OnScreen("MyLevels", ZELMTest::Press("DOWN", 10) + ZELMTest::Press("ENTER", 14) +
                                                                     ZELMTest::Press("ESC", 18) + ZELMTest::Press("ENTER", 22) +
                                                                     ZELMTest::Press("UP", 26) + ZELMTest::Press("ENTER", 30)));
    ASSERT_EQ(played.run.status, 0) << played.run.errors;
    const std::size_t choosing = played.trace.find("[edit Mine  ");
    ASSERT_NE(choosing, std::string::npos);
    EXPECT_NE(played.trace.find("[Mine  ", choosing), std::string::npos) << "ESC put the play list back";
    const std::size_t opened = played.trace.find("\"level\":\"my:Mine\"");
    ASSERT_NE(opened, std::string::npos);
    EXPECT_NE(played.trace.find("\"mode\":\"editor\"", opened), std::string::npos) << "it opens in editor mode";
}

TEST(MyLevelsRun, ABrokenLevelIsListedWithTheReasonAndNotStarted) {
    const ZELMTest::ScratchData data;
    fs::create_directories(data.MyLevels());
    std::ofstream(data.MyLevels() + "Broken.xml") << "<?xml version=\"1.0\" ?>\n<Level><Tiles><string>Gone";
    const Played played =
        Play(data, ToMyLevels() + ZELMTest::OnScreen("MyLevels", ZELMTest::Press("ENTER", 10)));
    ASSERT_EQ(played.run.status, 0) << played.run.errors;
    EXPECT_NE(played.trace.find("[Broken (cannot be played: "), std::string::npos);
    EXPECT_NE(played.trace.find("Broken cannot be played: "), std::string::npos) << "choosing it says so";
    EXPECT_EQ(played.trace.find("\"level\":\"my:Broken\""), std::string::npos);
}

}  // namespace
