// The keys that pick a tile in tile mode.
#include "editor/TileKeys.h"

#include <string>

#include "engine/Service.h"

namespace LevelEditor {
namespace {

// Number keys pick ids 1 to 9, function keys 11 to 20; F5 alone is the play-test, so tile 15
// takes Shift+F5.
constexpr TileKeys::Key kNumberKeys[] = {
    {"1", 1, "block"},
    {"2", 2, "block, red look"},
    {"3", 3, "blue"},
    {"4", 4, "blue, purple look"},
    {"5", 5, "checkpoint"},
    {"6", 6, "red"},
    {"7", 7, "slippery"},
    {"8", 8, "clears the tutorial text"},
    {"9", 9, "block, no colour"},
};
constexpr TileKeys::Key kFunctionKeys[] = {
    {"F1", 11, "gravity left"},
    {"F2", 12, "gravity right"},
    {"F3", 13, "gravity up"},
    {"F4", 14, "gravity down"},
    {"Shift+F5", 15, "tutorial: phasing"},
    {"F6", 16, "tutorial: checkpoints"},
    {"F7", 17, "tutorial: red blocks"},
    {"F8", 18, "tutorial: exploring"},
    {"F9", 19, "tutorial: slippery"},
    {"F10", 20, "goal"},
};

constexpr char kShift[] = "Shift+";

bool ShiftHeld(ZELM::Service& input) {
    return input.Call<bool>("EditorKeyDown", std::string("LSHIFT")) ||
           input.Call<bool>("EditorKeyDown", std::string("RSHIFT"));
}

// A key written "Shift+F5" fires only with a Shift key held.
bool KeyTriggered(ZELM::Service& input, const TileKeys::Key& key) {
    const std::string name = key.key;
    const bool shifted = name.rfind(kShift, 0) == 0;
    const std::string bare = shifted ? name.substr(sizeof kShift - 1) : name;
    return input.Call<bool>("EditorKeyTriggered", bare) && (!shifted || ShiftHeld(input));
}

// The palette shows the tiles the keys pick, in the keys' order.
template <std::size_t N>
void AddToPalette(const TileKeys::Key (&keys)[N], std::vector<TilePalette::Tile>& tiles) {
    for (const TileKeys::Key& key : keys) {
        tiles.push_back({key.key, key.id, key.name});
    }
}

template <std::size_t N>
const TileKeys::Key* FirstTriggered(ZELM::Service& input, const TileKeys::Key (&keys)[N]) {
    for (const TileKeys::Key& key : keys) {
        if (KeyTriggered(input, key)) {
            return &key;
        }
    }
    return nullptr;
}

template <std::size_t N>
const TileKeys::Key* FindTile(unsigned char id, const TileKeys::Key (&keys)[N]) {
    for (const TileKeys::Key& key : keys) {
        if (key.id == id) {
            return &key;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<TilePalette::Tile> TileKeys::PaletteTiles() {
    std::vector<TilePalette::Tile> tiles;
    AddToPalette(kNumberKeys, tiles);
    AddToPalette(kFunctionKeys, tiles);
    return tiles;
}

const TileKeys::Key* TileKeys::Triggered(ZELM::Service& input) {
    // The number keys first, then the function keys: both may fire in one frame, the later wins.
    const Key* picked = FirstTriggered(input, kNumberKeys);
    if (const Key* function = FirstTriggered(input, kFunctionKeys)) {
        picked = function;
    }
    return picked;
}

const TileKeys::Key* TileKeys::Find(unsigned char id) {
    const Key* key = FindTile(id, kNumberKeys);
    return key != nullptr ? key : FindTile(id, kFunctionKeys);
}

}  // namespace LevelEditor
