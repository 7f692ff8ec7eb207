// How each tile id looks: the block material table, instance colours and glow materials.
#pragma once

#include <array>
#include <cstdint>

#include "graphics/Mtrl.h"

namespace Graphics {

constexpr std::uint32_t kBackgroundColour = 0xff222222u;
// Tiles that only exist for play (triggers) or unknown ids show as this see-through magenta.
constexpr std::uint32_t kUnknownBlockColour = 0x33ff00ffu;

// The twelve block materials, by index.
const std::array<Mtrl, 12>& BlockMaterials();
// A float colour as 32-bit ARGB: each channel clamped to [0, 1] and rounded to the nearest step.
std::uint32_t ColourToArgb(const float rgba[4]);
// Ids 0, 8, 15, 16, 17 and 19 are not blocks: their cells show the waving wall.
bool IsBlockTile(unsigned char id);
// The instance colour of a block tile.
std::uint32_t BlockColour(unsigned char id);
// The material a block glows with, or null for tiles that are not drawn in the glow pass.
const Mtrl* GlowMaterial(unsigned char id);

}  // namespace Graphics
