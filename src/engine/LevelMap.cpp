// Tile map queries, resizing, and the tile file format.
#include "engine/LevelMap.h"

#include <cstdio>
#include <limits>
#include <memory>

#include "engine/ProblemReport.h"
#include "engine/XmlWriter.h"

namespace ZELM {
namespace {

const char kHeaderFormat[] = "File Dimensions:\nWidth: %d\nHeight: %d\nxOffset: %d\nyOffset: %d\nID: %d\n\nTile Space:";
// The same header read with wide numbers: a number past an int's range is refused, not wrapped into
// a different one.
const char kHeaderReadFormat[] =
    "File Dimensions:\nWidth: %lld\nHeight: %lld\nxOffset: %lld\nyOffset: %lld\nID: %lld\n\nTile Space:";

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// One line end, LF or CR LF: a map whose line ends an editor or a checkout turned into CR LF is the
// same map (only the header has line ends; the tiles are one run of characters).
bool TakeLineEnd(FILE* file) {
    int character = std::fgetc(file);
    if (character == '\r') {
        character = std::fgetc(file);
    }
    return character == '\n';
}

bool FitsAnInt(long long value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

}  // namespace

void LevelMap::SetTileID(std::uint32_t x, std::uint32_t y, unsigned char tileId) {
    if (!loaded || !IsInside(x, y)) {
        return;
    }
    tiles[static_cast<std::size_t>(y - minY) * width + (x - minX)] = tileId;
}

void LevelMap::UpdateBounds() {
    minX = xOffset;
    minY = yOffset;
    maxX = xOffset + width - 1;
    maxY = yOffset + height - 1;
}

void LevelMap::SetOffset(std::uint32_t x, std::uint32_t y) {
    xOffset = x;
    yOffset = y;
    UpdateBounds();
}

void LevelMap::SetSize(std::uint32_t newWidth, std::uint32_t newHeight) {
    width = newWidth;
    height = newHeight;
    UpdateBounds();
}

void LevelMap::Resize(std::uint32_t newWidth, std::uint32_t newHeight) {
    if (loaded) {
        std::vector<unsigned char> resized(static_cast<std::size_t>(newWidth) * newHeight, 0);
        const std::uint32_t keptWidth = std::min(width, newWidth);
        const std::uint32_t keptHeight = std::min(height, newHeight);
        for (std::uint32_t y = 0; y < keptHeight; ++y) {
            for (std::uint32_t x = 0; x < keptWidth; ++x) {
                resized[static_cast<std::size_t>(y) * newWidth + x] = tiles[static_cast<std::size_t>(y) * width + x];
            }
        }
        tiles.swap(resized);
    }
    SetSize(newWidth, newHeight);
}

void LevelMap::Create(std::uint32_t newWidth, std::uint32_t newHeight) {
    SetSize(newWidth, newHeight);
    tiles.assign(static_cast<std::size_t>(newWidth) * newHeight, 0);
    loaded = true;
}

void LevelMap::Load() {
    if (loaded) {
        return;
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        return;
    }
    long long fileWidth = 0;
    long long fileHeight = 0;
    long long fileXOffset = 0;
    long long fileYOffset = 0;
    long long fileId = 0;
    // The header's last line end is taken on its own: a tile character may itself be white space.
    // (The format's other line ends match any white space, CR LF included.)
    if (std::fscanf(file.get(), kHeaderReadFormat, &fileWidth, &fileHeight, &fileXOffset, &fileYOffset, &fileId) !=
            5 ||
        !TakeLineEnd(file.get()) || !FitsAnInt(fileXOffset) || !FitsAnInt(fileYOffset) || !FitsAnInt(fileId)) {
        ZELM_PROBLEM("ZELM::LevelMap::Load", "The tile map \"%s\" has no readable header!", fileName.c_str());
        return;
    }
    // Each side is held to the limit as well as the product: a map with no rows and a billion columns
    // holds no tiles, yet every walk over its columns would take minutes.
    const auto tileLimit = static_cast<long long>(kMaxTiles);
    if (fileWidth < 0 || fileHeight < 0 || fileWidth > tileLimit || fileHeight > tileLimit ||
        fileWidth * fileHeight > tileLimit) {
        ZELM_PROBLEM("ZELM::LevelMap::Load", "The tile map \"%s\" asks for %lld x %lld tiles; at most %llu are allowed!",
                     fileName.c_str(), fileWidth, fileHeight, static_cast<unsigned long long>(kMaxTiles));
        return;
    }
    const auto count = static_cast<std::size_t>(fileWidth * fileHeight);
    // The header's yOffset and id are read but not applied: maps have always loaded this way.
    SetSize(static_cast<std::uint32_t>(fileWidth), static_cast<std::uint32_t>(fileHeight));
    SetOffset(static_cast<std::uint32_t>(static_cast<int>(fileXOffset)), yOffset);
    tiles.assign(count, 0);

    std::vector<unsigned char> characters(count);
    const std::size_t read = std::fread(characters.data(), 1, characters.size(), file.get());
    std::size_t next = 0;
    for (std::uint32_t x = 0; x < width; ++x) {
        for (std::uint32_t y = 0; y < height; ++y, ++next) {
            // A file shorter than its header promises leaves the missing tiles empty.
            const unsigned char tileId = next < read ? static_cast<unsigned char>(characters[next] - '0') : 0;
            tiles[static_cast<std::size_t>(y) * width + x] = tileId;
        }
    }
    loaded = true;
}

bool LevelMap::ReadHeader(const std::string& bytes, long long& fileWidth, long long& fileHeight,
                          std::size_t& tilesAt) {
    long long fileXOffset = 0;
    long long fileYOffset = 0;
    long long fileId = 0;
    int scanned = 0;
    // The scan stops at the first NUL, which no header holds: the tiles after it never matter.
    const std::string format = std::string(kHeaderReadFormat) + "%n";
    if (std::sscanf(bytes.c_str(), format.c_str(), &fileWidth, &fileHeight, &fileXOffset, &fileYOffset,
                    &fileId, &scanned) != 5 ||
        scanned <= 0 || !FitsAnInt(fileXOffset) || !FitsAnInt(fileYOffset) || !FitsAnInt(fileId)) {
        return false;
    }
    std::size_t at = static_cast<std::size_t>(scanned);
    if (at < bytes.size() && bytes[at] == '\r') {
        ++at;
    }
    if (at >= bytes.size() || bytes[at] != '\n') {
        return false;
    }
    tilesAt = at + 1;
    return true;
}

std::string LevelMap::Serialize() const {
    char header[256];
    const int length = std::snprintf(header, sizeof header, kHeaderFormat, static_cast<int>(width),
                                     static_cast<int>(height), static_cast<int>(xOffset), static_cast<int>(yOffset),
                                     static_cast<int>(id));
    std::string text(header, static_cast<std::size_t>(length));
    text += '\n';
    text.reserve(text.size() + tiles.size());
    for (std::uint32_t x = 0; x < width; ++x) {
        for (std::uint32_t y = 0; y < height; ++y) {
            text += static_cast<char>(tiles[static_cast<std::size_t>(y) * width + x] + '0');
        }
    }
    return text;
}

bool LevelMap::Save() const {
    if (!loaded) {
        return false;
    }
    return WriteFileAtomically(fileName, Serialize());
}

void LevelMap::Free() {
    if (!loaded) {
        return;
    }
    std::vector<unsigned char>().swap(tiles);
    loaded = false;
}

}  // namespace ZELM
