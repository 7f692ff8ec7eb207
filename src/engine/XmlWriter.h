// Writes values as XML elements named after their types, inside elements opened by name.
#pragma once

#include <string>

#include <tinyxml.h>

#include "engine/ISerializer.h"

namespace ZELM {

class XmlWriter : public ISerializer {
public:
    // A new document: the declaration (version "1.0") and the root element, which is current.
    XmlWriter(std::string path, const std::string& rootName);

    void SerializeUnserializable() override;
    void Serialize(std::string& value) override;
    void Serialize(bool& value) override;
    void Serialize(char& value) override;
    void Serialize(unsigned char& value) override;
    void Serialize(double& value) override;
    void Serialize(float& value) override;
    void Serialize(int& value) override;
    void Serialize(unsigned& value) override;
    bool BeginElement(const std::string& name) override;
    bool EndElement() override;

    // Writes the document to its path through a temporary file renamed into place, so a failed
    // or interrupted write never leaves a truncated file. False when it could not be written.
    bool Save();
    // The document as Save writes it.
    std::string Text() const;
    const std::string& GetPath() const { return path; }
    const TiXmlDocument& GetDocument() const { return document; }

private:
    void WriteValue(const char* typeName, const std::string& text);

    std::string path;
    TiXmlDocument document;
    TiXmlElement* current;
    TiXmlElement* lastWritten = nullptr;
};

// Writes a file through a temporary file in the same directory renamed into place.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

}  // namespace ZELM
