// How each tile id looks: the block material table, instance colours and glow materials.
#pragma once

#include <array>
#include <cstdint>

#include "graphics/Mtrl.h"

namespace Graphics {

constexpr std::uint32_t kBackgroundColour = 0xff222222u;
// Solid tiles that mean nothing (ids 9, 10 and above 20) show as this see-through magenta, so a
// wall the player bumps into is never invisible; the editor's palette shows the triggers in it too.
constexpr std::uint32_t kUnknownBlockColour = 0x33ff00ffu;

// The twelve block materials, by index.
const std::array<Mtrl, 12>& BlockMaterials();
// A float colour as 32-bit ARGB: each channel clamped to [0, 1] and rounded to the nearest step.
std::uint32_t ColourToArgb(const float rgba[4]);
// Whether a tile of the id is drawn as a block. Empty cells and the invisible triggers (the
// text-clearing tile 8 and the tutorial texts 15 to 19) are not: their cells show the waving wall.
// Every tile kind is decided here, and the renderer asks nothing else.
bool IsDrawnTile(unsigned char id);
// The instance colour of a block tile.
std::uint32_t BlockColour(unsigned char id);
// The cell of the block pattern picture ("blockpatterns", one square cell under the other) whose
// marks a block's faces carry beside its colour, so a player who cannot tell the colours apart
// still tells the kinds: 0 (no marks) for the grey blocks, the wall and every tile of no kind.
int BlockPatternCell(unsigned char id);
// The pattern as the level effect reads it with a face: its cell, negative where the marks are
// light. Dark faces (red, blue, magenta) carry light marks and bright ones dark marks: the glow
// added over a block fills its own colour, and marks of that colour's lightness would drown in it.
float BlockPatternMark(unsigned char id);
// The material a block glows with, or null for tiles that are not drawn in the glow pass.
const Mtrl* GlowMaterial(unsigned char id);

}  // namespace Graphics
