// One statement of a definition string: whom it is about, and its attributes in the order written.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Tweak {

struct DefinitionStatement {
    int line = 0;  // from 1, for messages
    // Both empty where the statement's target is implied (the def of the Add calls); entryName is
    // empty where the target is the bar itself.
    std::string barName;
    std::string entryName;
    // Names lowercased; values as written, without their quotes.
    std::vector<std::pair<std::string, std::string>> attributes;
};

}  // namespace Tweak
