// Tweak-bar definition strings, read both with named targets and as bare attributes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/tweakbar/DefinitionParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> errors;
    Tweak::DefinitionParser::Parse(text, Tweak::DefinitionParser::Targets::Named, errors);
    Tweak::DefinitionParser::Parse(text, Tweak::DefinitionParser::Targets::Implied, errors);
    return 0;
}
