// Importing a shared level: what is refused and why, that nothing is written for a refused or
// declined pack, and that an accepted one is installed exactly.
#include <functional>

#include "SharingFixture.h"
#include "sharing/LevelPackImport.h"

namespace SharingTest {
namespace {

using Sharing::LevelPackImport;

const std::string kOtherLevel = "<?xml version=\"1.0\" ?>\n<Level />\n";
// What the player had before: another level with a script, which no import may touch.
const std::map<std::string, std::string> kInstalledBefore = {{"Other.xml", kOtherLevel},
                                                             {"Scripts/Helper.lua", "helper = 1\n"}};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "NOT FOUND: " + from : text.replace(at, from.size(), to);
}

LevelPack::File& FileNamed(LevelPack& pack, const std::string& name) {
    for (LevelPack::File& file : pack.files) {
        if (file.name == name) {
            return file;
        }
    }
    ADD_FAILURE() << name;
    return pack.files.front();
}

std::string WithFile(LevelPack::File file) {
    LevelPack pack = CastlePack();
    pack.files.push_back(std::move(file));
    return pack.Serialise();
}

std::string WithChanged(const std::string& name, const std::function<void(LevelPack::File&)>& change) {
    LevelPack pack = CastlePack();
    change(FileNamed(pack, name));
    return pack.Serialise();
}

std::string Without(const std::string& name) {
    LevelPack pack = CastlePack();
    pack.files.erase(pack.files.begin() + (&FileNamed(pack, name) - pack.files.data()));
    return pack.Serialise();
}

class LevelPackImportTest : public SharingFixture {
protected:
    LevelPackImport::Result Import(const std::string& text, const LevelPackImport::Question& question) {
        WriteBytes(PackPath(), text);
        return LevelPackImport(types).Import(PackPath(), question);
    }
};

TEST_F(LevelPackImportTest, AnAcceptedPackInstallsExactlyItsFilesBesideThePlayersOthers) {
    WriteToFolder(kInstalledBefore);
    int asked = 0;
    const LevelPackImport::Result result = Import(CastlePack().Serialise(), [&asked](const std::string&) {
        ++asked;
        return false;
    });
    ASSERT_EQ(result.outcome, LevelPackImport::Outcome::Installed) << result.message;
    EXPECT_EQ(result.levelName, "my:Castle");
    EXPECT_EQ(asked, 0) << "nothing was there to replace";
    std::map<std::string, std::string> expected = kInstalledBefore;
    expected.insert(kCastleFiles.begin(), kCastleFiles.end());
    std::map<std::string, std::string> installed = FolderContents();
    for (const char* directory : {"Tiles", "Scripts", "Archetypes"}) {
        EXPECT_EQ(installed[directory], "<directory>");
        installed.erase(directory);
    }
    EXPECT_EQ(installed, expected);
}

TEST_F(LevelPackImportTest, HostilePacksAreRefusedWithTheirReasonAndChangeNothing) {
    const std::string valid = CastlePack().Serialise();
    std::string manyFiles;
    {
        LevelPack pack = CastlePack();
        for (int i = 0; pack.files.size() <= LevelPack::kMaxEntries; ++i) {
            pack.files.push_back({Kind::Script, "Extra" + std::to_string(i) + ".lua", ""});
        }
        manyFiles = pack.Serialise();
    }
    const struct {
        const char* what;
        std::string text;
        const char* reason;
    } cases[] = {
        {"over 16 MiB", std::string(LevelPack::kMaxFileBytes + 1, ' '), "larger than 16 MiB"},
        {"not XML", "<FallwardLevel", "it is not XML"},
        {"another root", "<?xml version=\"1.0\" ?>\n<Level />\n", "root element is not FallwardLevel"},
        {"a newer format", Replace(valid, "format=\"1\"", "format=\"2\""), "made by a newer game (format 2"},
        {"no format", Replace(valid, "format=\"1\"", "format=\"one\""), "no format number"},
        {"too many files", manyFiles, "more than 256 files"},
        {"a separator", WithFile({Kind::Script, "../Evil.lua", ""}),
         "\"../Evil.lua\" holds a path separator"},
        {"a backslash", WithFile({Kind::Script, "..\\Evil.lua", ""}), "holds a path separator"},
        {"an absolute path", WithFile({Kind::Archetype, "/etc/Evil.xml", ""}), "holds a path separator"},
        {"dot dot", WithFile({Kind::Tiles, "a..b", ""}), "holds \"..\""},
        {"an empty name", WithFile({Kind::Tiles, "", ""}), "is empty"},
        {"a leading dot", WithFile({Kind::Script, ".hidden.lua", ""}), "starts with a dot"},
        {"an unsafe character", WithFile({Kind::Script, "Evil$.lua", ""}), "other than letters"},
        {"an overlong name", WithFile({Kind::Tiles, std::string(65, 'a'), ""}), "longer than 64"},
        {"a wrong extension", WithFile({Kind::Script, "Evil.sh", ""}), "must end in \".lua\""},
        {"an unknown kind", Replace(valid, "kind=\"archetype\"", "kind=\"program\""), "kind \"program\""},
        {"a size larger than the text", Replace(valid, "size=\"24\"", "size=\"25\""),
         "decodes to 24 bytes, not the 25"},
        {"text longer than its size", Replace(valid, "size=\"24\"", "size=\"12\""),
         "longer than 12 bytes need"},
        {"a signed size", Replace(valid, "size=\"24\"", "size=\"+24\""), "size is not a number"},
        {"text that is not base64", Replace(valid, "size=\"24\">ZnVu", "size=\"24\">!!!!"), "not base64"},
        {"a file twice", WithFile({Kind::Script, "DoorScript.lua", kDoorScript}), "\"DoorScript.lua\" twice"},
        {"no level", Without("Castle.xml"), "holds no level"},
        {"two levels", WithFile({Kind::Level, "Keep.xml", kCastleLevel}), "more than one level"},
        {"a level not the one named", Replace(valid, "level=\"Castle\"", "level=\"Keep\""),
         "level file \"Castle.xml\" is not the level \"Keep\""},
        {"a level that is no level",
         WithChanged("Castle.xml", [](auto& file) { file.bytes = "<Archetype />"; }),
         "root element is not Level"},
        {"a missing script", Without("DoorScript.lua"),
         "script \"DoorScript\", which is neither in the pack"},
        {"a missing tile map", Without("Castle"), "tile map \"Castle\", which is not in the pack"},
        {"a missing archetype", Without("DoorBlock.xml"), "archetype \"DoorBlock\", which is neither"},
        {"a script of the game's name", WithFile({Kind::Script, "Tutorial.lua", "os.exit()\n"}),
         "\"Tutorial.lua\" is named like one of the game's own"},
        {"an archetype of the game's name", WithFile({Kind::Archetype, "block.xml", kDoorBlock}),
         "\"block.xml\" is named like one of the game's own"},
        {"a file the level does not use", WithFile({Kind::Archetype, "Unused.xml", kDoorBlock}),
         "which the level does not use"},
        {"a tile map short of its tiles",
         WithChanged("Castle",
                     [](auto& file) { file.bytes = Replace(file.bytes, "Height: 2", "Height: 20"); }),
         "promises 60 tiles and holds 6"},
        {"absurd dimensions",
         WithChanged("Castle",
                     [](auto& file) {
                         file.bytes =
                             Replace(file.bytes, "Width: 3\nHeight: 2", "Width: 99999\nHeight: 99999");
                     }),
         "asks for 99999 x 99999 tiles"},
        {"a tile map without a header", WithChanged("Castle", [](auto& file) { file.bytes = "011000"; }),
         "no readable header"},
        {"an archetype that is no archetype",
         WithChanged("DoorBlock.xml", [](auto& file) { file.bytes = "<Level/>"; }), "is no archetype"},
        {"a level the checker refuses",
         WithChanged("Castle.xml",
                     [](auto& file) {
                         file.bytes = Replace(
                             file.bytes, "</Level>",
                             "<Entity><string>Door</string><string>Not Set</string></Entity></Level>");
                     }),
         "does not pass the level checks: Castle.xml:22: a second entity named \"Door\""},
        {"an entity script that does not compile",
         WithChanged("DoorScript.lua", [](auto& file) { file.bytes = "function Update(\n"; }),
         "the script \"DoorScript\" of \"Door\" does not load"},
    };
    for (const auto& hostile : cases) {
        SCOPED_TRACE(hostile.what);
        fs::remove_all(Folder());
        WriteToFolder(kInstalledBefore);
        const std::map<std::string, std::string> before = FolderContents();
        bool asked = false;
        const LevelPackImport::Result result =
            Import(hostile.text, [&asked](const std::string&) { return asked = true; });
        EXPECT_EQ(result.outcome, LevelPackImport::Outcome::Refused);
        EXPECT_NE(result.message.find(PackPath() + ": "), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(hostile.reason), std::string::npos) << result.message;
        EXPECT_FALSE(asked);
        EXPECT_EQ(FolderContents(), before);
    }
}

TEST_F(LevelPackImportTest, ARefusedPackIntoNoFolderLeavesNoFolder) {
    fs::remove_all(Folder());
    const LevelPackImport::Result result = Import(Without("DoorScript.lua"), nullptr);
    EXPECT_EQ(result.outcome, LevelPackImport::Outcome::Refused);
    // Refused by the level checker, which ran on the files staged in the folder.
    const LevelPackImport::Result checked =
        Import(WithChanged("DoorScript.lua", [](auto& file) { file.bytes = "function Update(\n"; }), nullptr);
    EXPECT_EQ(checked.outcome, LevelPackImport::Outcome::Refused);
    EXPECT_NE(checked.message.find("does not pass the level checks"), std::string::npos) << checked.message;
    EXPECT_FALSE(fs::exists(Folder()));
}

TEST_F(LevelPackImportTest, ReplacingAsksFirstAndNoChangesNothing) {
    WriteToFolder(kInstalledBefore);
    ASSERT_EQ(Import(CastlePack().Serialise(), nullptr).outcome, LevelPackImport::Outcome::Installed);
    // The same files again replace nothing, so there is nothing to ask.
    EXPECT_EQ(Import(CastlePack().Serialise(), nullptr).outcome, LevelPackImport::Outcome::Installed);

    const std::string changed =
        WithChanged("DoorScript.lua", [](auto& file) { file.bytes = "function Update(dt) door = dt end\n"; });
    const std::map<std::string, std::string> before = FolderContents();
    std::vector<std::string> questions;
    const LevelPackImport::Result declined = Import(changed, [&questions](const std::string& question) {
        questions.push_back(question);
        return false;
    });
    EXPECT_EQ(declined.outcome, LevelPackImport::Outcome::Declined);
    EXPECT_EQ(declined.levelName, "my:Castle");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("my:Castle"), std::string::npos) << questions[0];
    EXPECT_NE(questions[0].find("Scripts/DoorScript.lua"), std::string::npos) << questions[0];
    EXPECT_EQ(FolderContents(), before);
    EXPECT_EQ(Import(changed, nullptr).outcome, LevelPackImport::Outcome::Declined)
        << "no one to ask is a no";
    EXPECT_EQ(FolderContents(), before);

    EXPECT_EQ(Import(changed, [](const std::string&) { return true; }).outcome,
              LevelPackImport::Outcome::Installed);
    EXPECT_EQ(ReadBytes(Folder() / "Scripts" / "DoorScript.lua"), "function Update(dt) door = dt end\n");
    EXPECT_EQ(ReadBytes(Folder() / "Scripts" / "Helper.lua"), "helper = 1\n");
}

}  // namespace
}  // namespace SharingTest
