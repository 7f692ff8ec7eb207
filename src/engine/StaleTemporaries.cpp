// Finding and removing the temporary files of killed saves.
#include "engine/StaleTemporaries.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace ZELM {
namespace {

namespace fs = std::filesystem;

constexpr char kMarker[] = ".tmp";

// The writer's process id when the name is "<target>.tmp<digits>", else 0.
pid_t WriterOf(const std::string& name, std::string* target) {
    const std::size_t marker = name.rfind(kMarker);
    if (marker == std::string::npos || marker == 0) {
        return 0;
    }
    const std::string digits = name.substr(marker + sizeof(kMarker) - 1);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    if (target != nullptr) {
        *target = name.substr(0, marker);
    }
    return static_cast<pid_t>(std::strtol(digits.c_str(), nullptr, 10));
}

// Our own process counts as gone: this process writes one save at a time, so a temporary of ours
// found before a save is a leftover of a failed one.
bool WriterIsGone(pid_t pid) {
    if (pid <= 0 || pid == ::getpid()) {
        return true;
    }
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

void RemoveIfStale(const fs::directory_entry& entry, const std::string* onlyTarget) {
    std::error_code error;
    if (!entry.is_regular_file(error)) {
        return;
    }
    std::string target;
    const pid_t pid = WriterOf(entry.path().filename().string(), &target);
    if (pid == 0 || (onlyTarget != nullptr && target != *onlyTarget) || !WriterIsGone(pid)) {
        return;
    }
    fs::remove(entry.path(), error);
}

void RemoveStale(const fs::path& directory, const std::string* onlyTarget) {
    std::error_code error;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error), end; !error && it != end;
         it.increment(error)) {
        RemoveIfStale(*it, onlyTarget);
    }
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + kMarker + std::to_string(::getpid()); }

void RemoveStaleTemporariesOf(const std::string& path) {
    const fs::path file(path);
    const std::string target = file.filename().string();
    RemoveStale(file.parent_path(), &target);
}

void RemoveStaleTemporariesIn(const std::string& directory) { RemoveStale(directory, nullptr); }

}  // namespace ZELM
