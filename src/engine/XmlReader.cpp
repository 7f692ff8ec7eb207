// The XML reader's document-order walk.
#include "engine/XmlReader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace ZELM {
namespace {

// Leading decimal digits (with sign), as far as they go; no digits gives 0.
long long LeadingInteger(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    errno = 0;
    const long long value = std::strtoll(text, nullptr, 10);
    return errno == ERANGE ? 0 : value;
}

int ClampToInt(long long value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// A number that does not fit (or is not one, such as "nan") reads as 0, so no file can put an
// infinite or undefined position into the game.
double LeadingFloating(const char* text, double limit) {
    const double value = text != nullptr ? std::strtod(text, nullptr) : 0.0;
    return std::isfinite(value) && std::fabs(value) <= limit ? value : 0.0;
}

bool IsAscii8(const char* bytes) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, bytes, sizeof eight);
    return (eight & 0x8080808080808080ull) == 0;
}

// The offset of the first byte that does not belong to a whole UTF-8 character, or npos.
std::size_t FirstInvalidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // Level files are nearly all ASCII: eight bytes at a time while none has its high bit set.
        while (i + 8 <= text.size() && IsAscii8(text.data() + i)) {
            i += 8;
        }
        if (i == text.size()) {
            break;
        }
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        unsigned char low = 0x80;   // the range of the first continuation byte (overlongs and
        unsigned char high = 0xBF;  // surrogates excluded)
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + length > text.size()) {
            return i;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
                return i;
            }
        }
        i += length;
    }
    return std::string::npos;
}

// TinyXML steps over a character by the length its first byte announces and trusts that length,
// so a hostile file could make it step over the text's end. We read the file ourselves, refuse
// text that is not UTF-8, and hand the parser the text followed by NULs that any such step
// lands on.
constexpr std::size_t kParserPadding = 16;

// Room is made in advance for files up to this size; a larger one grows as it is read.
constexpr std::uintmax_t kLargestReservedFile = std::uintmax_t{1} << 28;

// Line ends as TinyXML's own file loading leaves them: CR LF and a lone CR become LF.
void NormalizeLineEnds(std::string& text) {
    if (text.find('\r') == std::string::npos) {
        return;
    }
    std::string normalized;
    normalized.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normalized += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            normalized += text[i];
        }
    }
    text.swap(normalized);
}

// The whole file, read in large pieces into room made for it and the padding (a directory or an
// unreadable file gives nothing).
bool ReadWholeFile(const std::string& path, std::string& contents) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size <= kLargestReservedFile) {
        contents.reserve(static_cast<std::size_t>(size) + kParserPadding);
    }
    char piece[1 << 16];
    while (file.read(piece, sizeof piece) || file.gcount() > 0) {
        contents.append(piece, static_cast<std::size_t>(file.gcount()));
    }
    return true;
}

}  // namespace

bool XmlReader::ParseFile(TiXmlDocument& document, const std::string& path, std::string& refusal) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        refusal = "the file cannot be opened";
        return false;
    }
    return ParseText(document, std::move(text), refusal);
}

bool XmlReader::ParseText(TiXmlDocument& document, std::string text, std::string& refusal) {
    if (const std::size_t invalid = FirstInvalidUtf8(text); invalid != std::string::npos) {
        refusal = "the file is not UTF-8 text (byte " + std::to_string(invalid) + ")";
        return false;
    }
    NormalizeLineEnds(text);
    text.append(kParserPadding, '\0');
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    return !document.Error();
}

const TiXmlElement* XmlReader::ParseRoot(TiXmlDocument& document, const std::string& text,
                                         const std::string& root, std::string& problem) {
    std::string refusal;
    if (!ParseText(document, text, refusal)) {
        problem = refusal.empty() ? std::string("it is not XML: ") + document.ErrorDesc() : refusal;
        return nullptr;
    }
    const TiXmlElement* element = document.RootElement();
    if (element == nullptr || element->ValueStr() != root) {
        problem = "its root element is not " + root;
        return nullptr;
    }
    return element;
}

