// The method-name rule and the numbers of normalised names.
#include "utilities/MethodName.h"

#include <mutex>
#include <unordered_map>

namespace ZELM {
namespace {

void NormaliseInPlace(std::string& key) {
    for (char& c : key) {
        if (c == ' ') {
            c = '_';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

// Numbers are never given back: a name's number must stay valid in every table that holds it.
std::uint32_t IdOf(std::string key) {
    static std::mutex lock;
    static std::unordered_map<std::string, std::uint32_t> ids;
    NormaliseInPlace(key);
    std::lock_guard<std::mutex> guard(lock);
    const auto known = ids.find(key);
    if (known != ids.end()) {
        return known->second;
    }
    const auto id = static_cast<std::uint32_t>(ids.size());
    ids.emplace(std::move(key), id);
    return id;
}

}  // namespace

std::string NormaliseMethodName(const std::string& name) {
    std::string key(name);
    NormaliseInPlace(key);
    return key;
}

MethodName::MethodName(const char* text) : text(text), id(IdOf(this->text)) {}

MethodName::MethodName(const std::string& text) : text(text), id(IdOf(text)) {}

}  // namespace ZELM
