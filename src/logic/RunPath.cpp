// A run's path as text.
#include "logic/RunPath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "logic/Records.h"

namespace Logic {
namespace {

bool ReadNumber(const std::string& word, float limit, float& value) {
    char* end = nullptr;
    const float read = std::strtof(word.c_str(), &end);
    if (word.empty() || *end != '\0' || !std::isfinite(read) || std::fabs(read) > limit) {
        return false;
    }
    value = read;
    return true;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

bool ParseAt(const std::vector<std::string>& words, std::size_t frame, RunPath::Pose& pose) {
    float x = 0.0f;
    float y = 0.0f;
    float gx = 0.0f;
    float gy = 0.0f;
    if (words.size() != 6 || words[1] != std::to_string(frame) ||
        !ReadNumber(words[2], RunPath::kFarthest, x) || !ReadNumber(words[3], RunPath::kFarthest, y) ||
        !ReadNumber(words[4], RunPath::kFarthest, gx) || !ReadNumber(words[5], RunPath::kFarthest, gy)) {
        return false;
    }
    pose = {x, y, gx, gy};
    return true;
}

// Every digit a float holds, so the ghost stands exactly where the player stood.
std::string Shown(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

}  // namespace

bool RunPath::Parse(const std::string& text, RunPath& path, std::string& problem) {
    RunPath read;
    bool finished = false;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::vector<std::string> words = Words(line);
        if (words.empty() || (words[0] != "at" && words[0] != "finish")) {
            continue;
        }
        const std::string at = "line " + std::to_string(number) + ": ";
        if (finished) {
            problem = at + "nothing follows the finish";
            return false;
        }
        if (words[0] == "finish") {
            if (words.size() != 2 || !ReadNumber(words[1], Records::kLongestSeconds, read.finishSeconds) ||
                read.finishSeconds <= 0.0f) {
                problem = at + "the finish is not a number of seconds above 0 and up to 1000000";
                return false;
            }
            finished = true;
            continue;
        }
        Pose pose;
        if (!ParseAt(words, read.poses.size() + 1, pose)) {
            problem = at + "\"at\" takes the next frame (" + std::to_string(read.poses.size() + 1) +
                      ") and four numbers up to 1000000";
            return false;
        }
        read.poses.push_back(pose);
    }
    if (!finished || read.poses.empty()) {
        problem = "it holds no path with its finish time";
        return false;
    }
    path = read;
    return true;
}

std::string RunPath::Serialise() const {
    std::string text;
    for (std::size_t frame = 0; frame < poses.size(); ++frame) {
        const Pose& pose = poses[frame];
        text += "at " + std::to_string(frame + 1) + " " + Shown(pose.x) + " " + Shown(pose.y) + " " +
                Shown(pose.gx) + " " + Shown(pose.gy) + "\n";
    }
    return text + "finish " + Shown(finishSeconds) + "\n";
}

void RunPath::Truncate(std::size_t frames) {
    if (frames < poses.size()) {
        poses.resize(frames);
    }
}

bool RunPath::GetPose(std::size_t frame, Pose& pose) const {
    if (poses.empty()) {
        return false;
    }
    pose = poses[std::min(frame == 0 ? 0 : frame - 1, poses.size() - 1)];
    return true;
}

}  // namespace Logic
