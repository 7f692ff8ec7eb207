// What a player has achieved, kept between runs: the best time of each level and the furthest
// adventure level reached. Read from and written to text here; the game flow keeps the file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Logic {

class Records {
public:
    // No run takes longer: a larger time in a file is nonsense, not a record.
    static constexpr float kLongestSeconds = 1.0e6f;

    // Reads the records from a file's text. The file comes from outside the game: anything but
    // well-formed records of known levels (the adventure's and the courses) with times above 0 and
    // up to kLongestSeconds is refused whole, with the reason in `problem`, and `records` is left
    // as it was.
    static bool Parse(const std::string& text, const std::vector<std::string>& adventureLevels,
                      Records& records, std::string& problem);
    std::string Serialise() const;

    // The best time in seconds, or infinity when the level has none.
    float GetBest(const std::string& level) const;
    // Keeps the time when it is the level's first or beats its best (a tie counts); true when kept.
    bool OfferTime(const std::string& level, float seconds);
    // The furthest adventure level reached, "" before the first.
    const std::string& GetFurthest() const { return furthest; }
    void SetFurthest(const std::string& level) { furthest = level; }

private:
    std::map<std::string, float> best;
    std::string furthest;
};

}  // namespace Logic
