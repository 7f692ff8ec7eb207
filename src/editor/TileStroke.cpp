// A stroke's cells, painted and put back through the map's bound methods.
#include "editor/TileStroke.h"

#include <algorithm>

namespace LevelEditor {

TileStroke::TileStroke() {
    map.SetName("Engine");
}

void TileStroke::Paint(unsigned x, unsigned y, unsigned char id) {
    const auto tileAt = [this](unsigned cellX, unsigned cellY) {
        return map.Call<unsigned char>("GetTileID", cellX, cellY);
    };
    const unsigned char before = tileAt(x, y);
    map.Call("SetLevelID", x, y, id);
    const unsigned char after = tileAt(x, y);
    const auto same = [x, y](const Cell& cell) { return cell.x == x && cell.y == y; };
    const auto known = std::find_if(cells.begin(), cells.end(), same);
    if (known != cells.end()) {
        // A stroke crossing its own path keeps the first id as the one undo restores.
        known->after = after;
    } else if (before != after) {
        cells.push_back({x, y, before, after});
    }
}

void TileStroke::Undo() {
    for (auto cell = cells.rbegin(); cell != cells.rend(); ++cell) {
        map.Call("SetLevelID", cell->x, cell->y, cell->before);
    }
}

void TileStroke::Redo() {
    for (const Cell& cell : cells) {
        map.Call("SetLevelID", cell.x, cell.y, cell.after);
    }
}

std::string TileStroke::Describe() const {
    const bool erased =
        std::all_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.after == 0; });
    const std::string count = std::to_string(cells.size()) + (cells.size() == 1 ? " tile" : " tiles");
    return (erased ? "erase " : "paint ") + count;
}

}  // namespace LevelEditor
