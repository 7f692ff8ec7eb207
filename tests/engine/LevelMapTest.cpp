// Tests of tile maps, their file format, and the tile-map methods the game-flow service binds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <utility>

#include "engine/ComponentRegistry.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "engine/StaleTemporaries.h"
#include "logic/LogicService.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"

namespace {

namespace fs = std::filesystem;
using ZELM::LevelMap;
using ZELMTest::ProblemCapture;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Header(long long width, long long height, long long xOffset, long long yOffset, long long id) {
    return "File Dimensions:\nWidth: " + std::to_string(width) + "\nHeight: " + std::to_string(height) +
           "\nxOffset: " + std::to_string(xOffset) + "\nyOffset: " + std::to_string(yOffset) +
           "\nID: " + std::to_string(id) + "\n\nTile Space:\n";
}

class LevelMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("fallward-levelmap-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "Tiles");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    // A map read from a file holding the given text.
    void LoadText(LevelMap& map, const std::string& text) {
        map.SetFileName(Write("map", text));
        map.Load();
    }

    fs::path dir;
};

TEST_F(LevelMapTest, InsideIsTheGridAtItsOffset) {
    LevelMap map;
    map.Create(2, 3);
    map.SetOffset(10, 20);
    EXPECT_TRUE(map.IsInside(10, 20));
    EXPECT_TRUE(map.IsInside(11, 22));
    EXPECT_FALSE(map.IsInside(12, 20));
    EXPECT_FALSE(map.IsInside(9, 20));
    EXPECT_FALSE(map.IsInside(10, 23));
    EXPECT_FALSE(map.IsInside(10, 19));

    map.SetTileID(11, 22, 7);
    map.SetTileID(10, 21, 255);
    map.SetTileID(12, 20, 9);
    map.SetTileID(9, 20, 9);
    EXPECT_EQ(map.GetTileID(11, 22), 7);
    EXPECT_EQ(map.GetTileID(10, 21), 0);
    EXPECT_EQ(map.GetTileID(12, 20), 0);
    EXPECT_EQ(map.GetTileID(9, 20), 0);
    // The writes outside went nowhere: only the tile at (11, 22) and the 255 are in the map.
    EXPECT_EQ(map.Serialize().substr(Header(2, 3, 10, 20, 0).size()), std::string("0/0007"));

    LevelMap unloaded;
    unloaded.Resize(2, 2);
    unloaded.SetTileID(0, 0, 5);
    EXPECT_EQ(unloaded.GetTileID(0, 0), 0);
    EXPECT_FALSE(unloaded.IsLoaded());
    EXPECT_FALSE(unloaded.Save());

    LevelMap flat;
    flat.Create(0, 3);
    EXPECT_FALSE(flat.IsInside(0, 0));
    EXPECT_FALSE(flat.IsInside(0xFFFFFFFFu, 0));
    flat.SetTileID(0, 0, 5);
    EXPECT_EQ(flat.GetTileID(0, 0), 0);
}

TEST_F(LevelMapTest, ResizeKeepsTilesAtTheirLocalPositions) {
    LevelMap map;
    map.Create(4, 4);
    map.SetOffset(5, 7);
    for (unsigned y = 0; y < 4; ++y) {
        for (unsigned x = 0; x < 4; ++x) {
            map.SetTileID(5 + x, 7 + y, static_cast<unsigned char>(10 * y + x + 1));
        }
    }
    map.Resize(2, 6);
    EXPECT_EQ(map.GetWidth(), 2u);
    EXPECT_EQ(map.GetHeight(), 6u);
    for (unsigned y = 0; y < 6; ++y) {
        for (unsigned x = 0; x < 2; ++x) {
            const int expected = y < 4 ? static_cast<int>(10 * y + x + 1) : 0;
            EXPECT_EQ(map.GetTileID(5 + x, 7 + y), expected) << x << "," << y;
        }
    }
    EXPECT_FALSE(map.IsInside(7, 7));
    EXPECT_TRUE(map.IsInside(6, 12));
}

TEST_F(LevelMapTest, FileIsTheHeaderThenTilesColumnByColumn) {
    LevelMap map;
    map.Create(2, 3);
    map.SetOffset(1, 2);
    map.SetID(5);
    unsigned char id = 1;
    for (unsigned x = 1; x <= 2; ++x) {
        for (unsigned y = 2; y <= 4; ++y) {
            map.SetTileID(x, y, id++);
        }
    }
    map.SetFileName((dir / "Tiles" / "Cave").string());
    ASSERT_TRUE(map.Save());
    EXPECT_EQ(ReadFile(dir / "Tiles" / "Cave"),
              "File Dimensions:\nWidth: 2\nHeight: 3\nxOffset: 1\nyOffset: 2\nID: 5\n\nTile Space:\n123456");
}

TEST_F(LevelMapTest, SavedMapLoadsBackButKeepsItsOwnYOffsetAndId) {
    LevelMap map;
    map.Create(3, 2);
    map.SetOffset(4, 9);
    map.SetID(7);
    // 240 is written as a space and 218 as a newline: neither may be lost to the header's white space.
    const unsigned char ids[3][2] = {{240, 218}, {0, 12}, {240, 99}};
    for (unsigned x = 0; x < 3; ++x) {
        for (unsigned y = 0; y < 2; ++y) {
            map.SetTileID(4 + x, 9 + y, ids[x][y]);
        }
    }
    map.SetFileName((dir / "round").string());
    ASSERT_TRUE(map.Save());
    ASSERT_EQ(ReadFile(dir / "round").substr(Header(3, 2, 4, 9, 7).size(), 1), " ");

    LevelMap loaded;
    loaded.SetOffset(0, 33);
    loaded.SetID(2);
    loaded.SetFileName((dir / "round").string());
    ProblemCapture capture;
    loaded.Load();
    EXPECT_EQ(capture.Count(), 0u);
    ASSERT_TRUE(loaded.IsLoaded());
    EXPECT_EQ(loaded.GetWidth(), 3u);
    EXPECT_EQ(loaded.GetHeight(), 2u);
    EXPECT_EQ(loaded.GetXOffset(), 4u);
    EXPECT_EQ(loaded.GetYOffset(), 33u);
    EXPECT_EQ(loaded.GetID(), 2u);
    for (unsigned x = 0; x < 3; ++x) {
        for (unsigned y = 0; y < 2; ++y) {
            EXPECT_EQ(loaded.GetTileID(4 + x, 33 + y), ids[x][y]) << x << "," << y;
        }
    }
}

TEST_F(LevelMapTest, AMapWithCarriageReturnLineEndsLoadsAsTheSameMap) {
    // The header as a Windows editor or a checkout with CRLF line ends leaves it; the tiles are one run
    // without line ends, and a space (id 240) first must still be a tile, not header white space.
    std::string header = Header(3, 2, 1, 0, 0);
    for (std::size_t at = header.find('\n'); at != std::string::npos; at = header.find('\n', at + 2)) {
        header.insert(at, 1, '\r');
    }
    ProblemCapture capture;
    LevelMap map;
    LoadText(map, header + " 1D234\r\n");
    EXPECT_EQ(capture.Count(), 0u);
    ASSERT_TRUE(map.IsLoaded());
    EXPECT_EQ(map.GetWidth(), 3u);
    EXPECT_EQ(map.GetHeight(), 2u);
    const unsigned char expected[3][2] = {{240, 1}, {20, 2}, {3, 4}};
    for (unsigned x = 0; x < 3; ++x) {
        for (unsigned y = 0; y < 2; ++y) {
            EXPECT_EQ(map.GetTileID(1 + x, y), expected[x][y]) << x << "," << y;
        }
    }
}

TEST_F(LevelMapTest, ShortAndHostileFilesAreHandled) {
    ProblemCapture capture;
    LevelMap shortMap;
    LoadText(shortMap, Header(3, 2, 0, 0, 0) + "12");
    ASSERT_TRUE(shortMap.IsLoaded());
    EXPECT_EQ(shortMap.GetTileID(0, 0), 1);
    EXPECT_EQ(shortMap.GetTileID(0, 1), 2);
    for (unsigned x = 1; x < 3; ++x) {
        EXPECT_EQ(shortMap.GetTileID(x, 0), 0);
        EXPECT_EQ(shortMap.GetTileID(x, 1), 0);
    }
    EXPECT_EQ(capture.Count(), 0u);

    // Exactly the limit is allowed; one tile more is not.
    LevelMap largest;
    LoadText(largest, Header(4096, 4096, 0, 0, 0));
    EXPECT_TRUE(largest.IsLoaded());
    EXPECT_EQ(capture.Count(), 0u);
    largest.Free();

    // A side past an int is refused rather than wrapped (5551011128 read as an int is 1256043832); a
    // side past the limit is refused even when the other is 0 and the map would hold no tiles.
    const std::pair<long long, long long> refused[] = {{4097, 4096}, {1, 16777217}, {65536, 65536}, {-5, 0},
                                                       {3, -1},      {-1, -1},      {5551011128, 0}, {0, 16777217},
                                                       {4294967299, 1}};
    for (const auto& size : refused) {
        capture.Clear();
        LevelMap map;
        LoadText(map, Header(size.first, size.second, 0, 0, 0) + "123");
        EXPECT_FALSE(map.IsLoaded()) << size.first << " x " << size.second;
        EXPECT_EQ(capture.Count(), 1u) << size.first << " x " << size.second;
        EXPECT_EQ(capture.Last().function, "ZELM::LevelMap::Load");
    }

    for (const std::string& text : {std::string("garbage"), std::string(""),
                                    std::string("File Dimensions:\nWidth: 2\nHeight: x\n"),
                                    Header(2, 2, 4294967296, 0, 0) + "1234"}) {
        capture.Clear();
        LevelMap map;
        LoadText(map, text);
        EXPECT_FALSE(map.IsLoaded()) << text;
        EXPECT_EQ(capture.Count(), 1u) << text;
    }

    capture.Clear();
    LevelMap missing;
    missing.SetFileName((dir / "nothing").string());
    missing.Load();
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(capture.Count(), 0u);

    LevelMap flat;
    LoadText(flat, Header(0, 3, 0, 0, 0));
    ASSERT_TRUE(flat.IsLoaded());
    EXPECT_FALSE(flat.IsInside(0, 0));
    EXPECT_FALSE(flat.IsInside(0xFFFFFFFFu, 2));
    EXPECT_EQ(flat.GetTileID(0, 0), 0);
}

// The game-flow service's tile-map methods, called by name through the "Engine" table.
class LogicTileMapTest : public LevelMapTest {
protected:
    void SetUp() override {
        LevelMapTest::SetUp();
        ZELM::PathTable::Instance().Set("Levels", dir.string() + "/");
        logic = std::make_unique<Logic::LogicService>();
        logic->Bind();
        logic->Init();
        engine.SetName("Engine");
    }
    void TearDown() override {
        logic.reset();
        ZELM::DynamicBase::RemoveTablesOf("Engine");
        ZELM::ComponentRegistry::DestroyInstance();
        ZELM::PathTable::DestroyInstance();
        ZELM::LuaState::Close();
        LevelMapTest::TearDown();
    }

