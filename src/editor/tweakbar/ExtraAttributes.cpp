// Kept attributes without effect.
#include "editor/tweakbar/ExtraAttributes.h"

namespace Tweak {

bool ExtraAttributes::Store(const std::string& name, const std::string& value, std::string& error) {
    if (values_.size() >= kMaxCount && values_.count(name) == 0) {
        error = "too many different attributes (at most " + std::to_string(kMaxCount) + ")";
        return false;
    }
    values_[name] = value;
    return true;
}

bool ExtraAttributes::Find(const std::string& name, std::string& value) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return false;
    }
    value = found->second;
    return true;
}

}  // namespace Tweak
