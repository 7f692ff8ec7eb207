// Reading, keeping and saving the player's records.
#include "logic/PlayerRecords.h"

#include <algorithm>

#include "engine/LevelSequence.h"
#include "engine/PathTable.h"
#include "engine/ProblemReport.h"
#include "logic/AdventureRun.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

void PlayerRecords::ReadAdventureLevels() {
    ZELM::LevelSequence order;
    order.Read(ZELM::PathTable::Instance().Get("Levels") + "order.txt");
    const std::vector<std::string>& names = order.GetNames();
    auto first = std::find(names.begin(), names.end(), AdventureRun::kFirstLevel);
    auto end = std::find(first, names.end(), AdventureRun::kResultScreen);
    adventureLevels.assign(first, end);
}

void PlayerRecords::Load() {
    if (!keepsFile) {
        return;
    }
    std::string text;
    std::string problem;
    if (!file.Read(text, problem) && problem.empty()) {
        return;  // a new player
    }
    if (problem.empty() && Records::Parse(text, adventureLevels, records, problem)) {
        return;
    }
    ZELM_PROBLEM("Logic::PlayerRecords::Load",
                 "The records file \"%s\" cannot be used: %s. The game starts without records, and the next "
                 "record replaces the file.",
                 file.GetPath().c_str(), problem.c_str());
}

void PlayerRecords::Save() {
    if (keepsFile) {
        file.Write(records.Serialise());
    }
}

std::vector<std::string> PlayerRecords::GetReachedLevels() const {
    const auto furthest = std::find(adventureLevels.begin(), adventureLevels.end(), records.GetFurthest());
    if (furthest == adventureLevels.end()) {
        return {adventureLevels.begin(), adventureLevels.begin() + (adventureLevels.empty() ? 0 : 1)};
    }
    return {adventureLevels.begin(), furthest + 1};
}

bool PlayerRecords::CountsForRecords(const std::string& level) {
    const bool playTesting = engine.IsBound("IsPlayTesting") && engine.Call<bool>("IsPlayTesting");
    const auto found = std::find(adventureLevels.begin(), adventureLevels.end(), level);
    return found != adventureLevels.end() && !playTesting;
}

void PlayerRecords::NoteAdventureProgress(const std::string& level) {
    if (!CountsForRecords(level)) {
        return;
    }
    const auto reached = std::find(adventureLevels.begin(), adventureLevels.end(), level);
    const auto furthest = std::find(adventureLevels.begin(), adventureLevels.end(), records.GetFurthest());
    if (furthest != adventureLevels.end() && reached <= furthest) {
        return;
    }
    records.SetFurthest(level);
    Save();
}

bool PlayerRecords::OfferTime(const std::string& level, float seconds) {
    if (!records.OfferTime(level, seconds)) {
        return false;
    }
    Save();
    return true;
}

}  // namespace Logic
