// Sharing a player level through the program: exported to a file, installed from it with
// `fallward FILE.fwlevel`, and a hostile or clashing file refused with one message and status 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class LevelPackRun : public ::testing::Test {
protected:
    // The first level under the stem "Copy", with its tile map, as the editor would save it among
    // the player's levels.
    void SetUp() override {
        std::string level = Read(fs::path(FALLWARD_RESOURCES) / "Levels" / "Level1.xml");
        const std::string tiles = "<string>Level1</string>\n    </Tiles>";
        ASSERT_NE(level.find(tiles), std::string::npos);
        level.replace(level.find(tiles), tiles.size(), "<string>Copy</string>\n    </Tiles>");
        levelBytes = level;
        tileBytes = Read(fs::path(FALLWARD_RESOURCES) / "Levels" / "Tiles" / "Level1");
        Write(LevelFile(), levelBytes);
        Write(TileFile(), tileBytes);
        pack = (fs::path(data.Working()).parent_path() / "Copy.fwlevel").string();
    }

    fs::path LevelFile() const { return fs::path(data.MyLevels()) / "Copy.xml"; }
    fs::path TileFile() const { return fs::path(data.MyLevels()) / "Tiles" / "Copy"; }
    ZELMTest::RunResult Run(const std::string& arguments) const {
        return ZELMTest::RunFallward(arguments + " --data " + data.Working(), true);
    }

    ZELMTest::ScratchData data;
    std::string levelBytes;
    std::string tileBytes;
    std::string pack;
};

TEST_F(LevelPackRun, AnExportedLevelDeletedAndImportedIsInstalledByteForByte) {
    const ZELMTest::RunResult exported = Run("--export-level my:Copy " + pack + " --author Ada");
    ASSERT_EQ(exported.status, 0) << exported.errors;
    EXPECT_NE(exported.errors.find("wrote my:Copy to " + pack), std::string::npos) << exported.errors;
    EXPECT_NE(Read(pack).find("author=\"Ada\""), std::string::npos);
    fs::remove(LevelFile());
    fs::remove(TileFile());

    const ZELMTest::RunResult imported = Run(pack + " --headless --frames 1 --problems fatal");
    ASSERT_EQ(imported.status, 0) << imported.errors;
    EXPECT_NE(imported.errors.find("installed my:Copy"), std::string::npos) << imported.errors;
    EXPECT_EQ(Read(LevelFile()), levelBytes);
    EXPECT_EQ(Read(TileFile()), tileBytes);
}

TEST_F(LevelPackRun, AnInstalledLevelIsReplacedHeadlessOnlyWithReplace) {
    ASSERT_EQ(Run("--export-level Copy " + pack).status, 0);
    Write(LevelFile(), levelBytes + "<!-- edited since -->\n");

    const ZELMTest::RunResult kept = Run(pack + " --headless --frames 1");
    EXPECT_EQ(kept.status, 2) << kept.errors;
    EXPECT_NE(kept.errors.find("--replace"), std::string::npos) << kept.errors;
    EXPECT_EQ(Read(LevelFile()), levelBytes + "<!-- edited since -->\n");

    const ZELMTest::RunResult replaced = Run(pack + " --replace --headless --frames 1");
    EXPECT_EQ(replaced.status, 0) << replaced.errors;
    EXPECT_EQ(Read(LevelFile()), levelBytes);
}

TEST_F(LevelPackRun, RefusalsEndWithOneMessageAndStatusTwo) {
    Write(pack, "<FallwardLevel format=\"9\" level=\"Copy\" />");
    const ZELMTest::RunResult newer = Run(pack + " --headless --frames 1");
    EXPECT_EQ(newer.status, 2);
    EXPECT_EQ(newer.errors, "fallward: cannot install the shared level " + pack +
                                ": it was made by a newer game (format 9; this game reads format 1)\n");

    const ZELMTest::RunResult missing = Run("--export-level my:Nothing " + pack);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.errors.find("cannot export \"my:Nothing\": there is no player level"),
              std::string::npos)
        << missing.errors;
}

}  // namespace
