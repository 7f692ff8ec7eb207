// A level's blocks: a grid of one-byte tile ids at an offset in world tile coordinates, and its file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZELM {

class LevelMap {
public:
    // The most tiles a map file may ask for (16 MiB of tiles), so a tiny hostile file cannot make
    // the game allocate without bound.
    static constexpr std::uint64_t kMaxTiles = 16u * 1024u * 1024u;

    // The tile at a world position; 0 outside the map, when nothing is loaded, and for id 255
    // (which never names a block).
    unsigned char GetTileID(std::uint32_t x, std::uint32_t y) const {
        if (!loaded || !IsInside(x, y)) {
            return 0;
        }
        const unsigned char id = tiles[static_cast<std::size_t>(y - minY) * width + (x - minX)];
        return id == 255 ? 0 : id;
    }
    // Stores the id when the position is inside a loaded map; otherwise nothing happens.
    void SetTileID(std::uint32_t x, std::uint32_t y, unsigned char id);
    // Compared as unsigned numbers; a map without columns or rows has no inside (its bounds wrap).
    bool IsInside(std::uint32_t x, std::uint32_t y) const {
        return width != 0 && height != 0 && x >= minX && x <= maxX && y >= minY && y <= maxY;
    }

    void SetOffset(std::uint32_t x, std::uint32_t y);
    // Keeps the overlapping tiles at their local positions; new tiles are 0. Unloaded maps only
    // change their size.
    void Resize(std::uint32_t newWidth, std::uint32_t newHeight);

    // Reads the file named by the file name unless a map is loaded. A missing file leaves the map
    // unloaded; a header that does not scan or asks for too many tiles is reported and leaves it
    // unloaded; a file shorter than its header promises fills the rest with 0.
    void Load();
    // The size a tile file's header gives, read from the file's bytes as Load reads the file, and
    // where its tiles begin: for checking a map before it is written anywhere. False when the
    // header does not scan.
    static bool ReadHeader(const std::string& bytes, long long& fileWidth, long long& fileHeight,
                           std::size_t& tilesAt);
    // Writes the loaded map to its file name (through a temporary file). False when it could not.
    bool Save() const;
    void Free();

    // A freshly loaded-looking map of the given size, all zeros (for the editor's new maps and tests).
    void Create(std::uint32_t newWidth, std::uint32_t newHeight);

    // The whole file: the header, then the tiles column by column as characters '0' + id.
    std::string Serialize() const;

    const std::string& GetFileName() const { return fileName; }
    void SetFileName(const std::string& name) { fileName = name; }
    bool IsLoaded() const { return loaded; }
    std::uint32_t GetWidth() const { return width; }
    std::uint32_t GetHeight() const { return height; }
    std::uint32_t GetXOffset() const { return xOffset; }
    std::uint32_t GetYOffset() const { return yOffset; }
    std::uint32_t GetMinX() const { return minX; }
    std::uint32_t GetMinY() const { return minY; }
    std::uint32_t GetMaxX() const { return maxX; }
    std::uint32_t GetMaxY() const { return maxY; }
    std::uint32_t GetID() const { return id; }
    void SetID(std::uint32_t newId) { id = newId; }

private:
    void SetSize(std::uint32_t newWidth, std::uint32_t newHeight);
    void UpdateBounds();

    std::vector<unsigned char> tiles;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t xOffset = 0;
    std::uint32_t yOffset = 0;
    std::uint32_t minX = 0;
    std::uint32_t minY = 0;
    std::uint32_t maxX = 0;
    std::uint32_t maxY = 0;
    std::string fileName;
    bool loaded = false;
    std::uint32_t id = 0;
};

}  // namespace ZELM
