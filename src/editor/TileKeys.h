// The keys that pick a tile in tile mode: each with the tile id it picks and what that tile does
// in play (as the tile collision, the player's tile reactions and the renderer treat it).
#pragma once

#include <vector>

#include "editor/TilePalette.h"

namespace ZELM {
class Service;
}

namespace LevelEditor {

class TileKeys {
public:
    struct Key {
        const char* key;  // as the palette shows it: "1", "F10", "Shift+F5"
        unsigned char id;
        const char* name;
    };

    // The tiles the keys pick, in the keys' order.
    static std::vector<TilePalette::Tile> PaletteTiles();
    // The tile whose key went down in this frame, or null.
    static const Key* Triggered(ZELM::Service& input);
    // The key that picks the tile `id`, or null.
    static const Key* Find(unsigned char id);
};

}  // namespace LevelEditor
