// The player's own levels as the "[my levels]" menu lists them: found in the player's folder, with
// each level's size, and sorted with the last played first.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace Logic {

class PlayerLevelList {
public:
    // A folder with more level files than this lists the first ones by name.
    static constexpr std::size_t kMostListed = 1000;

    struct Item {
        std::string level;  // the game's name for it, "my:" and the stem
        std::string stem;
        unsigned width = 0;  // tiles; 0 when its map cannot be read
        unsigned height = 0;
        float bestSeconds = std::numeric_limits<float>::infinity();
        std::int64_t played = 0;  // seconds since the epoch, 0 when never
        std::string problem;      // why it cannot be played, "" when it can
    };

    // Every level file ("NAME.xml") of the folder, by name, with the size its tile map declares.
    static std::vector<Item> Read(const std::string& directory);
    // The last played first; never played ones after them; equal times by name.
    static void Sort(std::vector<Item>& items);
    // "[Castle  64 x 32  12.345 s]", or what stops it being played.
    static std::string ButtonText(const Item& item, bool editing);
    // The width and height a tile map's header declares (the header alone is read).
    static bool ReadMapSize(const std::string& path, unsigned& width, unsigned& height);
};

}  // namespace Logic
