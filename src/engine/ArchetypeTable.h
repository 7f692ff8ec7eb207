// The archetypes of the run: a parsed reader per archetype file, kept under the file's stem.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/XmlReader.h"

#include "utilities/Singleton.h"

namespace ZELM {

class ArchetypeTable : public Singleton<ArchetypeTable> {
public:
    // Reads every "*.xml" file of the directory (not its subdirectories). A file that does not
    // parse is reported and left out.
    void LoadDirectory(const std::string& directory);
    // The archetype's reader, rewound; null when there is none of that name.
    XmlReader* Find(const std::string& name);
    // Stores a reader under the name, deleting the one it replaces.
    void Replace(const std::string& name, std::unique_ptr<XmlReader> reader);
    std::size_t Size() const { return readers.size(); }

private:
    std::map<std::string, std::unique_ptr<XmlReader>> readers;
};

}  // namespace ZELM
