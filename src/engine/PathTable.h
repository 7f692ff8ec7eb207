// The directories of the resource tree by key, read from "manifest.txt".
#pragma once

#include <string>
#include <unordered_map>

#include "utilities/Singleton.h"

namespace ZELM {

class PathTable : public Singleton<PathTable> {
public:
    // Reads whitespace-separated "key=value" tokens; a later key overwrites an earlier one, and a
    // token without "=" is stored under itself. A missing file leaves the table as it is.
    void Read(const std::string& manifestPath);
    // The directory stored under the key (it ends with a separator), or "" when there is none.
    std::string Get(const std::string& key) const;
    void Set(const std::string& key, const std::string& value) { paths[key] = value; }

    // A directory of the player's own files laid out like the resource tree (Levels/, Levels/Tiles/,
    // Archetypes/). Set when the bundled data may be read-only (an installed game); empty otherwise,
    // and then files are read and written in the bundled tree as they always were.
    void SetUserRoot(const std::string& directory);
    const std::string& GetUserRoot() const { return userRoot; }
    // The file under the key's directory: the player's copy when the user root has one, else the
    // bundled one. `relative` may name a subdirectory ("Tiles/Level1").
    std::string Find(const std::string& key, const std::string& relative) const;
    // Where a file under the key's directory is written: below the user root when there is one
    // (its directories are created), else the bundled directory.
    std::string GetWritable(const std::string& key, const std::string& relative) const;
    // The player's directory for the key ("" without a user root), for reading it after the bundled one.
    std::string GetUser(const std::string& key) const;

private:
    std::unordered_map<std::string, std::string> paths;
    std::string userRoot;  // ends with a separator, or is empty
};

}  // namespace ZELM
