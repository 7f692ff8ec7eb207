// The player's records at work: the adventure's levels from the level order, the records read
// from "records.xml" as the game starts, the progress and best times offered as levels are won,
// and the file saved whenever a record changes.
#pragma once

#include <string>
#include <vector>

#include "logic/PlayerFile.h"
#include "logic/Records.h"

namespace ZELM {
class DynamicCaller;
}

namespace Logic {

class PlayerRecords {
public:
    // Calls on "Engine" through the game flow: the editor, which says when a level is play-tested.
    explicit PlayerRecords(ZELM::DynamicCaller& engine) : engine(engine) {}

    // From now on the file is read and written; without it (tools, tests of one level) records last
    // as long as the process.
    void KeepFile() { keepsFile = true; }
    bool KeepsFile() const { return keepsFile; }
    // The adventure's levels from order.txt: from the first adventure level to the result screen.
    void ReadAdventureLevels();
    // A damaged file is reported, and the next record replaces it.
    void Load();

    // An adventure level played for real: not a play-test of the editor's copy, which may differ.
    bool CountsForRecords(const std::string& level);
    // Keeps an adventure level that counts as the furthest when it lies past the furthest so far.
    void NoteAdventureProgress(const std::string& level);
    // Keeps the time when it is the level's first or beats its best (a tie counts); true when kept.
    bool OfferTime(const std::string& level, float seconds);
    // The best time in seconds, infinity when the level has none.
    float GetBest(const std::string& level) const { return records.GetBest(level); }
    // The furthest adventure level reached, "" before the first.
    const std::string& GetFurthest() const { return records.GetFurthest(); }
    // The adventure levels up to the furthest reached (the first one for a new player).
    std::vector<std::string> GetReachedLevels() const;

private:
    void Save();

    ZELM::DynamicCaller& engine;
    Records records;
    PlayerFile file{"records.xml"};
    std::vector<std::string> adventureLevels;
    bool keepsFile = false;
};

}  // namespace Logic
