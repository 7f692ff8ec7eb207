// The wall's colour and relief textures in one, so a face pixel reads one texture, not two.
#pragma once

#include <cstdint>
#include <vector>

namespace Graphics {

// Packs the tile picture and its relief (RGBA pixels of one size each) into `packed`: red (which
// must equal green), blue, the relief's x and y. Filtering treats each channel alone, so a pixel
// of the packed texture holds exactly what the two would give. False, `packed` untouched, when the
// sizes differ or any texel's red and green differ: the picture then needs all three channels.
bool PackTile(const std::vector<std::uint8_t>& colour, const std::vector<std::uint8_t>& relief,
              std::vector<std::uint8_t>& packed);

}  // namespace Graphics
