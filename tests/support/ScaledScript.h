// Input scripts are by display frame: this moves one to another display rate, its events at the
// same times.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ZELMTest {

// An input script written for a 60 Hz display, on a display whose frames last frameMs: each event
// in the frame its time falls in (at 60 Hz, frame N starts at (N - 1) x 16.6667 ms), a release
// never in its press's frame.
inline std::string ScaledScript(const std::string& script, double frameMs) {
    std::istringstream lines(script);
    std::ostringstream scaled;
    std::map<std::string, long> pressedAt;
    std::vector<std::pair<long, std::string>> section;
    auto flush = [&] {
        std::stable_sort(section.begin(), section.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [frame, rest] : section) {
            scaled << frame << " " << rest << "\n";
        }
        section.clear();
        pressedAt.clear();
    };
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first, kind, key;
        if (!(words >> first) || first[0] == '#') {
            continue;
        }
        if (first == "level") {
            flush();
            scaled << line << "\n";
            continue;
        }
        words >> kind >> key;
        long frame = static_cast<long>(std::floor((std::stol(first) - 1) * 16.6667 / frameMs + 1e-6)) + 1;
        if (kind == "down") {
            pressedAt[key] = frame;
        } else if (kind == "up" && pressedAt.count(key) != 0 && frame <= pressedAt[key]) {
            frame = pressedAt[key] + 1;
        }
        section.emplace_back(frame, line.substr(line.find(first) + first.size() + 1));
    }
    flush();
    return scaled.str();
}

}  // namespace ZELMTest
