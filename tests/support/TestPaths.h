// Where the tests find the program and the repository's data. Worked out while the test runs, from
// the test program's own path (the test programs lie in the build's tests/ folder, and the build
// says where the sources lie relative to itself): the compiled tests carry no absolute path, so a
// compiler cache shares them between checkouts.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace ZELMTest {

inline const std::string& BuildDirectory() {
    static const std::string directory = [] {
        char path[4096];
        const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
        const std::filesystem::path program(std::string(path, length > 0 ? static_cast<std::size_t>(length) : 0));
        return program.parent_path().parent_path().string();
    }();
    return directory;
}

// A path of the repository, from its root.
inline std::string InSource(const std::string& relative) {
    return (std::filesystem::path(BuildDirectory()) / FALLWARD_SOURCE_FROM_BUILD / relative).lexically_normal().string();
}

}  // namespace ZELMTest

#define FALLWARD_BINARY (::ZELMTest::BuildDirectory() + "/fallward")
#define FALLWARD_FIXTURES (::ZELMTest::InSource("tests/fixtures"))
#define FALLWARD_SOLUTIONS (::ZELMTest::InSource("tests/solutions"))
#define FALLWARD_GAME (::ZELMTest::InSource("game"))
#define FALLWARD_DOCS (::ZELMTest::InSource("docs"))
#define FALLWARD_RESOURCES (::ZELMTest::InSource("game/Resources"))
#define FALLWARD_SOUNDS (::ZELMTest::InSource("game/Resources/Sounds"))
#define FALLWARD_ARCHETYPES (::ZELMTest::InSource("game/Resources/Archetypes") + "/")
