// The tiles the selection keys pick, in a small bar: each with its colour, its key and its name,
// the selected one marked; a click on one selects it as its key would.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "editor/tweakbar/TweakBar.h"

namespace ZELM {
class DynamicCaller;
}

namespace LevelEditor {

class TilePalette {
public:
    struct Tile {
        const char* key;
        unsigned char id;
        const char* name;
    };
    using Select = std::function<void(const Tile&)>;

    static constexpr const char* kBarName = "TilePalette";

    ~TilePalette();
    // The bar, hidden, over the tiles in their order; each tile's colour is the level's
    // ("GetTileColour" by name), grey where nothing draws the level.
    void Build(std::vector<Tile> tiles, ZELM::DynamicCaller& engine, Select select);
    void Show(bool shown);
    // Marks the tile of this id (none for an id not in the palette).
    void MarkSelected(unsigned char id);

private:
    struct Record {
        TilePalette* palette;
        std::size_t index;
    };

    static void Pressed(void* record);
    static std::string ButtonName(const Tile& tile);

    std::vector<Tile> tiles;
    std::vector<std::unique_ptr<Record>> records;
    Select select;
    TwBar* bar = nullptr;
};

}  // namespace LevelEditor
