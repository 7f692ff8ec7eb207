// The text forms of attribute values.
#include "editor/tweakbar/ValueText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Tweak {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

bool OnlyBlanksFrom(const char* text) {
    while (*text != '\0' && IsBlank(*text)) {
        ++text;
    }
    return *text == '\0';
}

}  // namespace

bool ParseBool(const std::string& text, bool& value) {
    const std::string word = Lowercase(text);
    if (word == "true" || word == "1") {
        value = true;
        return true;
    }
    if (word == "false" || word == "0") {
        value = false;
        return true;
    }
    return false;
}

bool ParseInts(const std::string& text, int* values, std::size_t count, int min, int max) {
    const char* cursor = text.c_str();
    for (std::size_t i = 0; i < count; ++i) {
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(cursor, &end, 10);
        // Without a blank between them, "12-3" would read as two numbers.
        const bool separated = *end == '\0' || IsBlank(*end);
        if (end == cursor || errno == ERANGE || !separated || value < min || value > max) {
            return false;
        }
        values[i] = static_cast<int>(value);
        cursor = end;
    }
    return OnlyBlanksFrom(cursor);
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE || !std::isfinite(parsed) || !OnlyBlanksFrom(end)) {
        return false;
    }
    value = parsed;
    return true;
}

std::string BoolText(bool value) {
    return value ? "true" : "false";
}

std::string IntsText(const int* values, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : " ") + std::to_string(values[i]);
    }
    return text;
}

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool IsAcceptableName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) {
        return false;
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return false;
        }
    }
    return true;
}

bool IsAttributeName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) {
        return false;
    }
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return true;
}

}  // namespace Tweak
