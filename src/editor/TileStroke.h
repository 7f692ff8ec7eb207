// One stroke of tile painting, mouse press to release: each cell it changed, with its id before
// and after.
#pragma once

#include <string>
#include <vector>

#include "editor/EditStep.h"
#include "utilities/DynamicCaller.h"

namespace LevelEditor {

class TileStroke : public EditStep {
public:
    TileStroke();

    // Paints the cell through the map ("SetLevelID") and keeps what changed; a cell outside the
    // map, or one that already had the id, is not part of the stroke.
    void Paint(unsigned x, unsigned y, unsigned char id);
    bool IsEmpty() const { return cells.empty(); }
    std::size_t Size() const { return cells.size(); }

    void Undo() override;
    void Redo() override;
    // "paint 14 tiles", or "erase 3 tiles" when every cell was cleared.
    std::string Describe() const override;

private:
    struct Cell {
        unsigned x;
        unsigned y;
        unsigned char before;
        unsigned char after;
    };

    ZELM::DynamicCaller map;
    std::vector<Cell> cells;
};

}  // namespace LevelEditor