XmlReader::XmlReader(const std::string& path) : document(path.c_str()), path(path) {
    if (!ParseFile(document, path, refusal) || document.RootElement() == nullptr) {
        failed = true;
        return;
    }
    Rewind();
}

XmlReader::XmlReader(const std::string& name, std::string text) : document(name.c_str()), path(name) {
    if (!ParseText(document, std::move(text), refusal) || document.RootElement() == nullptr) {
        failed = true;
        return;
    }
    Rewind();
}

std::string XmlReader::GetError() const {
    if (!failed) {
        return std::string();
    }
    if (!refusal.empty()) {
        return refusal;
    }
    if (document.Error()) {
        return std::string(document.ErrorDesc()) + " (line " + std::to_string(document.ErrorRow()) + ")";
    }
    return "no root element";
}

void XmlReader::Rewind() {
    const TiXmlElement* root = document.RootElement();
    MoveTo(root != nullptr ? root->FirstChild() : nullptr);
}

bool XmlReader::IsAt(const std::string& name) const {
    return cursor != nullptr && cursor->ToElement() != nullptr && name == cursor->Value();
}

void XmlReader::Step() {
    if (cursor == nullptr) {
        return;
    }
    if (cursor->FirstChild() != nullptr) {
        MoveTo(cursor->FirstChild());
        return;
    }
    StepOver(cursor);
}

namespace {

// Comments (and anything else that is neither an element nor text) are the designer's notes: no
// value is read from them, so the walk never stands on one.
bool IsNote(const TiXmlNode* node) {
    return node->ToElement() == nullptr && node->ToText() == nullptr;
}

}  // namespace

void XmlReader::MoveTo(const TiXmlNode* node) {
    if (node != nullptr && IsNote(node)) {
        StepOver(node);
        return;
    }
    cursor = node;
}

void XmlReader::StepOver(const TiXmlNode* node) {
    // To the next sibling that is not a note, else on from the nearest ancestor; past the root's last
    // descendant the walk has ended.
    const TiXmlElement* root = document.RootElement();
    while (node != nullptr && node != root) {
        const TiXmlNode* next = node->NextSibling();
        if (next != nullptr && !IsNote(next)) {
            cursor = next;
            return;
        }
        node = next != nullptr ? next : node->Parent();
    }
    cursor = nullptr;
}

void XmlReader::SkipPast(const TiXmlNode* node) {
    if (node != nullptr) {
        StepOver(node);
    }
}

const char* XmlReader::TakeText() {
    if (cursor == nullptr) {
        return nullptr;
    }
    const TiXmlNode* text = cursor->FirstChild();
    if (text == nullptr) {
        StepOver(cursor);
        return nullptr;
    }
    cursor = text;
    Step();
    return text->ToText() != nullptr ? text->Value() : nullptr;
}

void XmlReader::SerializeUnserializable() {
    TakeText();
}

void XmlReader::Serialize(std::string& value) {
    const char* text = TakeText();
    value = text != nullptr ? text : "";
}

void XmlReader::Serialize(bool& value) {
    value = LeadingInteger(TakeText()) != 0;
}
void XmlReader::Serialize(char& value) {
    value = static_cast<char>(LeadingInteger(TakeText()));
}
void XmlReader::Serialize(unsigned char& value) {
    value = static_cast<unsigned char>(LeadingInteger(TakeText()));
}
void XmlReader::Serialize(int& value) {
    value = ClampToInt(LeadingInteger(TakeText()));
}
void XmlReader::Serialize(unsigned& value) {
    value = static_cast<unsigned>(LeadingInteger(TakeText()));
}
void XmlReader::Serialize(double& value) {
    value = LeadingFloating(TakeText(), std::numeric_limits<double>::max());
}
void XmlReader::Serialize(float& value) {
    value = static_cast<float>(LeadingFloating(TakeText(), std::numeric_limits<float>::max()));
}

bool XmlReader::BeginElement(const std::string& name) {
    if (!IsAt(name)) {
        return false;
    }
    Step();
    return true;
}

bool XmlReader::EndElement() {
    if (cursor == nullptr) {
        return true;
    }
    Step();
    return false;
}

}  // namespace ZELM
