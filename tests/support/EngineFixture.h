// A test fixture that builds an engine over a scratch data directory and shuts it down afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "support/ProblemCapture.h"

namespace ZELMTest {

class EngineFixture : public ::testing::Test {
protected:
    // Writes a manifest and "order.txt" with the given level names (each level file is created
    // with an empty level), changes into the scratch directory and creates the engine.
    void MakeEngine(const std::vector<std::string>& levels) {
        namespace fs = std::filesystem;
        original = fs::current_path();
        root = fs::temp_directory_path() /
               ("fallward-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(root);
        fs::create_directories(root / "Working");
        fs::create_directories(root / "Resources" / "Levels");
        fs::create_directories(root / "Resources" / "Scripts");
        std::ofstream(root / "Working" / "manifest.txt")
            << "Resources=../Resources/ Levels=../Resources/Levels/ Scripts=../Resources/Scripts/ MyLevels=../MyLevels/\n";
        std::ofstream order(root / "Resources" / "Levels" / "order.txt");
        for (const std::string& level : levels) {
            order << level << "\n";
            std::ofstream(root / "Resources" / "Levels" / (level + ".xml")) << "<?xml version=\"1.0\" ?>\n<Level />\n";
        }
        order.close();
        fs::current_path(root / "Working");
        engine = &ZELM::Engine::Instance();
    }

    void TearDown() override {
        if (ZELM::Engine::Exists()) {
            ZELM::Engine::DestroyInstance();
        }
        if (!original.empty()) {
            std::filesystem::current_path(original);
            std::filesystem::remove_all(root);
        }
    }

    std::filesystem::path ResourcePath(const std::string& relative) const { return root / "Resources" / relative; }

    ZELM::Engine* engine = nullptr;
    std::filesystem::path root;
    std::filesystem::path original;

private:
    static inline int counter = 0;
};

}  // namespace ZELMTest
