// A method name as written, with the number that stands for its normalised form.
#pragma once

#include <cstdint>
#include <string>

namespace ZELM {

// The name of a bound method. Names that differ only in letter case or in spaces against
// underscores are one method, and share one number, given out the first time the normalised
// form is seen; method tables are keyed by that number. Working it out costs a normalisation and
// a lookup, so a call site on a hot path keeps its name (a static const) and pays that once; a
// literal or a string still converts implicitly, paying it on every call.
class MethodName {
public:
    MethodName(const char* text);         // NOLINT(google-explicit-constructor): names are written as literals
    MethodName(const std::string& text);  // NOLINT(google-explicit-constructor)

    // As written, for messages and for the field a script sees.
    const std::string& GetText() const { return text; }
    std::uint32_t GetId() const { return id; }

    bool operator==(const MethodName& other) const { return id == other.id; }

private:
    std::string text;
    std::uint32_t id;
};

// The table key of a method name: spaces become "_", letters lower case.
std::string NormaliseMethodName(const std::string& name);

}  // namespace ZELM
