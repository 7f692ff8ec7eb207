// Reading and writing a player's file.
#include "logic/PlayerFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/PathTable.h"
#include "engine/ProblemReport.h"
#include "engine/XmlWriter.h"

namespace Logic {

std::string PlayerFile::GetPath() const {
    const std::string& userRoot = ZELM::PathTable::Instance().GetUserRoot();
    if (userRoot.empty()) {
        // The working directory is the bundled data's; reports name the file in full.
        std::error_code ignored;
        return std::filesystem::absolute(name, ignored).string();
    }
    return userRoot + name;
}

bool PlayerFile::Read(std::string& text, std::string& problem) const {
    const std::string path = GetPath();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > largest) {
        problem = error ? "it cannot be read (" + error.message() + ")"
                        : "it is larger than " + std::to_string(largest >> 20) + " MiB";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        problem = "it cannot be read";
        return false;
    }
    return true;
}

bool PlayerFile::Write(const std::string& text, bool reportFailure) const {
    const std::string path = GetPath();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (ZELM::WriteFileAtomically(path, text)) {
        return true;
    }
    if (reportFailure) {
        ZELM_PROBLEM("Logic::PlayerFile::Write", "Could not save \"%s\"; it keeps what it held before.",
                     path.c_str());
    }
    return false;
}

}  // namespace Logic
