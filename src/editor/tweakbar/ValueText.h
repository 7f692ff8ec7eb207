// Reading and writing the text form of attribute values, and the rules for names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Tweak {

// Longest bar, entry or attribute name and longest value; longer ones are refused, not cut.
constexpr std::size_t kMaxNameLength = 256;
constexpr std::size_t kMaxValueLength = 1024;

// true/false or 1/0, in any case.
bool ParseBool(const std::string& text, bool& value);
// Exactly count integers, each within [min, max], separated by whitespace.
bool ParseInts(const std::string& text, int* values, std::size_t count, int min, int max);
// One finite number.
bool ParseNumber(const std::string& text, double& value);

std::string BoolText(bool value);
std::string IntsText(const int* values, std::size_t count);
// Round-trips through ParseNumber.
std::string NumberText(double value);

std::string Lowercase(std::string_view text);
// Bar and entry names: not empty, not too long, no control characters.
bool IsAcceptableName(std::string_view name);
// Attribute names: letters, digits and underscores.
bool IsAttributeName(std::string_view name);

}  // namespace Tweak
