// Tests of the manifest's path table and the short names services are known by.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/PathTable.h"
#include "engine/ShortName.h"

namespace {

using ZELM::PathTable;

class ManifestTest : public ::testing::Test {
protected:
    void TearDown() override {
        PathTable::DestroyInstance();
        std::filesystem::remove(manifest);
    }

    std::string WriteManifest(const std::string& text) {
        std::ofstream(manifest) << text;
        return manifest.string();
    }

    std::filesystem::path manifest =
        std::filesystem::temp_directory_path() / ("fallward-manifest-" + std::to_string(::getpid()) + ".txt");
};

TEST_F(ManifestTest, ReadsKeyValueTokens) {
    PathTable& paths = PathTable::Instance();
    paths.Read(
        WriteManifest("Resources=../Resources/  Levels=../Resources/Levels/\n"
                      "Query=a=b Lonely\n\tLevels=../Other/Levels/\n"));
    EXPECT_EQ(paths.Get("Resources"), "../Resources/");
    EXPECT_EQ(paths.Get("Levels"), "../Other/Levels/");
    EXPECT_EQ(paths.Get("Query"), "a=b");
    EXPECT_EQ(paths.Get("Lonely"), "Lonely");
    EXPECT_EQ(paths.Get("Scripts"), "");
    EXPECT_EQ(paths.Get(""), "");
}

TEST_F(ManifestTest, MissingManifestLeavesTheTableEmpty) {
    PathTable& paths = PathTable::Instance();
    paths.Read((std::filesystem::temp_directory_path() / "fallward-no-such-manifest.txt").string());
    EXPECT_EQ(paths.Get("Resources"), "");
    EXPECT_EQ(paths.Get("Levels"), "");
}

TEST(ShortName, NamesEveryServiceOfTheGame) {
    EXPECT_EQ(ZELM::ShortName("Windows::WindowsService"), "Windows");
    EXPECT_EQ(ZELM::ShortName("Logic::LogicService"), "Logic");
    EXPECT_EQ(ZELM::ShortName("Kestrin::PhysicsService"), "Physics");
    EXPECT_EQ(ZELM::ShortName("Graphics::GraphicsService"), "Graphics");
    EXPECT_EQ(ZELM::ShortName("LevelEditor::LevelEditorService"), "LevelEditor");
    EXPECT_EQ(ZELM::ShortName("Input::InputService"), "Input");
    EXPECT_EQ(ZELM::ShortName("Audio::AudioService"), "Audio");
    EXPECT_EQ(ZELM::ShortName("Networking::NetworkManager"), "NetworkManager");
    EXPECT_EQ(ZELM::ShortName("XboxControllerInput"), "XboxControllerInput");
    EXPECT_EQ(ZELM::ShortName("ZELM::Physical"), "Physical");
    // Too short to lose the whole suffix.
    EXPECT_EQ(ZELM::ShortName("Service::X"), "");
    EXPECT_EQ(ZELM::ShortName("Service"), "");
}

}  // namespace
