// The parts of the glow picture that its blur can carry light to, as a few rectangles of whole
// tiles: the blur and its sum over the frame are drawn only there, since everywhere else they add
// nothing but cost a software renderer a pass over every pixel of the screen.
#pragma once

#include <cstdint>
#include <vector>

namespace Graphics {

// A rectangle of texels or pixels, its rows counted from the bottom as OpenGL counts them.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class GlowTiles {
public:
    // Tiles are this many texels square.
    static constexpr int kTile = 8;
    // Above this share of the picture the whole picture is one rectangle: a few more texels cost
    // less than the extra draws.
    static constexpr float kWholeShare = 0.6f;

    // Finds the tiles within `reach` texels of a texel that glows (some colour and some alpha) in
    // the RGBA picture of `width` x `height`.
    void Find(const std::uint8_t* rgba, int width, int height, int reach);
    // The tiles found, merged into rectangles inside the picture; none when nothing glows.
    const std::vector<PixelRect>& GetRects() const { return rects; }
    // A rectangle of a picture of `from` size on a surface of `to` size, in whole pixels.
    static PixelRect Scale(const PixelRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight);

private:
    void MarkAround(int x, int y, int reach);
    void MergeIntoRects();

    int width = 0;
    int height = 0;
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> lit;  // one per tile, row by row from the bottom
    std::vector<PixelRect> rects;
};

}  // namespace Graphics
