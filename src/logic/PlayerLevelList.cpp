// Finding, sizing and naming the player's own levels.
#include "logic/PlayerLevelList.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/PlayerLevels.h"

namespace Logic {
namespace {

namespace fs = std::filesystem;

// A level file is read only this far for its map's name: the "Tiles" element comes first.
constexpr std::size_t kLevelHeadBytes = 4096;
// A reason longer than this would run off the button.
constexpr std::size_t kLongestShownProblem = 48;

// The map's name from the "Tiles" element at the head of a level file, "" when there is none.
std::string MapNameOf(const std::string& levelFile) {
    std::ifstream in(levelFile, std::ios::binary);
    std::string head(kLevelHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const std::size_t tiles = head.find("<Tiles>");
    if (tiles == std::string::npos) {
        return {};
    }
    const std::size_t open = head.find("<string>", tiles);
    const std::size_t close = head.find("</string>", open);
    if (open == std::string::npos || close == std::string::npos) {
        return {};
    }
    const std::size_t start = open + std::char_traits<char>::length("<string>");
    return head.substr(start, close - start);
}

std::string Seconds(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(seconds));
    return text;
}

}  // namespace

bool PlayerLevelList::ReadMapSize(const std::string& path, unsigned& width, unsigned& height) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    int w = 0;
    int h = 0;
    const bool read = std::fscanf(file, "File Dimensions: Width: %d Height: %d", &w, &h) == 2;
    std::fclose(file);
    if (!read || w <= 0 || h <= 0) {
        return false;
    }
    width = static_cast<unsigned>(w);
    height = static_cast<unsigned>(h);
    return true;
}

std::vector<PlayerLevelList::Item> PlayerLevelList::Read(const std::string& directory) {
    std::vector<std::string> stems;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
        const fs::path& path = entry.path();
        const std::string stem = path.stem().string();
        if (path.extension() == ".xml" && !stem.empty() && stem[0] != '.' && entry.is_regular_file(error)) {
            stems.push_back(stem);
        }
    }
    std::sort(stems.begin(), stems.end());
    stems.resize(std::min(stems.size(), kMostListed));
    std::vector<Item> items;
    for (const std::string& stem : stems) {
        Item item;
        item.stem = stem;
        item.level = ZELM::PlayerLevels::LevelName(stem);
        const std::string map = MapNameOf(directory + stem + ".xml");
        if (!map.empty() && map.find('/') == std::string::npos && map.find("..") == std::string::npos) {
            ReadMapSize(directory + "Tiles/" + map, item.width, item.height);
        }
        items.push_back(item);
    }
    return items;
}

void PlayerLevelList::Sort(std::vector<Item>& items) {
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.played != b.played) {
            return a.played > b.played;
        }
        return a.stem < b.stem;
    });
}

std::string PlayerLevelList::ButtonText(const Item& item, bool editing) {
    if (!item.problem.empty() && !editing) {
        std::string reason = item.problem.substr(0, kLongestShownProblem);
        if (reason.size() < item.problem.size()) {
            reason += "...";
        }
        return "[" + item.stem + " (cannot be played: " + reason + ")]";
    }
    std::string text = "[" + std::string(editing ? "edit " : "") + item.stem;
    if (item.width > 0) {
        text += "  " + std::to_string(item.width) + " x " + std::to_string(item.height);
    }
    text += std::isfinite(item.bestSeconds) ? "  " + Seconds(item.bestSeconds) : std::string("  no time yet");
    return text + "]";
}

}  // namespace Logic
