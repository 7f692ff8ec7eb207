// A data directory of its own for one run of the game: the bundled game's manifest with its
// directories made absolute, so the run reads the bundled levels while the player's files it
// writes (records, settings, the player's levels) land here instead of in the repository.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestPaths.h"

namespace ZELMTest {

class ScratchData {
public:
    ScratchData() {
        static std::atomic<int> made{0};
        root = std::filesystem::temp_directory_path() /
               ("fallward-data-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
        std::filesystem::create_directories(root / "Working");
        const std::filesystem::path bundled = std::filesystem::weakly_canonical(
            std::filesystem::path(FALLWARD_FIXTURES) / "../../game/Working");
        std::ifstream manifest(bundled / "manifest.txt");
        std::ofstream copy(root / "Working" / "manifest.txt");
        std::string token;
        while (manifest >> token) {
            const std::size_t equals = token.find('=');
            if (token.rfind("MyLevels=", 0) == 0) {
                token = "MyLevels=" + (root / "MyLevels").string() + "/";  // the player's levels are the run's own
            } else if (equals != std::string::npos && token.compare(equals + 1, 1, "/") != 0) {
                token.insert(equals + 1, bundled.string() + "/");
            }
            copy << token << "\n";
        }
    }
    ~ScratchData() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    ScratchData(const ScratchData&) = delete;
    ScratchData& operator=(const ScratchData&) = delete;

    // The directory to hand to --data; the player's files are written in it.
    std::string Working() const { return (root / "Working").string(); }
    // The run's folder of player levels (made by the first save or import).
    std::string MyLevels() const { return (root / "MyLevels").string() + "/"; }

private:
    std::filesystem::path root;
};

}  // namespace ZELMTest
