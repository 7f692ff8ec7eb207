// One of the player's own files (records, settings, best runs): in the player's save directory for an
// installed game, beside the bundled data otherwise, like the levels the editor saves.
#pragma once

#include <string>

namespace Logic {

class PlayerFile {
public:
    // A file bigger than this is no file the game wrote.
    static constexpr std::size_t kLargest = 1 << 20;

    // `name` may lead into a folder of the save directory, made when the file is.
    explicit PlayerFile(std::string name, std::size_t largest = kLargest)
        : name(std::move(name)), largest(largest) {}

    std::string GetPath() const;
    // The file's text. False when there is none to use: `problem` stays empty for a missing file
    // (a new player) and says why otherwise.
    bool Read(std::string& text, std::string& problem) const;
    // Through a temporary file renamed into place; a failure is reported (unless the caller
    // reports it its own way) and the game goes on.
    bool Write(const std::string& text, bool reportFailure = true) const;

private:
    std::string name;
    std::size_t largest;
};

}  // namespace Logic
