// The network log and where it lives.
#include "networking/NetworkLog.h"

#include <cstdlib>
#include <filesystem>

#include "engine/UserDirectories.h"

namespace Networking {

NetworkLog::NetworkLog(std::string path, std::size_t limit) : path(std::move(path)), limit(limit) {}

std::string NetworkLog::DefaultPath() {
    const std::string directory = ZELM::UserStateDirectory();
    if (directory.empty()) {
        return std::string();
    }
    std::error_code ignored;
    std::filesystem::create_directories(directory, ignored);
    return directory + "NetworkLog.txt";
}

std::string NetworkLog::OldPath(const std::string& path) {
    const std::string suffix = ".txt";
    if (path.size() >= suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return path.substr(0, path.size() - suffix.size()) + ".old.txt";
    }
    return path + ".old";
}

std::string NetworkLog::Printable(const std::string& bytes) {
    std::size_t end = bytes.size();
    while (end > 0 && bytes[end - 1] == '\n') {
        --end;
    }
    std::string text;
    text.reserve(end);
    for (std::size_t i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            static const char kHex[] = "0123456789abcdef";
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xF];
        }
    }
    return text;
}

void NetworkLog::Write(const std::string& text) {
    if (path.empty() || failed) {
        return;
    }
    if (file && size + text.size() > limit) {
        file.reset();
        std::error_code ignored;
        std::filesystem::rename(path, OldPath(path), ignored);
        file.reset(std::fopen(path.c_str(), "w"));
        size = 0;
    }
    if (!file) {
        file.reset(std::fopen(path.c_str(), "a"));
        if (!file) {
            failed = true;  // as the game always did: a log that cannot be opened is no reason to stop
            return;
        }
        std::fseek(file.get(), 0, SEEK_END);
        const long existing = std::ftell(file.get());
        size = existing > 0 ? static_cast<std::size_t>(existing) : 0;
        if (size + text.size() > limit) {
            Write(text);  // rotates the full file left by an earlier run, now that it is open
            return;
        }
    }
    if (std::fwrite(text.data(), 1, text.size(), file.get()) == text.size()) {
        size += text.size();
    }
}

void NetworkLog::Flush() {
    if (file) {
        std::fflush(file.get());
    }
}

}  // namespace Networking
