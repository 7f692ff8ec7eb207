// Bounded whole-file reads.
#include "sharing/FileBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace Sharing {

FileBytes::Outcome FileBytes::Read(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return Outcome::Missing;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Outcome::Missing;
    }
    char piece[1 << 16];
    while (bytes.size() <= limit) {
        const std::size_t wanted = std::min(sizeof piece, limit + 1 - bytes.size());
        file.read(piece, static_cast<std::streamsize>(wanted));
        if (file.gcount() <= 0) {
            break;
        }
        bytes.append(piece, static_cast<std::size_t>(file.gcount()));
    }
    return bytes.size() > limit ? Outcome::TooLarge : Outcome::Read;
}

}  // namespace Sharing
