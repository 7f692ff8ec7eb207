// Tests of finding asset files on disk and keeping the loaded assets by stem.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/AssetManager.h"
#include "engine/ContentPipeline.h"
#include "engine/IAssetLoader.h"
#include "support/ProblemCapture.h"

namespace {

namespace fs = std::filesystem;
using ZELM::AssetManager;
using ZELMTest::ProblemCapture;

// Loads a file holding one number into an int asset, counting the assets freed and itself.
class NumberLoader : public ZELM::IAssetLoader {
public:
    NumberLoader(int* assetsFreed, int* loadersDeleted)
        : assetsFreed(assetsFreed), loadersDeleted(loadersDeleted) {}
    ~NumberLoader() override { ++*loadersDeleted; }

    ZELM::Asset* Load(const std::string& path) override {
        int value = 0;
        std::ifstream(path) >> value;
        int* freed = assetsFreed;
        return new ZELM::AssetImpl<int>(value, [freed](int&) { ++*freed; });
    }

private:
    int* assetsFreed;
    int* loadersDeleted;
};

class AssetScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("fallward-assets-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
        pipeline.AddAssetLoader("png", new NumberLoader(&assetsFreed, &loadersDeleted));
    }
    void TearDown() override {
        pipeline.Unload();
        AssetManager::DestroyInstance();
        fs::remove_all(root);
    }

    void Write(const std::string& relative, int value) {
        const fs::path path = root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << value;
    }

    std::string Dir() const { return root.string() + "/"; }

    std::vector<std::string> NamesOf(const std::vector<ZELM::Asset*>& assets) const {
        std::vector<std::string> names;
        for (const ZELM::Asset* asset : assets) {
            names.push_back(asset->GetName().substr(Dir().size()));
        }
        return names;
    }

    // Hands the scanned assets to the manager the way the engine does.
    void AddAll(const std::vector<ZELM::Asset*>& assets) {
        for (ZELM::Asset* asset : assets) {
            AssetManager::Instance().Add(ZELM::AssetStem(asset->GetName()), asset);
        }
    }

    fs::path root;
    ZELM::ContentPipeline pipeline;
    int assetsFreed = 0;
    int loadersDeleted = 0;
};

TEST_F(AssetScanTest, ScanGoesDepthFirstAndSkipsWhatNoLoaderTakes) {
    Write("a.png", 1);
    Write("shout.PNG", 2);
    Write("notes.txt", 3);
    Write("README", 4);
    Write(".svn/hidden.png", 5);
    Write("sub/b.png", 6);
    Write("sub/.svn/d.png", 7);
    Write("sub/deeper/c.png", 8);

    const std::vector<ZELM::Asset*> assets = pipeline.ScanAssets(Dir());
    EXPECT_EQ(NamesOf(assets), (std::vector<std::string>{"sub/deeper/c.png", "sub/b.png", "a.png"}));
    ASSERT_EQ(assets.size(), 3u);
    EXPECT_EQ(assets[2]->GetName(), Dir() + "a.png");

    AddAll(assets);
    EXPECT_EQ(AssetManager::Instance().Size(), 3u);
    EXPECT_EQ(AssetManager::Instance().Get<int>("c"), 8);
    EXPECT_EQ(AssetManager::Instance().Get<int>("b"), 6);
    EXPECT_EQ(AssetManager::Instance().Get<int>("a"), 1);
}

TEST_F(AssetScanTest, StemDropsDirectoriesAndExtension) {
    EXPECT_EQ(ZELM::AssetStem("../Resources/Art/hero.png"), "hero");
    EXPECT_EQ(ZELM::AssetStem("..\\Resources\\Art\\hero.png"), "hero");
    EXPECT_EQ(ZELM::AssetStem("Art\\Mixed/hero.png"), "hero");
    EXPECT_EQ(ZELM::AssetStem("Art/Mixed\\hero.png"), "hero");
    EXPECT_EQ(ZELM::AssetStem("Art.v2/hero"), "hero");
    EXPECT_EQ(ZELM::AssetStem("hero.tar.gz"), "hero.tar");
    EXPECT_EQ(ZELM::AssetStem("hero"), "hero");
}

TEST_F(AssetScanTest, LaterFileOfTheSameStemWins) {
    Write("x.png", 2);
    Write("old/x.png", 1);
    AddAll(pipeline.ScanAssets(Dir()));
    EXPECT_EQ(AssetManager::Instance().Size(), 1u);
    EXPECT_EQ(AssetManager::Instance().Get<int>("x"), 2);
    // Components may still hold the replaced value, so it lives until everything is unloaded.
    EXPECT_EQ(assetsFreed, 0);
}

TEST_F(AssetScanTest, MissingOrMistypedAssetGivesANullValue) {
    Write("a.png", 5);
    AddAll(pipeline.ScanAssets(Dir()));
    ProblemCapture capture;

    int& missing = AssetManager::Instance().Get<int>("nope");
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not find asset \"nope\"!");
    EXPECT_EQ(capture.Last().function, "ZELM::AssetManager::Get");
    EXPECT_EQ(missing, 0);
    missing = 42;  // a caller scribbling on the null value must not change the next one
    EXPECT_EQ(AssetManager::Instance().Get<int>("nope"), 0);
    EXPECT_EQ(capture.Count(), 2u);

    EXPECT_EQ(AssetManager::Instance().Get<std::string>("a"), "");
    EXPECT_EQ(capture.Count(), 3u);
    EXPECT_EQ(capture.Last().function, "ZELM::AssetManager::Get");
    EXPECT_EQ(AssetManager::Instance().Get<int>("a"), 5);
    EXPECT_EQ(capture.Count(), 3u);
}

TEST_F(AssetScanTest, UnloadDeletesAssetsAndLoaders) {
    Write("a.png", 1);
    Write("b.png", 2);
    Write("dup/b.png", 3);
    AddAll(pipeline.ScanAssets(Dir()));
    pipeline.AddAssetLoader("jpg", new NumberLoader(&assetsFreed, &loadersDeleted));
    pipeline.AddAssetLoader("jpg", new NumberLoader(&assetsFreed, &loadersDeleted));
    EXPECT_EQ(loadersDeleted, 1);

    pipeline.Unload();
    EXPECT_EQ(assetsFreed, 3);
    EXPECT_EQ(loadersDeleted, 3);
    EXPECT_EQ(AssetManager::Instance().Size(), 0u);
    EXPECT_FALSE(pipeline.HasAssetLoader("png"));
    EXPECT_FALSE(pipeline.HasAssetLoader("jpg"));
}

}  // namespace
