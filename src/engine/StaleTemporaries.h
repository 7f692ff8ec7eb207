// Temporary files left by saves that were killed before their rename ("Level1.xml.tmp12338").
#pragma once

#include <string>

namespace ZELM {

// The temporary file a save of `path` by this process writes before renaming it into place.
std::string TemporaryPathFor(const std::string& path);

// Removes the temporaries of `path` whose writing process is gone. A temporary whose process
// still runs may be another save in progress and is kept.
void RemoveStaleTemporariesOf(const std::string& path);

// The same for every file of the directory (not its subdirectories), for the start of a run.
void RemoveStaleTemporariesIn(const std::string& directory);

}  // namespace ZELM
