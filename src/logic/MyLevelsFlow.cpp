// The player's own levels' records, finish and import.
#include "logic/MyLevelsFlow.h"

#include <cmath>
#include <cstdio>

namespace Logic {

std::string MyLevelsFlow::ImportFile(const std::string& file) {
    if (!import) {
        return "Level files cannot be imported here.";
    }
    std::string level;
    const std::string problem = import(file, level);
    if (problem.empty()) {
        focus = level;
    }
    return problem;
}

std::string MyLevelsFlow::ExportFile(const std::string& level, const std::string& file) const {
    return exporter ? exporter(level, file, records.GetAuthor()) : "level files cannot be written here";
}

void MyLevelsFlow::LevelStarted(const std::string& level, std::int64_t now) {
    finished = false;
    records.NotePlayed(level, now);
}

std::string MyLevelsFlow::Finish(const std::string& level, float seconds, bool countsForRecords, bool& newBest) {
    finished = true;
    const float best = records.GetBest(level);
    newBest = countsForRecords && records.OfferTime(level, seconds);
    char text[96];
    if (newBest) {
        std::snprintf(text, sizeof text, "Time: %.3f NEW BEST!", static_cast<double>(seconds));
    } else if (std::isfinite(best)) {
        std::snprintf(text, sizeof text, "Time: %.3f Best: %.3f", static_cast<double>(seconds), static_cast<double>(best));
    } else {
        std::snprintf(text, sizeof text, "Time: %.3f", static_cast<double>(seconds));
    }
    return text;
}

}  // namespace Logic
