// Writing and reading the level pack document.
#include "sharing/LevelPack.h"

#include <tinyxml.h>

#include <cctype>
#include <set>
#include <utility>

#include "engine/XmlReader.h"
#include "sharing/Base64.h"

namespace Sharing {
namespace {

constexpr char kRoot[] = "FallwardLevel";
constexpr char kEntry[] = "File";
constexpr std::size_t kMaxGameLength = 64;
constexpr LevelPack::Kind kKinds[] = {LevelPack::Kind::Level, LevelPack::Kind::Tiles, LevelPack::Kind::Script,
                                      LevelPack::Kind::Archetype};

bool KindFromName(const std::string& name, LevelPack::Kind& kind) {
    for (const LevelPack::Kind candidate : kKinds) {
        if (name == LevelPack::KindName(candidate)) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

const char* ExtensionOf(LevelPack::Kind kind) {
    switch (kind) {
        case LevelPack::Kind::Level:
        case LevelPack::Kind::Archetype:
            return ".xml";
        case LevelPack::Kind::Script:
            return ".lua";
        case LevelPack::Kind::Tiles:
            break;
    }
    return "";
}

// A size written as plain decimal digits: no sign, no spaces, nothing a scanf would let through.
bool ParseSize(const char* text, std::size_t& size) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    size = 0;
    for (const char* digit = text; *digit != '\0'; ++digit) {
        if (*digit < '0' || *digit > '9' || size > LevelPack::kMaxFileBytes) {
            return false;
        }
        size = size * 10 + static_cast<std::size_t>(*digit - '0');
    }
    return size <= LevelPack::kMaxFileBytes;
}

std::string Attribute(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value != nullptr ? value : std::string();
}

bool ParseHeader(const TiXmlElement& root, LevelPack& pack, std::string& problem) {
    const char* format = root.Attribute("format");
    std::size_t number = 0;
    if (!ParseSize(format, number) || number == 0) {
        problem = "it has no format number";
        return false;
    }
    if (number > static_cast<std::size_t>(LevelPack::kFormat)) {
        problem = "it was made by a newer game (format " + std::string(format) + "; this game reads format " +
                  std::to_string(LevelPack::kFormat) + ")";
        return false;
    }
    pack.format = static_cast<int>(number);
    pack.game = Attribute(root, "game");
    pack.author = Attribute(root, "author");
    pack.level = Attribute(root, "level");
    if (pack.game.size() > kMaxGameLength || pack.author.size() > LevelPack::kMaxAuthorLength) {
        problem = "its game or author name is overlong";
        return false;
    }
    std::string why;
    if (!LevelPack::IsSafeStem(pack.level, why)) {
        problem = "its level name \"" + pack.level + "\" " + why;
        return false;
    }
    return true;
}

// The name's stem when it is a safe stem with the kind's extension.
bool CheckName(LevelPack::Kind kind, const std::string& name, std::string& problem) {
    const std::string extension = ExtensionOf(kind);
    if (name.size() < extension.size() ||
        name.compare(name.size() - extension.size(), extension.size(), extension)) {
        problem =
            "a " + std::string(LevelPack::KindName(kind)) + " file's name must end in \"" + extension + "\"";
        return false;
    }
    return LevelPack::IsSafeStem(name.substr(0, name.size() - extension.size()), problem);
}

bool ParseEntry(const TiXmlElement& element, LevelPack::File& file, std::string& problem) {
    if (element.ValueStr() != kEntry) {
        problem = "\"" + element.ValueStr() + "\" is no file entry";
        return false;
    }
    if (!KindFromName(Attribute(element, "kind"), file.kind)) {
        problem =
            "its kind \"" + Attribute(element, "kind") + "\" is none of level, tiles, script, archetype";
        return false;
    }
    file.name = Attribute(element, "name");
    if (!CheckName(file.kind, file.name, problem)) {
        problem = "its name \"" + file.name + "\" " + problem;
        return false;
    }
    std::size_t size = 0;
    if (!ParseSize(element.Attribute("size"), size)) {
        problem = "its size is not a number of bytes up to " + std::to_string(LevelPack::kMaxFileBytes);
        return false;
    }
    if (element.FirstChildElement() != nullptr) {
        problem = "it holds elements instead of base64 text";
        return false;
    }
    const char* text = element.GetText();
    const std::string encoded = text != nullptr ? text : "";
    // Measured before decoding: a hostile entry must not make us decode more than it declared.
    if (encoded.size() > Base64::EncodedLength(size)) {
        problem = "its text is longer than " + std::to_string(size) + " bytes need";
        return false;
    }
    if (!Base64::Decode(encoded, file.bytes)) {
        problem = "its text is not base64";
        return false;
    }
    if (file.bytes.size() != size) {
        problem = "it decodes to " + std::to_string(file.bytes.size()) + " bytes, not the " +
                  std::to_string(size) + " it declares";
        return false;
    }
    return true;
}

}  // namespace

const char* LevelPack::KindName(Kind kind) {
    switch (kind) {
        case Kind::Level:
            return "level";
        case Kind::Tiles:
            return "tiles";
        case Kind::Script:
            return "script";
        case Kind::Archetype:
            return "archetype";
    }
    return "";
}

std::string LevelPack::FileName(Kind kind, const std::string& stem) {
    return stem + ExtensionOf(kind);
}

bool LevelPack::IsSafeStem(const std::string& stem, std::string& problem) {
    if (stem.empty()) {
        problem = "is empty";
    } else if (stem.size() > kMaxStemLength) {
        problem = "is longer than " + std::to_string(kMaxStemLength) + " characters";
    } else if (stem.find('/') != std::string::npos || stem.find('\\') != std::string::npos) {
        problem = "holds a path separator";
    } else if (stem.find("..") != std::string::npos) {
        problem = "holds \"..\"";
    } else if (stem.front() == '.') {
        problem = "starts with a dot";
    } else if (stem.front() == ' ' || stem.back() == ' ') {
        problem = "starts or ends with a space";
    } else {
        for (const char c : stem) {
            const auto u = static_cast<unsigned char>(c);
            if (!std::isalnum(u) && c != '_' && c != '-' && c != ' ') {
                problem = "holds a character other than letters, digits, \"_\", \"-\" and spaces";
                return false;
            }
        }
        return true;
    }
    return false;
}

const LevelPack::File* LevelPack::Find(Kind kind, const std::string& name) const {
    for (const File& file : files) {
        if (file.kind == kind && file.name == name) {
            return &file;
        }
    }
    return nullptr;
}

std::string LevelPack::Serialise() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement(kRoot);
    root->SetAttribute("format", format);
    root->SetAttribute("game", game);
    root->SetAttribute("author", author);
    root->SetAttribute("level", level);
    for (const File& file : files) {
        auto* entry = new TiXmlElement(kEntry);
        entry->SetAttribute("kind", KindName(file.kind));
        entry->SetAttribute("name", file.name);
        entry->SetAttribute("size", std::to_string(file.bytes.size()));
        entry->LinkEndChild(new TiXmlText(Base64::Encode(file.bytes)));
        root->LinkEndChild(entry);
    }
    document.LinkEndChild(root);
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    document.Accept(&printer);
    return printer.Str();
}

bool LevelPack::Parse(const std::string& text, LevelPack& pack, std::string& problem) {
    pack = LevelPack();
    if (text.size() > kMaxFileBytes) {
        problem = "it is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MiB";
        return false;
    }
    TiXmlDocument document;
    const TiXmlElement* root = ZELM::XmlReader::ParseRoot(document, text, kRoot, problem);
    if (root == nullptr || !ParseHeader(*root, pack, problem)) {
        return false;
    }
    std::set<std::pair<Kind, std::string>> seen;
    std::size_t index = 0;
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (++index > kMaxEntries) {
            problem = "it holds more than " + std::to_string(kMaxEntries) + " files";
            return false;
        }
        File file;
        if (!ParseEntry(*element, file, problem)) {
            problem = "file " + std::to_string(index) + " (line " + std::to_string(element->Row()) +
                      "): " + problem;
            return false;
        }
        if (!seen.insert({file.kind, file.name}).second) {
            problem = "it holds the " + std::string(KindName(file.kind)) + " \"" + file.name + "\" twice";
            return false;
        }
        pack.files.push_back(std::move(file));
    }
    return true;
}

}  // namespace Sharing
