// The XML writer.
#include "engine/XmlWriter.h"

#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "engine/StaleTemporaries.h"

namespace ZELM {

XmlWriter::XmlWriter(std::string path, const std::string& rootName) : path(std::move(path)) {
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    current = new TiXmlElement(rootName.c_str());
    document.LinkEndChild(current);
}

void XmlWriter::WriteValue(const char* typeName, const std::string& text) {
    auto* element = new TiXmlElement(typeName);
    element->LinkEndChild(new TiXmlText(text.c_str()));
    current->LinkEndChild(element);
    lastWritten = element;
}

void XmlWriter::SerializeUnserializable() { WriteValue("unserializable", "0"); }
void XmlWriter::Serialize(std::string& value) { WriteValue("string", value); }
void XmlWriter::Serialize(bool& value) { WriteValue("bool", value ? "1" : "0"); }
void XmlWriter::Serialize(char& value) { WriteValue("char", std::to_string(static_cast<int>(value))); }
void XmlWriter::Serialize(unsigned char& value) { WriteValue("uchar", std::to_string(static_cast<int>(value))); }
void XmlWriter::Serialize(int& value) { WriteValue("int", std::to_string(value)); }
void XmlWriter::Serialize(unsigned& value) { WriteValue("uint", std::to_string(value)); }

// Floating values in the stream's default form: six significant digits, fixed or exponent.
void XmlWriter::Serialize(double& value) {
    std::ostringstream text;
    text << value;
    WriteValue("double", text.str());
}

void XmlWriter::Serialize(float& value) {
    std::ostringstream text;
    text << value;
    WriteValue("float", text.str());
}

bool XmlWriter::BeginElement(const std::string& name) {
    auto* element = new TiXmlElement(name.c_str());
    current->LinkEndChild(element);
    current = element;
    return true;
}

bool XmlWriter::EndElement() {
    if (TiXmlNode* parent = current->Parent(); parent != nullptr && parent->ToElement() != nullptr) {
        current = parent->ToElement();
    }
    return true;
}

std::string XmlWriter::Text() const {
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    document.Accept(&printer);
    return printer.Str();
}

bool XmlWriter::Save() {
    return WriteFileAtomically(path, Text());
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
    // A killed save leaves its temporary behind; this save is the moment to clear them.
    RemoveStaleTemporariesOf(path);
    const std::string temporary = TemporaryPathFor(path);
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const bool flushed = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace ZELM
