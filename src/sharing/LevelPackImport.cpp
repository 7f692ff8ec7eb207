// Reading, checking, staging and installing a level pack.
#include "sharing/LevelPackImport.h"

#include <tinyxml.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/ArchetypeTable.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "engine/XmlReader.h"
#include "sharing/BundledFiles.h"
#include "sharing/FileBytes.h"
#include "sharing/LevelReferences.h"

namespace Sharing {
namespace {

namespace fs = std::filesystem;
using Kind = LevelPack::Kind;
using ZELM::PlayerLevels;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool CheckTileMap(const LevelPack::File& file, std::string& problem) {
    long long width = 0;
    long long height = 0;
    std::size_t tilesAt = 0;
    if (!ZELM::LevelMap::ReadHeader(file.bytes, width, height, tilesAt)) {
        problem = "the tile map " + Quoted(file.name) + " has no readable header";
        return false;
    }
    const auto limit = static_cast<long long>(ZELM::LevelMap::kMaxTiles);
    if (width < 0 || height < 0 || width > limit || height > limit || width * height > limit) {
        problem = "the tile map " + Quoted(file.name) + " asks for " + std::to_string(width) + " x " +
                  std::to_string(height) + " tiles";
        return false;
    }
    const auto held = static_cast<long long>(file.bytes.size() - tilesAt);
    if (width * height > held) {
        problem = "the tile map " + Quoted(file.name) + " promises " + std::to_string(width * height) +
                  " tiles and holds " + std::to_string(held);
        return false;
    }
    return true;
}

const char* Described(Kind kind) {
    return kind == Kind::Tiles ? "tile map" : LevelPack::KindName(kind);
}

// A reference the level makes: to a file the pack brings, or else (`bundled`) one the game ships.
bool CheckReference(const LevelPack& pack, Kind kind, const std::string& stem, bool bundled,
                    std::string& problem) {
    const std::string what = std::string(Described(kind)) + " " + Quoted(stem);
    if (!LevelPack::IsSafeStem(stem, problem)) {
        problem = "the level names the " + what + ", which " + problem;
        return false;
    }
    if (pack.Find(kind, LevelPack::FileName(kind, stem)) == nullptr && !bundled) {
        // A player level's tile map is always its own: the game looks for it beside the level only.
        problem = "the level needs the " + what +
                  (kind == Kind::Tiles ? ", which is not in the pack"
                                       : ", which is neither in the pack nor one of the game's own");
        return false;
    }
    return true;
}

bool CheckReferences(const LevelPack& pack, const LevelReferences& references, std::string& problem) {
    if (const std::string& tiles = references.GetTiles();
        !tiles.empty() && !CheckReference(pack, Kind::Tiles, tiles, false, problem)) {
        return false;
    }
    for (const std::string& script : references.GetScripts()) {
        if (!CheckReference(pack, Kind::Script, script, BundledFiles::HasScript(script), problem)) {
            return false;
        }
    }
    for (const std::string& archetype : references.GetArchetypes()) {
        if (!CheckReference(pack, Kind::Archetype, archetype, BundledFiles::HasArchetype(archetype),
                            problem)) {
            return false;
        }
    }
    return true;
}

std::string StemOf(const LevelPack::File& file) {
    return file.kind == Kind::Tiles ? file.name : file.name.substr(0, file.name.size() - 4);
}

// A file the pack brings besides its level: used by the level, not one of the game's own, and
// sound in itself.
bool CheckSupportFile(const LevelPack::File& file, const LevelReferences& references, std::string& problem) {
    const std::string stem = StemOf(file);
    const bool used = file.kind == Kind::Tiles    ? stem == references.GetTiles()
                      : file.kind == Kind::Script ? references.GetScripts().count(stem) != 0
                                                  : references.GetArchetypes().count(stem) != 0;
    const std::string what = std::string(Described(file.kind)) + " " + Quoted(file.name);
    if ((file.kind == Kind::Script && BundledFiles::HasScript(stem)) ||
        (file.kind == Kind::Archetype && BundledFiles::HasArchetype(stem))) {
        problem =
            "the " + what + " is named like one of the game's own, which a shared level may not replace";
        return false;
    }
    if (!used) {
        problem = "the pack holds the " + what + ", which the level does not use";
        return false;
    }
    if (file.kind == Kind::Tiles) {
        return CheckTileMap(file, problem);
    }
    if (file.kind == Kind::Archetype) {
        TiXmlDocument document;
        if (ZELM::XmlReader::ParseRoot(document, file.bytes, "Archetype", problem) == nullptr) {
            problem = "the " + what + " is no archetype: " + problem;
            return false;
        }
    }
    return true;
}

bool WriteBytes(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

// Removes the staging folder whatever happens, and the player's folder too when this import made
// it and left nothing in it.
class Staging {
public:
    Staging(const std::string& folder) : folder(folder) {
        std::error_code error;
        folderExisted = fs::exists(folder, error);
        path = fs::path(folder) / (".import" + std::to_string(::getpid()));
        fs::remove_all(path, error);
        made = fs::create_directories(path, error);
    }
    ~Staging() {
        std::error_code error;
        fs::remove_all(path, error);
        if (!folderExisted) {
            fs::remove(folder, error);  // only while empty
        }
    }
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;

    bool IsMade() const { return made; }
    std::string Directory() const { return path.string() + "/"; }

private:
    std::string folder;
    fs::path path;
    bool folderExisted = false;
    bool made = false;
};

}  // namespace

bool LevelPackImport::Check(const std::string& text, LevelPack& pack, std::string& problem) {
    if (!LevelPack::Parse(text, pack, problem)) {
        return false;
    }
    const LevelPack::File* level = nullptr;
    for (const LevelPack::File& file : pack.files) {
        if (file.kind != Kind::Level) {
            continue;
        }
        if (level != nullptr) {
            problem = "it holds more than one level";
            return false;
        }
        level = &file;
    }
    if (level == nullptr) {
        problem = "it holds no level";
        return false;
    }
    if (level->name != LevelPack::FileName(Kind::Level, pack.level)) {
        problem =
            "its level file " + Quoted(level->name) + " is not the level " + Quoted(pack.level) + " it names";
        return false;
    }
    LevelReferences references;
    if (!references.Read(level->bytes, problem)) {
        problem = "its level file does not read: " + problem;
        return false;
    }
    if (!CheckReferences(pack, references, problem)) {
        return false;
    }
    for (const LevelPack::File& file : pack.files) {
        if (file.kind != Kind::Level && !CheckSupportFile(file, references, problem)) {
            return false;
        }
    }
    return true;
}

std::string LevelPackImport::InstalledName(const LevelPack::File& file) {
    switch (file.kind) {
        case Kind::Tiles:
            return "Tiles/" + file.name;
        case Kind::Script:
            return "Scripts/" + file.name;
        case Kind::Archetype:
            return "Archetypes/" + file.name;
        case Kind::Level:
            break;
    }
    return file.name;
}

std::vector<std::string> LevelPackImport::Replaced(const LevelPack& pack) {
    std::vector<std::string> replaced;
    for (const LevelPack::File& file : pack.files) {
        const std::string name = InstalledName(file);
        std::string installed;
        const FileBytes::Outcome outcome =
            FileBytes::Read(PlayerLevels::Directory() + name, LevelPack::kMaxFileBytes, installed);
        if (outcome != FileBytes::Outcome::Missing &&
            (outcome == FileBytes::Outcome::TooLarge || installed != file.bytes)) {
            replaced.push_back(name);
        }
    }
    return replaced;
}

bool LevelPackImport::RunChecker(const std::string& staging, const LevelPack& pack,
                                 std::string& problem) const {
    const ZELM::PathTable& paths = ZELM::PathTable::Instance();
    Fallward::LevelChecker::Folders folders{staging,
                                            {staging + "Tiles/"},
                                            {staging + "Scripts/", paths.Get("Scripts")},
                                            {staging + "Archetypes/", paths.Get("Archetypes")}};
    Fallward::LevelChecker checker(types, folders);
    checker.CheckLevel(pack.level);
    const std::vector<std::string>& problems = checker.GetProblems();
    if (problems.empty()) {
        return true;
    }
    // The checker names the staged file; the player knows the level by its name in the pack.
    std::string first = problems.front();
    if (first.compare(0, staging.size(), staging) == 0) {
        first.erase(0, staging.size());
    }
    problem = "the level does not pass the level checks: " + first;
    if (problems.size() > 1) {
        problem += " (and " + std::to_string(problems.size() - 1) + " more)";
    }
    return false;
}

bool LevelPackImport::StageAndInstall(const LevelPack& pack, std::string& problem) const {
    const std::string folder = PlayerLevels::Directory();
    const Staging staging(folder);
    if (!staging.IsMade()) {
        problem = "the folder " + folder + " cannot be written";
        return false;
    }
    for (const LevelPack::File& file : pack.files) {
        if (!WriteBytes(staging.Directory() + InstalledName(file), file.bytes)) {
            problem = "the folder " + folder + " cannot be written";
            return false;
        }
    }
    if (!RunChecker(staging.Directory(), pack, problem)) {
        return false;
    }
    // The level last: until its file is in place no part of it is a level the game lists.
    std::vector<const LevelPack::File*> order;
    for (const LevelPack::File& file : pack.files) {
        if (file.kind != Kind::Level) {
            order.push_back(&file);
        }
    }
    for (const LevelPack::File& file : pack.files) {
        if (file.kind == Kind::Level) {
            order.push_back(&file);
        }
    }
    for (const LevelPack::File* file : order) {
        const fs::path target = folder + InstalledName(*file);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        fs::rename(staging.Directory() + InstalledName(*file), target, error);
        if (error) {
            problem = "the file " + target.string() + " cannot be written: " + error.message();
            return false;
        }
        if (file->kind == Kind::Archetype) {
            // A running game reads archetypes once at its start; none of these can be one of the
            // game's own (checked above), so adding it now replaces nothing of the game's.
            ZELM::ArchetypeTable::Instance().Replace(StemOf(*file),
                                                     std::make_unique<ZELM::XmlReader>(target.string()));
        }
    }
    return true;
}

LevelPackImport::Result LevelPackImport::Import(const std::string& path, const Question& mayReplace) const {
    Result result;
    auto refuse = [&](const std::string& reason) {
        result.outcome = Outcome::Refused;
        result.message = path + ": " + reason;
        return result;
    };
    std::string text;
    switch (FileBytes::Read(path, LevelPack::kMaxFileBytes, text)) {
        case FileBytes::Outcome::Missing:
            return refuse("the file cannot be opened");
        case FileBytes::Outcome::TooLarge:
            return refuse("it is larger than " + std::to_string(LevelPack::kMaxFileBytes / (1024 * 1024)) +
                          " MiB, more than any level needs");
        case FileBytes::Outcome::Read:
            break;
    }
    LevelPack pack;
    std::string problem;
    if (!Check(text, pack, problem)) {
        return refuse(problem);
    }
    result.levelName = PlayerLevels::LevelName(pack.level);
    if (const std::vector<std::string> replaced = Replaced(pack); !replaced.empty()) {
        std::string names;
        for (const std::string& name : replaced) {
            names += (names.empty() ? "" : ", ") + name;
        }
        const std::string question = "Installing the level " + result.levelName + " from " + path +
                                     " replaces what the player's levels hold of the same name (" + names +
                                     "). Replace them?";
        if (!mayReplace || !mayReplace(question)) {
            result.outcome = Outcome::Declined;
            result.message =
                path + ": the level " + result.levelName + " is already installed; nothing was changed";
            return result;
        }
    }
    if (!StageAndInstall(pack, problem)) {
        return refuse(problem);
    }
    result.outcome = Outcome::Installed;
    return result;
}

}  // namespace Sharing
