// The player's own levels: what is kept about them and how their list is made.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logic/MyLevelRecords.h"
#include "logic/PlayerLevelList.h"
#include "logic/screens/ImportMenu.h"

namespace {

using Logic::MyLevelRecords;
using Logic::PlayerLevelList;

TEST(MyLevelRecords, WhatIsSavedReadsBackTheSame) {
    MyLevelRecords saved;
    EXPECT_TRUE(saved.OfferTime("my:Castle", 12.5f));
    EXPECT_FALSE(saved.OfferTime("my:Castle", 13.0f)) << "slower is no record";
    EXPECT_FALSE(saved.OfferTime("Level1", 3.0f)) << "a bundled level's time belongs in the records";
    saved.NotePlayed("my:Castle", 1765400000);
    saved.NotePlayed("my:Cave", 1765300000);
    saved.SetAuthor("Ada <the> \"Bold\"\n");

    MyLevelRecords read;
    std::string problem;
    ASSERT_TRUE(MyLevelRecords::Parse(saved.Serialise(), read, problem)) << problem;
    EXPECT_FLOAT_EQ(read.GetBest("my:Castle"), 12.5f);
    EXPECT_TRUE(std::isinf(read.GetBest("my:Cave")));
    EXPECT_EQ(read.GetPlayed("my:Castle"), 1765400000);
    EXPECT_EQ(read.GetPlayed("my:Cave"), 1765300000);
    EXPECT_EQ(read.GetPlayed("my:Never"), 0);
    EXPECT_EQ(read.GetAuthor(), "Ada the Bold") << "markup and control characters are dropped";
}

TEST(MyLevelRecords, AHostileFileIsRefusedWholeAndSaysWhy) {
    const std::string kHead = "<?xml version=\"1.0\" ?>\n<MyLevels>";
    std::string many = kHead;
    for (int i = 0; i <= 4096; ++i) {
        many += "<Level name=\"my:L" + std::to_string(i) + "\"/>";
    }
    const struct {
        const char* name;
        std::string text;
        const char* said;
    } kCases[] = {
        {"not XML", "mine", "XML"},
        {"another root", "<Records/>", "root"},
        {"unknown element", kHead + "<Best/></MyLevels>", "Best"},
        {"a bundled level", kHead + "<Level name=\"Level1\" best=\"3\"/></MyLevels>", "Level1"},
        {"no name", kHead + "<Level best=\"3\"/></MyLevels>", "not the name"},
        {"negative time", kHead + "<Level name=\"my:A\" best=\"-1\"/></MyLevels>", "best time"},
        {"time not a number", kHead + "<Level name=\"my:A\" best=\"fast\"/></MyLevels>", "best time"},
        {"date past 9999", kHead + "<Level name=\"my:A\" played=\"1e13\"/></MyLevels>", "date"},
        {"thousands of levels", many + "</MyLevels>", "more than"},
    };
    for (const auto& c : kCases) {
        MyLevelRecords records;
        records.OfferTime("my:Kept", 5.0f);
        std::string problem;
        EXPECT_FALSE(MyLevelRecords::Parse(c.text, records, problem)) << c.name;
        EXPECT_NE(problem.find(c.said), std::string::npos) << c.name << ": " << problem;
        EXPECT_FLOAT_EQ(records.GetBest("my:Kept"), 5.0f) << c.name << ": what was there stays";
    }
}

class PlayerLevelListTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("fallward-mylevels-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "Tiles");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    void Write(const std::string& relative, const std::string& text) {
        std::ofstream(folder / relative, std::ios::binary) << text;
    }
    std::string Folder() const { return folder.string() + "/"; }

    std::filesystem::path folder;
};

TEST_F(PlayerLevelListTest, ListsEveryLevelFileWithTheSizeItsMapDeclares) {
    Write("Castle.xml", "<?xml version=\"1.0\" ?>\n<Level><Tiles><string>Castle</string></Tiles></Level>\n");
    Write("Tiles/Castle", "File Dimensions:\nWidth: 64\nHeight: 32\nxOffset: 0\nyOffset: 0\nID: 0\n\nTile Space:\n0000");
    Write("Empty.xml", "<?xml version=\"1.0\" ?>\n<Level/>\n");
    Write("Escape.xml", "<Level><Tiles><string>../../etc/passwd</string></Tiles></Level>");
    Write("Broken.xml", "<Level><Tiles><string>Broken</string></Tiles></Level>");
    Write("Tiles/Broken", "File Dimensions:\nWidth: -5\nHeight: 3\n");
    Write(".hidden.xml", "<Level/>");
    Write("notes.txt", "not a level");
    std::filesystem::create_directories(folder / "Folder.xml");

    const std::vector<PlayerLevelList::Item> items = PlayerLevelList::Read(Folder());
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.level + " " + std::to_string(item.width) + "x" + std::to_string(item.height));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"my:Broken 0x0", "my:Castle 64x32", "my:Empty 0x0", "my:Escape 0x0"}));
}

TEST(PlayerLevelList, TheLastPlayedComeFirstThenTheNeverPlayedByName) {
    std::vector<PlayerLevelList::Item> items(4);
    const char* stems[] = {"b", "a", "c", "d"};
    const std::int64_t played[] = {0, 0, 100, 200};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].stem = stems[i];
        items[i].played = played[i];
    }
    PlayerLevelList::Sort(items);
    std::string order;
    for (const auto& item : items) {
        order += item.stem;
    }
    EXPECT_EQ(order, "dcab");
}

TEST(PlayerLevelList, AButtonSaysSizeAndBestOrWhatStopsThePlay) {
    PlayerLevelList::Item timed;
    timed.stem = "Castle";
    timed.width = 64;
    timed.height = 32;
    timed.bestSeconds = 12.3456f;
    PlayerLevelList::Item untimed;
    untimed.stem = "Cave";
    PlayerLevelList::Item broken;
    broken.stem = "Bad";
    broken.problem = std::string(80, 'x');
    const struct {
        const PlayerLevelList::Item& item;
        bool editing;
        std::string text;
    } kCases[] = {
        {timed, false, "[Castle  64 x 32  12.346 s]"},
        {timed, true, "[edit Castle  64 x 32  12.346 s]"},
        {untimed, false, "[Cave  no time yet]"},
        {broken, false, "[Bad (cannot be played: " + std::string(48, 'x') + "...)]"},
        {broken, true, "[edit Bad  no time yet]"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PlayerLevelList::ButtonText(c.item, c.editing), c.text);
    }
}

}  // namespace

namespace {

TEST_F(PlayerLevelListTest, TheImportListHoldsTheLevelFilesOfEveryFolderTheNewestFirst) {
    Write("old.fwlevel", "x");
    Write("Tiles/new.fwlevel", "x");
    Write("level.xml", "not a shared level");
    std::filesystem::create_directories(folder / "folder.fwlevel");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(folder / "old.fwlevel", now - std::chrono::hours(2));
    std::filesystem::last_write_time(folder / "Tiles" / "new.fwlevel", now);
    const std::vector<std::string> files =
        Logic::ImportMenu::FindLevelFiles({Folder(), Folder() + "Tiles/", Folder() + "missing/"});
    EXPECT_EQ(files, (std::vector<std::string>{Folder() + "Tiles/new.fwlevel", Folder() + "old.fwlevel"}));
}

}  // namespace
