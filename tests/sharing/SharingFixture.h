// A scratch data directory with the gameplay services started (the level checker matches their
// component types), a small player level ready to pack, and a look at every byte of the player's
// levels folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "app/LevelChecker.h"
#include "engine/Engine.h"
#include "engine/PlayerLevels.h"
#include "engine/ShortName.h"
#include "logic/LogicService.h"
#include "physics/PhysicsService.h"
#include "sharing/LevelPack.h"
#include "support/ScratchData.h"

namespace SharingTest {

namespace fs = std::filesystem;
using Sharing::LevelPack;
using Kind = LevelPack::Kind;

// "Castle": its tile map, a level script of its own beside one of the game's ("Tutorial"), an
// entity with a script and an archetype of its own.
inline const std::string kCastleLevel = R"(<?xml version="1.0" ?>
<Level>
    <Tiles>
        <string>Castle</string>
    </Tiles>
    <Scripts>
        <string>CastleStart</string>
        <string>Tutorial</string>
        <string></string>
    </Scripts>
    <Entity>
        <string>Door</string>
        <string>DoorBlock</string>
        <Component>
            <string>Logic</string>
            <string>LuaScript</string>
            <Script>
                <string>DoorScript</string>
            </Script>
        </Component>
    </Entity>
</Level>
)";
inline const std::string kCastleTiles =
    "File Dimensions:\nWidth: 3\nHeight: 2\nxOffset: 0\nyOffset: 0\nID: 0\n\nTile Space:\n011000";
inline const std::string kCastleStart = "function Init() castleStarted = true end\n";
inline const std::string kDoorScript = "function Update(dt) end\n";
inline const std::string kDoorBlock = "<?xml version=\"1.0\" ?>\n<Archetype />\n";

// Its files as they lie in a player's levels folder.
inline const std::map<std::string, std::string> kCastleFiles = {{"Castle.xml", kCastleLevel},
                                                                {"Tiles/Castle", kCastleTiles},
                                                                {"Scripts/CastleStart.lua", kCastleStart},
                                                                {"Scripts/DoorScript.lua", kDoorScript},
                                                                {"Archetypes/DoorBlock.xml", kDoorBlock}};

inline LevelPack CastlePack() {
    LevelPack pack;
    pack.game = "fallward test";
    pack.author = "Ada";
    pack.level = "Castle";
    pack.files = {{Kind::Level, "Castle.xml", kCastleLevel},
                  {Kind::Tiles, "Castle", kCastleTiles},
                  {Kind::Script, "CastleStart.lua", kCastleStart},
                  {Kind::Script, "DoorScript.lua", kDoorScript},
                  {Kind::Archetype, "DoorBlock.xml", kDoorBlock}};
    return pack;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class SharingFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        original = fs::current_path();
        scratch = std::make_unique<ZELMTest::ScratchData>();
        fs::current_path(scratch->Working());
        ZELM::Engine& engine = ZELM::Engine::Instance();
        engine.AddService(ZELM::ShortName("Logic::LogicService"), new Logic::LogicService());
        engine.AddService(ZELM::ShortName("Kestrin::PhysicsService"), new Kestrin::PhysicsService());
        engine.StartServices();
        types = Fallward::LevelChecker::RegisteredTypes();
    }
    static void TearDownTestSuite() {
        ZELM::Engine::DestroyInstance();
        fs::current_path(original);
        scratch.reset();
    }
    void SetUp() override {
        fs::remove_all(Folder());
        fs::create_directories(Folder());
    }

    static fs::path Folder() { return fs::path(ZELM::PlayerLevels::Directory()); }
    // Every file below the player's levels folder with its bytes, by its path in the folder.
    static std::map<std::string, std::string> FolderContents() {
        std::map<std::string, std::string> contents;
        for (const auto& entry : fs::recursive_directory_iterator(Folder())) {
            const std::string name = fs::relative(entry.path(), Folder()).string();
            contents[name] = entry.is_regular_file() ? ReadBytes(entry.path()) : std::string("<directory>");
        }
        return contents;
    }
    static void WriteToFolder(const std::map<std::string, std::string>& files) {
        for (const auto& [name, bytes] : files) {
            WriteBytes(Folder() / name, bytes);
        }
    }
    static std::string PackPath() { return (fs::path(scratch->Working()) / "Shared.fwlevel").string(); }

    static inline std::unique_ptr<ZELMTest::ScratchData> scratch;
    static inline fs::path original;
    static inline Fallward::LevelChecker::ComponentTypes types;
};

}  // namespace SharingTest
