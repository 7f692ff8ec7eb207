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

private:
    std::unordered_map<std::string, std::string> paths;
};

}  // namespace ZELM
