// The block material table and the look of each tile id.
#include "graphics/BlockMaterials.h"

namespace Graphics {

const std::array<Mtrl, 12>& BlockMaterials() {
    static const std::array<Mtrl, 12> table = {{
        {{0.4f, 0.4f, 0.4f, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 16},
        {{0.4f, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 1, 1}, 32},
        {{0, 0, 0.4f, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}, 32},
        {{0, 0.4f, 0, 1}, {0, 1, 0, 1}, {1, 1, 1, 1}, 32},
        {{0.4f, 0, 0.4f, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, 32},
        {{0, 0.4f, 0.4f, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, 32},
        {{0.4f, 0.4f, 0, 1}, {1, 1, 0, 1}, {1, 1, 1, 1}, 32},
        {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 32},
        {{0.8f, 0.8f, 0.8f, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 32},
        {{0, 0, 0, 1}, {0.5f, 0.5f, 0.5f, 1}, {1, 1, 1, 1}, 32},
        {{0.9f, 1, 0.9f, 1}, {0.7f, 0.8f, 0.7f, 1}, {1, 1, 1, 1}, 32},
        {{0.4f, 0.2f, 0, 0.6f}, {1, 0.5f, 0, 1}, {1, 1, 1, 1}, 32},
    }};
    return table;
}

namespace {

std::uint32_t Channel(float c) {
    if (c >= 1.0f)
        return 255u;
    if (c <= 0.0f)
        return 0u;
    return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}

// The material whose ambient colour a block shows, or -1 for the fixed translucent colour.
int ColourMaterial(unsigned char id) {
    switch (id) {
        case 1:
            return 0;
        case 2:
        case 6:
            return 1;
        case 3:
            return 2;
        case 4:
            return 4;
        // The gravity arrows have a colour of their own, and are see-through: a player must tell
        // a tile that turns their gravity from a wall they phase through, and see themselves in it.
        case 11:
        case 12:
        case 13:
        case 14:
            return 11;
        case 5:
            return 3;
        case 7:
            return 5;
        case 20:
            return 6;
        default:
            return -1;
    }
}

}  // namespace

std::uint32_t ColourToArgb(const float rgba[4]) {
    return Channel(rgba[3]) << 24 | Channel(rgba[0]) << 16 | Channel(rgba[1]) << 8 | Channel(rgba[2]);
}

bool IsDrawnTile(unsigned char id) {
    switch (id) {
        case 0:   // empty
        case 8:   // clears the instruction line
        case 15:  // the tutorial texts
        case 16:
        case 17:
        case 18:
        case 19:
        case 255:  // reads as empty
            return false;
        default:
            // Blocks, the see-through gravity arrows, the goal and the solid ids that mean nothing.
            return true;
    }
}

std::uint32_t BlockColour(unsigned char id) {
    const int material = ColourMaterial(id);
    return material < 0 ? kUnknownBlockColour
                        : ColourToArgb(BlockMaterials()[static_cast<std::size_t>(material)].ambient);
}

int BlockPatternCell(unsigned char id) {
    switch (id) {
        case 2:  // red, both the sending-back kind and the one that rests
        case 6:
            return 1;  // crossed bars: no way through
        case 5:
            return 2;  // green checkpoint: a ring
        case 3:
            return 3;  // blue phase wall: broad bands
        case 4:
            return 4;  // magenta phase wall: thin diagonals, unlike the blue's bands at any turn
        case 7:
            return 5;  // slippery light blue: frost
        case 20:
            return 6;  // the goal: a star
        default:
            return 0;
    }
}

float BlockPatternMark(unsigned char id) {
    const bool lightMarks = id == 2 || id == 6 || id == 3 || id == 4;
    const float cell = static_cast<float>(BlockPatternCell(id));
    return lightMarks ? -cell : cell;
}

const Mtrl* GlowMaterial(unsigned char id) {
    // Grey standard blocks glow black, which is the same as not glowing but keeps them occluding.
    const int material = id == 1 ? 7 : ColourMaterial(id);
    return material < 0 ? nullptr : &BlockMaterials()[static_cast<std::size_t>(material)];
}

}  // namespace Graphics
