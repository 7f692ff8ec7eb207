// Reading a whole file into memory with a bound, so no file can make the game read without end.
#pragma once

#include <cstddef>
#include <string>

namespace Sharing {

class FileBytes {
public:
    enum class Outcome { Read, Missing, TooLarge };
    // Reads at most `limit` + 1 bytes: enough to tell that a file is over the limit, and no more.
    static Outcome Read(const std::string& path, std::size_t limit, std::string& bytes);
};

}  // namespace Sharing
