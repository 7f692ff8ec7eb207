// The palette bar: a swatch and a button per tile.
#include "editor/TilePalette.h"

#include <string>

#include "utilities/Dynamic.h"

namespace LevelEditor {
namespace {

constexpr unsigned kNoColour = 0x808080u;

std::string Label(const TilePalette::Tile& tile, bool selected) {
    return std::string(selected ? "> " : "  ") + tile.key + "  " + tile.name;
}

std::string ColourText(unsigned rgb) {
    return std::to_string((rgb >> 16) & 0xffu) + " " + std::to_string((rgb >> 8) & 0xffu) + " " +
           std::to_string(rgb & 0xffu);
}

}  // namespace

TilePalette::~TilePalette() {
    if (bar != nullptr) {
        TwDeleteBar(bar);
    }
}

std::string TilePalette::ButtonName(const Tile& tile) {
    return "Tile" + std::to_string(tile.id);
}

void TilePalette::Build(std::vector<Tile> paletteTiles, ZELM::DynamicCaller& engine, Select onSelect) {
    tiles = std::move(paletteTiles);
    select = std::move(onSelect);
    bar = TwNewBar(kBarName);
    TwDefine(
        " TilePalette label='Tiles' visible=false resizable=true fontresizable=false position='8 30' "
        "size='270 500' color='20 20 20' alpha=220 ");
    records.clear();
    const bool coloured = engine.IsBound("GetTileColour");
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const Tile& tile = tiles[i];
        const unsigned rgb = coloured ? engine.Call<unsigned>("GetTileColour", tile.id) : kNoColour;
        records.push_back(std::make_unique<Record>(Record{this, i}));
        TwAddButton(bar, ButtonName(tile).c_str(), &TilePalette::Pressed, records.back().get(),
                    (" label='" + Label(tile, false) + "' color='" + ColourText(rgb) + "' ").c_str());
    }
}

void TilePalette::Show(bool shown) {
    if (bar != nullptr) {
        TwSetParam(bar, nullptr, "visible", TW_PARAM_CSTRING, 1, shown ? "true" : "false");
    }
}

void TilePalette::MarkSelected(unsigned char id) {
    for (const Tile& tile : tiles) {
        const std::string label = Label(tile, tile.id == id);
        TwSetParam(bar, ButtonName(tile).c_str(), "label", TW_PARAM_CSTRING, 1, label.c_str());
    }
}

void TilePalette::Pressed(void* data) {
    const auto* record = static_cast<const Record*>(data);
    TilePalette& palette = *record->palette;
    if (palette.select) {
        palette.select(palette.tiles[record->index]);
    }
}

}  // namespace LevelEditor
