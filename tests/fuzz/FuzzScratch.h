// A scratch data directory for the fuzz targets: the layout the engine reads, made once per process.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/ProblemReport.h"

namespace FallwardFuzz {

// Changes into a fresh "Working" directory beside "Resources" (Levels, Tiles, Archetypes, Scripts)
// and silences problem reports: a report is the sound outcome for bad data, not a finding.
inline const std::filesystem::path& EnterScratchData() {
    static const std::filesystem::path working = [] {
        namespace fs = std::filesystem;
        const fs::path root = fs::temp_directory_path() / ("fallward-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "Working");
        fs::create_directories(root / "Resources" / "Levels" / "Tiles");
        fs::create_directories(root / "Resources" / "Archetypes");
        fs::create_directories(root / "Resources" / "Scripts");
        std::ofstream(root / "Working" / "manifest.txt")
            << "Resources=../Resources/ Levels=../Resources/Levels/ Scripts=../Resources/Scripts/ "
               "Archetypes=../Resources/Archetypes/\n";
        std::ofstream(root / "Resources" / "Levels" / "order.txt") << "Empty\n";
        std::ofstream(root / "Resources" / "Levels" / "Empty.xml") << "<?xml version=\"1.0\" ?>\n<Level />\n";
        fs::current_path(root / "Working");
        ZELM::SetProblemSink([](const ZELM::Problem&) { return ZELM::ProblemChoice::Continue; });
        return root / "Working";
    }();
    return working;
}

// Writes the input to the file, replacing what was there.
inline void WriteInput(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
}

}  // namespace FallwardFuzz
