// The short form of a qualified service or component class name ("Logic::LogicService" -> "Logic").
#pragma once

#include <string>

namespace ZELM {

// Drops everything up to and including the first "::" and, when the name contains "Service",
// the last seven characters of what remains.
std::string ShortName(const std::string& qualifiedName);

}  // namespace ZELM
