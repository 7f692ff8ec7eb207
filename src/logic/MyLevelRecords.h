// What the player keeps about their own levels: each one's best time and when it was last played,
// and the author's name that goes into the levels they share. Kept in "mylevels.xml" beside the
// records, so that a records file stays readable by a game that knows only its own levels.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "logic/PlayerFile.h"

namespace Logic {

class MyLevelRecords {
public:
    // More entries than this is no file the game wrote.
    static constexpr std::size_t kMostLevels = 4096;
    static constexpr std::size_t kLongestAuthor = 64;

    struct Entry {
        float best = 0.0f;        // seconds; 0 when the level has no time yet
        std::int64_t played = 0;  // seconds since the epoch; 0 when never played
    };

    // From now on the file is read and written; without it (tools, tests) all this lasts as long
    // as the process.
    void KeepFile() { keepsFile = true; }
    // A damaged file is reported once, and the next change replaces it.
    void Load();

    // The text of the file: anything but well-formed entries of "my:" names with sane numbers is
    // refused whole, with the reason in `problem`, and `into` is left as it was.
    static bool Parse(const std::string& text, MyLevelRecords& into, std::string& problem);
    std::string Serialise() const;

    // Infinity when the level has no time yet.
    float GetBest(const std::string& level) const;
    // Keeps the time when it is the level's first or beats its best (a tie counts); true when kept.
    bool OfferTime(const std::string& level, float seconds);
    std::int64_t GetPlayed(const std::string& level) const;
    void NotePlayed(const std::string& level, std::int64_t when);

    const std::string& GetAuthor() const { return author; }
    // Cut to kLongestAuthor bytes; the characters a file name or markup would choke on are dropped.
    void SetAuthor(const std::string& name);
    static std::string KeptAuthor(const std::string& name);

private:
    void Save();

    std::map<std::string, Entry> levels;
    std::string author;
    PlayerFile file{"mylevels.xml"};
    bool keepsFile = false;
};

}  // namespace Logic
