// Writing a pack: what the export gathers from the player's folders, and that a written pack reads
// back as exactly the files it was made from.
#include "SharingFixture.h"
#include "sharing/LevelPack.h"
#include "sharing/LevelPackExport.h"

namespace SharingTest {
namespace {

using Sharing::LevelPackExport;

std::map<std::string, std::string> ByName(const LevelPack& pack) {
    std::map<std::string, std::string> files;
    for (const LevelPack::File& file : pack.files) {
        files[std::string(LevelPack::KindName(file.kind)) + ":" + file.name] = file.bytes;
    }
    return files;
}

TEST(LevelPack, AWrittenPackReadsBackAsItsFilesByteForByte) {
    std::string everyByte;
    for (int value = 0; value < 256; ++value) {
        everyByte += static_cast<char>(value);
    }
    LevelPack pack = CastlePack();
    pack.author = "Ada <& \"Bo\">";
    // Lengths of every remainder by three, so each kind of padding is written and read.
    pack.files.push_back({Kind::Tiles, "Bytes", everyByte});
    pack.files.push_back({Kind::Tiles, "One", "\n"});
    pack.files.push_back({Kind::Tiles, "Two", "\r\n"});
    pack.files.push_back({Kind::Tiles, "Empty", ""});
    LevelPack read;
    std::string problem;
    ASSERT_TRUE(LevelPack::Parse(pack.Serialise(), read, problem)) << problem;
    EXPECT_EQ(read.format, LevelPack::kFormat);
    EXPECT_EQ(read.game, pack.game);
    EXPECT_EQ(read.author, pack.author);
    EXPECT_EQ(read.level, "Castle");
    EXPECT_EQ(read.files, pack.files);
}

class LevelPackExportTest : public SharingFixture {};

TEST_F(LevelPackExportTest, TheExportHoldsTheLevelAndThePlayersFilesItNamesButNoneOfTheGames) {
    WriteToFolder(kCastleFiles);
    WriteBytes(Folder() / "Scripts" / "Unrelated.lua", "x = 1\n");
    std::string problem;
    ASSERT_TRUE(LevelPackExport("fallward test", "Ada").Write("my:Castle", PackPath(), problem)) << problem;
    LevelPack read;
    ASSERT_TRUE(LevelPack::Parse(ReadBytes(PackPath()), read, problem)) << problem;
    EXPECT_EQ(read.level, "Castle");
    EXPECT_EQ(read.author, "Ada");
    EXPECT_EQ(read.game, "fallward test");
    // "Tutorial", a script of the game's, stays out; so does the script no part of the level names.
    EXPECT_EQ(ByName(read), ByName(CastlePack()));
}

TEST_F(LevelPackExportTest, ALevelWhoseFilesAreMissingIsNotExported) {
    const struct {
        const char* missing;
        const char* reason;
    } cases[] = {
        {"Castle.xml", "there is no player level \"my:Castle\""},
        {"Tiles/Castle", "its tile map \"Castle\" is not in"},
        {"Scripts/DoorScript.lua", "its script \"DoorScript\" is in neither"},
        {"Archetypes/DoorBlock.xml", "its archetype \"DoorBlock\" is in neither"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.missing);
        fs::remove_all(Folder());
        fs::remove(PackPath());
        WriteToFolder(kCastleFiles);
        fs::remove(Folder() / broken.missing);
        std::string problem;
        EXPECT_FALSE(LevelPackExport("fallward test", "Ada").Write("Castle", PackPath(), problem));
        EXPECT_NE(problem.find(broken.reason), std::string::npos) << problem;
        EXPECT_FALSE(fs::exists(PackPath()));
    }
}

}  // namespace
}  // namespace SharingTest
