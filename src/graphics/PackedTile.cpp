// Packing the tile picture and its relief into one texture.
#include "graphics/PackedTile.h"

namespace Graphics {

bool PackTile(const std::vector<std::uint8_t>& colour, const std::vector<std::uint8_t>& relief,
              std::vector<std::uint8_t>& packed) {
    if (colour.size() != relief.size() || colour.size() % 4 != 0) {
        return false;
    }
    for (std::size_t texel = 0; texel < colour.size(); texel += 4) {
        if (colour[texel] != colour[texel + 1]) {
            return false;
        }
    }
    packed.resize(colour.size());
    for (std::size_t texel = 0; texel < colour.size(); texel += 4) {
        packed[texel] = colour[texel];
        packed[texel + 1] = colour[texel + 2];
        packed[texel + 2] = relief[texel];
        packed[texel + 3] = relief[texel + 1];
    }
    return true;
}

}  // namespace Graphics
