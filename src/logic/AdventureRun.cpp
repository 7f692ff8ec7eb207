// The adventure run's total and its lines.
#include "logic/AdventureRun.h"

#include <cctype>
#include <cstdio>

#include "engine/PlayerLevels.h"

namespace Logic {
namespace {

std::string Seconds(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(seconds));
    return text;
}

}  // namespace

float AdventureRun::TotalSeconds() const {
    float total = 0.0f;
    for (const LevelTime& level : levels) {
        total += level.seconds;
    }
    return total;
}

std::vector<std::string> AdventureRun::Summary() const {
    if (levels.empty()) {
        return {};
    }
    if (!IsWhole()) {
        return {"Time from " + DisplayName(levels.front().level) + ": " + Seconds(TotalSeconds())};
    }
    std::vector<std::string> lines{"Total time: " + Seconds(TotalSeconds())};
    for (const LevelTime& level : levels) {
        lines.push_back(DisplayName(level.level) + ": " + Seconds(level.seconds));
    }
    return lines;
}

std::string AdventureRun::DisplayName(const std::string& name) {
    // A player's own level is shown by the name its maker gave it.
    const std::string level = ZELM::PlayerLevels::StemOf(name);
    std::string shown;
    for (std::size_t i = 0; i < level.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(level[i]);
        const unsigned char before = i > 0 ? static_cast<unsigned char>(level[i - 1]) : ' ';
        const bool wordStarts =
            (std::isupper(c) && std::islower(before)) || (std::isdigit(c) && std::isalpha(before));
        if (wordStarts) {
            shown += ' ';
        }
        shown += level[i];
    }
    return shown;
}

}  // namespace Logic
