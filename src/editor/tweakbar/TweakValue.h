// A variable's value as the bars carry it, one alternative per supported variable type.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace Tweak {

using TweakValue = std::variant<bool, std::int32_t, std::uint32_t, float, double, std::string>;

}  // namespace Tweak
