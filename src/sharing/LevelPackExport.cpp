// Finding a player level's files in the player's folders and writing them as one pack.
#include "sharing/LevelPackExport.h"

#include <filesystem>

#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "engine/XmlWriter.h"
#include "sharing/BundledFiles.h"
#include "sharing/FileBytes.h"
#include "sharing/LevelReferences.h"

namespace Sharing {
namespace {

using ZELM::PlayerLevels;

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// What the player's folders hold for a level: its own files, then the editor's archetype saves.
std::string FindPlayerArchetype(const std::string& stem) {
    const std::string own = PlayerLevels::ArchetypesDirectory() + stem + ".xml";
    if (IsFile(own)) {
        return own;
    }
    const std::string saved = ZELM::PathTable::Instance().GetUser("Archetypes");
    return !saved.empty() && IsFile(saved + stem + ".xml") ? saved + stem + ".xml" : std::string();
}

}  // namespace

bool LevelPackExport::AddFile(LevelPack& pack, LevelPack::Kind kind, const std::string& stem,
                              const std::string& path, std::string& problem) const {
    // A name the importer would refuse must not be written into a pack in the first place.
    std::string why;
    if (!LevelPack::IsSafeStem(stem, why)) {
        problem = "the " + std::string(LevelPack::KindName(kind)) + " name \"" + stem + "\" " + why;
        return false;
    }
    LevelPack::File file{kind, LevelPack::FileName(kind, stem), {}};
    switch (FileBytes::Read(path, LevelPack::kMaxFileBytes, file.bytes)) {
        case FileBytes::Outcome::Read:
            pack.files.push_back(std::move(file));
            return true;
        case FileBytes::Outcome::Missing:
            problem = "the file \"" + path + "\" cannot be read";
            return false;
        case FileBytes::Outcome::TooLarge:
            break;
    }
    problem = "the file \"" + path + "\" is too large to share";
    return false;
}

bool LevelPackExport::AddTiles(LevelPack& pack, const std::string& name, std::string& problem) const {
    const std::string own = PlayerLevels::TilesDirectory() + name;
    if (IsFile(own)) {
        return AddFile(pack, LevelPack::Kind::Tiles, name, own, problem);
    }
    // A player level's tile map lies beside it: the game never looks for it among the bundled maps.
    problem = "its tile map \"" + name + "\" is not in " + PlayerLevels::TilesDirectory();
    return false;
}

bool LevelPackExport::AddScript(LevelPack& pack, const std::string& stem, std::string& problem) const {
    if (BundledFiles::HasScript(stem)) {
        return true;
    }
    const std::string own = PlayerLevels::ScriptsDirectory() + stem + ".lua";
    if (IsFile(own)) {
        return AddFile(pack, LevelPack::Kind::Script, stem, own, problem);
    }
    problem = "its script \"" + stem + "\" is in neither " + PlayerLevels::ScriptsDirectory() +
              " nor the game's own";
    return false;
}

bool LevelPackExport::AddArchetype(LevelPack& pack, const std::string& stem, std::string& problem) const {
    if (BundledFiles::HasArchetype(stem)) {
        return true;
    }
    const std::string own = FindPlayerArchetype(stem);
    if (!own.empty()) {
        return AddFile(pack, LevelPack::Kind::Archetype, stem, own, problem);
    }
    problem = "its archetype \"" + stem + "\" is in neither the player's archetypes nor the game's own";
    return false;
}

bool LevelPackExport::Gather(const std::string& levelName, LevelPack& pack, std::string& problem) const {
    pack = LevelPack();
    pack.game = game;
    pack.author = author;
    pack.level = PlayerLevels::StemOf(levelName);
    const std::string levelFile = PlayerLevels::LevelFile(pack.level);
    if (!IsFile(levelFile)) {
        problem = "there is no player level \"" + PlayerLevels::LevelName(pack.level) + "\" (no file " +
                  levelFile + ")";
        return false;
    }
    if (!AddFile(pack, LevelPack::Kind::Level, pack.level, levelFile, problem)) {
        return false;
    }
    LevelReferences references;
    if (!references.Read(pack.files.front().bytes, problem)) {
        problem = "the level file " + levelFile + " cannot be read: " + problem;
        return false;
    }
    if (!references.GetTiles().empty() && !AddTiles(pack, references.GetTiles(), problem)) {
        return false;
    }
    for (const std::string& script : references.GetScripts()) {
        if (!AddScript(pack, script, problem)) {
            return false;
        }
    }
    for (const std::string& archetype : references.GetArchetypes()) {
        if (!AddArchetype(pack, archetype, problem)) {
            return false;
        }
    }
    return true;
}

bool LevelPackExport::Write(const std::string& levelName, const std::string& path,
                            std::string& problem) const {
    LevelPack pack;
    if (!Gather(levelName, pack, problem)) {
        return false;
    }
    const std::string text = pack.Serialise();
    if (text.size() > LevelPack::kMaxFileBytes) {
        problem = "the level and its files come to more than a pack may hold";
        return false;
    }
    if (!ZELM::WriteFileAtomically(path, text)) {
        problem = "the file \"" + path + "\" cannot be written";
        return false;
    }
    return true;
}

}  // namespace Sharing
