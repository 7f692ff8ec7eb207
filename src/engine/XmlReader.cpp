// The XML reader's document-order walk.
#include "engine/XmlReader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
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

}  // namespace

XmlReader::XmlReader(const std::string& path) : document(path.c_str()) {
    if (!document.LoadFile(TIXML_ENCODING_UNKNOWN) || document.RootElement() == nullptr) {
        failed = true;
        return;
    }
    Rewind();
}

std::string XmlReader::GetError() const {
    if (!failed) {
        return std::string();
    }
    if (document.Error()) {
        return std::string(document.ErrorDesc()) + " (line " + std::to_string(document.ErrorRow()) + ")";
    }
    return "no root element";
}

void XmlReader::Rewind() {
    const TiXmlElement* root = document.RootElement();
    cursor = root != nullptr ? root->FirstChild() : nullptr;
}

bool XmlReader::IsAt(const std::string& name) const {
    return cursor != nullptr && cursor->ToElement() != nullptr && name == cursor->Value();
}

void XmlReader::Step() {
    if (cursor == nullptr) {
        return;
    }
    if (cursor->FirstChild() != nullptr) {
        cursor = cursor->FirstChild();
        return;
    }
    StepOver(cursor);
}

void XmlReader::StepOver(const TiXmlNode* node) {
    // To the next sibling, else to the next sibling of the nearest ancestor that has one; past the
    // root's last descendant the walk has ended.
    const TiXmlElement* root = document.RootElement();
    while (node != nullptr && node != root) {
        if (node->NextSibling() != nullptr) {
            cursor = node->NextSibling();
            return;
        }
        node = node->Parent();
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

void XmlReader::SerializeUnserializable() { TakeText(); }

void XmlReader::Serialize(std::string& value) {
    const char* text = TakeText();
    value = text != nullptr ? text : "";
}

void XmlReader::Serialize(bool& value) { value = LeadingInteger(TakeText()) != 0; }
void XmlReader::Serialize(char& value) { value = static_cast<char>(LeadingInteger(TakeText())); }
void XmlReader::Serialize(unsigned char& value) { value = static_cast<unsigned char>(LeadingInteger(TakeText())); }
void XmlReader::Serialize(int& value) { value = ClampToInt(LeadingInteger(TakeText())); }
void XmlReader::Serialize(unsigned& value) { value = static_cast<unsigned>(LeadingInteger(TakeText())); }
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