    unsigned char Tile(unsigned x, unsigned y) { return engine.Call<unsigned char>("GetTileID", x, y); }

    std::unique_ptr<Logic::LogicService> logic;
    ZELM::DynamicCaller engine;
};

TEST_F(LogicTileMapTest, LoadEditAndSaveTheMapByName) {
    ProblemCapture capture;
    Write("Tiles/Cave", Header(2, 2, 0, 0, 0) + "1234");
    EXPECT_FALSE(engine.Call<bool>("HasTileInfo"));
    engine.Call("LoadLevel", "Cave");
    EXPECT_TRUE(engine.Call<bool>("HasTileInfo"));
    EXPECT_EQ(Tile(0, 0), 1);
    EXPECT_EQ(Tile(0, 1), 2);
    EXPECT_EQ(Tile(1, 0), 3);
    EXPECT_EQ(Tile(1, 1), 4);

    engine.Call("SetLevelID", 1u, 0u, static_cast<unsigned char>(8));
    EXPECT_EQ(Tile(1, 0), 8);
    engine.Call("SaveLevel", "Copy");
    EXPECT_EQ(ReadFile(dir / "Tiles" / "Copy"), Header(2, 2, 0, 0, 0) + "1284");
    EXPECT_EQ(ReadFile(dir / "Tiles" / "Cave"), Header(2, 2, 0, 0, 0) + "1234");

    // "SaveLevels" writes wherever the map was last loaded or saved.
    engine.Call("SetLevelID", 0u, 0u, static_cast<unsigned char>(5));
    engine.Call("SaveLevels");
    EXPECT_EQ(ReadFile(dir / "Tiles" / "Copy"), Header(2, 2, 0, 0, 0) + "5284");

    engine.Call("NoTileInfo");
    EXPECT_FALSE(engine.Call<bool>("HasTileInfo"));

    // A new level has a map of its own, walled in, that paints at once and is saved only by name.
    engine.Call("New");
    EXPECT_TRUE(engine.Call<bool>("HasTileInfo"));
    EXPECT_EQ(logic->GetWorldMap().GetWidth(), 64u);
    EXPECT_EQ(logic->GetWorldMap().GetHeight(), 32u);
    const struct {
        unsigned x, y;
        unsigned char id;
    } cells[] = {{0, 0, 1},  {63, 0, 1}, {0, 31, 1},  {63, 31, 1}, {30, 0, 1},
                 {0, 15, 1}, {1, 1, 0},  {62, 30, 0}, {64, 0, 0}};
    for (const auto& cell : cells) {
        EXPECT_EQ(Tile(cell.x, cell.y), cell.id) << cell.x << "," << cell.y;
    }
    engine.Call("SetLevelID", 3u, 3u, static_cast<unsigned char>(5));
    EXPECT_EQ(Tile(3, 3), 5);
    engine.Call("SaveLevels");
    EXPECT_EQ(ReadFile(dir / "Tiles" / "Copy"), Header(2, 2, 0, 0, 0) + "5284");

    // A tile map that is missing still marks the level as having one.
    engine.Call("LoadLevel", "Nowhere");
    EXPECT_TRUE(engine.Call<bool>("HasTileInfo"));
    EXPECT_FALSE(logic->GetWorldMap().IsLoaded());
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(LogicTileMapTest, FillWorldSetsEveryTileAtAnyOffset) {
    ProblemCapture capture;
    Write("Tiles/Field", Header(3, 2, 7, 0, 0) + "000000");
    engine.Call("LoadLevel", "Field");
    logic->GetWorldMap().SetOffset(7, 11);
    engine.Call("FillWorld", static_cast<unsigned char>(9));
    for (unsigned x = 7; x < 10; ++x) {
        EXPECT_EQ(Tile(x, 11), 9);
        EXPECT_EQ(Tile(x, 12), 9);
    }
    EXPECT_EQ(logic->GetWorldMap().Serialize(), Header(3, 2, 7, 11, 0) + "999999");

    // A map that reaches the last coordinate must fill without running on forever.
    logic->GetWorldMap().SetOffset(0xFFFFFFFDu, 0xFFFFFFFEu);
    engine.Call("FillWorld", static_cast<unsigned char>(4));
    EXPECT_EQ(Tile(0xFFFFFFFFu, 0xFFFFFFFFu), 4);
    EXPECT_EQ(logic->GetWorldMap().Serialize(), Header(3, 2, -3, -2, 0) + "444444");
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(LogicTileMapTest, InitEntersTheLogicComponentTypesInOrder) {
    class Collector : public ZELM::IVisitor<ZELM::RegistryItem> {
    public:
        void Visit(ZELM::RegistryItem& item) override { items.push_back(item.serviceName + "/" + item.typeName); }
        std::vector<std::string> items;
    } collector;
    ZELM::ComponentRegistry::Instance().VisitItems(collector);
    const std::vector<std::string> expected = {
        "Logic/Physical",          "Logic/LuaScript",           "Logic/PlayerMovement",
        "Logic/GravityGuy",        "Logic/Phazer",              "Logic/ZELM::Domain",
        "Logic/GravitySectorComponent", "Logic/GravityEffectZone", "Logic/VariableGravityZone",
        "Logic/PowerUp",           "Logic/SplashScreen",        "Logic/MainMenu",
        "Logic/Level",             "Logic/Options",             "Logic/WinScreen",
        "Logic/PlayGameMenu",      "Logic/TimingComponent",     "Logic/NotificationComponent",
        "Logic/HP",                "Logic/LevelSelect",         "Logic/CourseMenu", "Logic/MyLevelsMenu", "Logic/ImportMenu", "Logic/ControlsScreen",
        "Logic/CreditsScreen"};
    EXPECT_EQ(collector.items, expected);
}

}  // namespace

namespace {

// The names of the directory's entries, sorted.
std::set<std::string> Entries(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST_F(LevelMapTest, ASaveKilledHalfWayLeavesTheMapWholeAndItsTemporaryIsClearedLater) {
    const std::string path = (dir / "Tiles" / "big").string();
    LevelMap map;
    map.SetFileName(path);
    map.Create(2000, 1000);
    ASSERT_TRUE(map.Save());
    const std::string saved = ReadFile(path);

    for (int attempt = 0; attempt < 3; ++attempt) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (;;) {
                map.Save();
            }
        }
        // Killed once its temporary file is there, so the save is caught in the middle.
        const fs::path temporary = path + ".tmp" + std::to_string(writer);
        while (!fs::exists(temporary)) {
            ASSERT_EQ(::waitpid(writer, nullptr, WNOHANG), 0) << "the saving process ended by itself";
            ::usleep(100);
        }
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        EXPECT_EQ(ReadFile(path), saved) << "the map is whole";
    }
    EXPECT_GE(Entries(dir / "Tiles").size(), 2u) << "the killed saves left their temporaries";

    // A temporary whose writer still runs is someone's save in progress and stays.
    const std::string running = path + ".tmp" + std::to_string(::getppid());
    std::ofstream(running) << "in progress";
    ASSERT_TRUE(map.Save());
    EXPECT_EQ(Entries(dir / "Tiles"), (std::set<std::string>{"big", fs::path(running).filename().string()}));

    // A new run clears what a killed save of any file left, and nothing else.
    std::ofstream(path + ".tmp999999999") << "dead writer";
    std::ofstream(dir / "Tiles" / "notes.tmpfile") << "not a temporary";
    ZELM::RemoveStaleTemporariesIn((dir / "Tiles").string());
    EXPECT_EQ(Entries(dir / "Tiles"),
              (std::set<std::string>{"big", "notes.tmpfile", fs::path(running).filename().string()}));
}

TEST_F(LogicTileMapTest, WithAUserRootSavesGoThereAndAreFoundBeforeTheBundledMap) {
    const fs::path user = dir / "user";
    ZELM::PathTable::Instance().SetUserRoot(user.string());
    Write("Tiles/Cave", Header(2, 2, 0, 0, 0) + "1234");
    fs::permissions(dir / "Tiles", fs::perms::owner_write, fs::perm_options::remove);

    engine.Call("LoadLevel", "Cave");
    engine.Call("SetLevelID", 0u, 0u, static_cast<unsigned char>(9));
    engine.Call("SaveLevels");
    engine.Call("SetLevelID", 1u, 1u, static_cast<unsigned char>(7));
    engine.Call("SaveLevel", "Fresh");
    fs::permissions(dir / "Tiles", fs::perms::owner_write, fs::perm_options::add);

    EXPECT_EQ(ReadFile(dir / "Tiles" / "Cave"), Header(2, 2, 0, 0, 0) + "1234") << "the bundled map is untouched";
    EXPECT_EQ(ReadFile(user / "Levels" / "Tiles" / "Cave"), Header(2, 2, 0, 0, 0) + "9234");
    EXPECT_EQ(ReadFile(user / "Levels" / "Tiles" / "Fresh"), Header(2, 2, 0, 0, 0) + "9237");
    EXPECT_FALSE(fs::exists(dir / "Tiles" / "Fresh"));

    engine.Call("LoadLevel", "Cave");
    EXPECT_EQ(Tile(0, 0), 9) << "the player's copy is found first";
    EXPECT_EQ(logic->GetWorldMap().GetFileName(), (user / "Levels" / "Tiles" / "Cave").string());
}

}  // namespace
