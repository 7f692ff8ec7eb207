// A player level and the files it needs as one document that one player can hand to another.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace Sharing {

class LevelPack {
public:
    // The newest format this game writes and reads; a pack of a newer one is refused, not guessed at.
    static constexpr int kFormat = 1;
    // Far above any level the editor makes (a full 16 MiB tile map would not fit), and small enough
    // that a hostile file costs little to refuse.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;
    static constexpr std::size_t kMaxEntries = 256;
    static constexpr std::size_t kMaxStemLength = 64;
    static constexpr std::size_t kMaxAuthorLength = 100;

    enum class Kind { Level, Tiles, Script, Archetype };

    struct File {
        Kind kind = Kind::Level;
        std::string name;   // as in its folder: "Castle.xml", "Castle" (a tile map), "Door.lua"
        std::string bytes;  // the file's exact contents
        bool operator==(const File& other) const {
            return kind == other.kind && name == other.name && bytes == other.bytes;
        }
    };

    int format = kFormat;
    std::string game;    // the version line of the game that wrote it ("fallward 0.10.0")
    std::string author;  // as the player gave it; only shown
    std::string level;   // the level's stem
    std::vector<File> files;

    // The document: one XML element per file, its bytes in base64.
    std::string Serialise() const;
    // Reads a document, holding it to every limit above before anything is decoded; false with
    // the reason in `problem` (which names the entry at fault).
    static bool Parse(const std::string& text, LevelPack& pack, std::string& problem);

    // The file of that kind and name, or null.
    const File* Find(Kind kind, const std::string& name) const;

    // "level", "tiles", "script", "archetype": the kind as the document writes it.
    static const char* KindName(Kind kind);
    // The file name that holds the stem in a folder of that kind ("Door" -> "Door.lua").
    static std::string FileName(Kind kind, const std::string& stem);
    // Whether a stem can name a file of the player's folder and no other: not empty, not overlong,
    // only letters, digits, "_", "-" and inner spaces (so no separator, no dot, no "..").
    // `problem` says why not.
    static bool IsSafeStem(const std::string& stem, std::string& problem);
};

}  // namespace Sharing
