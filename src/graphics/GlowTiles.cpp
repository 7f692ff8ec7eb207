// Finding and merging the tiles of the glow picture that may light the frame.
#include "graphics/GlowTiles.h"

#include <algorithm>
#include <cmath>

namespace Graphics {

void GlowTiles::Find(const std::uint8_t* rgba, int pictureWidth, int pictureHeight, int reach) {
    width = std::max(pictureWidth, 0);
    height = std::max(pictureHeight, 0);
    columns = (width + kTile - 1) / kTile;
    rows = (height + kTile - 1) / kTile;
    lit.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
    rects.clear();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* texel = rgba + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        for (int x = 0; x < width; ++x, texel += 4) {
            // The blur weighs colour by alpha: black or fully transparent texels add nothing.
            if ((texel[0] | texel[1] | texel[2]) != 0 && texel[3] != 0) {
                MarkAround(x, y, reach);
            }
        }
    }
    const auto litTiles = static_cast<float>(std::count(lit.begin(), lit.end(), 1));
    if (litTiles > kWholeShare * static_cast<float>(lit.size())) {
        rects.push_back({0, 0, width, height});
        return;
    }
    MergeIntoRects();
}

void GlowTiles::MarkAround(int x, int y, int reach) {
    const int firstColumn = std::max(x - reach, 0) / kTile;
    const int lastColumn = std::min(x + reach, width - 1) / kTile;
    const int firstRow = std::max(y - reach, 0) / kTile;
    const int lastRow = std::min(y + reach, height - 1) / kTile;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            lit[static_cast<std::size_t>(row * columns + column)] = 1;
        }
    }
}

void GlowTiles::MergeIntoRects() {
    // Runs of lit tiles along each row; a run the same as one ending on the row below extends it.
    std::vector<PixelRect> open;
    for (int row = 0; row < rows; ++row) {
        std::vector<PixelRect> stillOpen;
        for (int column = 0; column < columns;) {
            if (lit[static_cast<std::size_t>(row * columns + column)] == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && lit[static_cast<std::size_t>(row * columns + column)] != 0) {
                ++column;
            }
            PixelRect run{first * kTile, row * kTile, (column - first) * kTile, kTile};
            const auto below = std::find_if(open.begin(), open.end(), [&run](const PixelRect& rect) {
                return rect.x == run.x && rect.width == run.width;
            });
            if (below != open.end()) {
                run.y = below->y;
                run.height += below->height;
                open.erase(below);
            }
            stillOpen.push_back(run);
        }
        rects.insert(rects.end(), open.begin(), open.end());
        open = std::move(stillOpen);
    }
    rects.insert(rects.end(), open.begin(), open.end());
    for (PixelRect& rect : rects) {
        rect.width = std::min(rect.width, width - rect.x);
        rect.height = std::min(rect.height, height - rect.y);
    }
}

PixelRect GlowTiles::Scale(const PixelRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight) {
    // Both edges of every rectangle round the same way, so rectangles that meet still meet and never
    // overlap: the glow is added once to each pixel. The reach keeps a spare texel for the rounding.
    const auto edge = [](int at, int from, int to) {
        return std::min(static_cast<int>(std::lround(static_cast<double>(at) * to / std::max(from, 1))), to);
    };
    const int left = edge(rect.x, fromWidth, toWidth);
    const int bottom = edge(rect.y, fromHeight, toHeight);
    return {left, bottom, edge(rect.x + rect.width, fromWidth, toWidth) - left,
            edge(rect.y + rect.height, fromHeight, toHeight) - bottom};
}

}  // namespace Graphics
