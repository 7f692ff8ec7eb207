// Attributes that have no effect here but are kept, so callers can read back what they wrote.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace Tweak {

class ExtraAttributes {
public:
    // Data can name attributes without end; past this many per bar or entry, new names are refused.
    static constexpr std::size_t kMaxCount = 64;

    bool Store(const std::string& name, const std::string& value, std::string& error);
    bool Find(const std::string& name, std::string& value) const;

private:
    std::map<std::string, std::string> values_;
};

}  // namespace Tweak
