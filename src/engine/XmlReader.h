// Reads values from an XML document strictly in document order: each read looks only at the cursor,
// which passes over comments.
#pragma once

#include <tinyxml.h>

#include <string>

#include "engine/ISerializer.h"

namespace ZELM {

class XmlReader : public ISerializer {
public:
    // Parses the file; on failure only Failed() says so. Otherwise the cursor stands on the root
    // element's first child, whatever the root's name. A file that is not UTF-8 text is refused.
    explicit XmlReader(const std::string& path);
    // Parses text held in memory (the editor's snapshots of a level) with the same checks as a
    // file's; `name` stands for the path in reports.
    XmlReader(const std::string& name, std::string text);

    // Parses the file into the document: TinyXML's own parse, over text we have read and checked
    // first. False when the file cannot be opened or is refused (the reason in `refusal`) or when
    // TinyXML reports an error (in the document).
    static bool ParseFile(TiXmlDocument& document, const std::string& path, std::string& refusal);
    static bool ParseText(TiXmlDocument& document, std::string text, std::string& refusal);
    // A small file of the player's: its text parsed and its root element when that is named `root`;
    // otherwise null, and `problem` says why in words a report can carry.
    static const TiXmlElement* ParseRoot(TiXmlDocument& document, const std::string& text,
                                         const std::string& root, std::string& problem);

    bool Failed() const { return failed; }
    // The file the reader was made from, as it was given.
    const std::string& GetPath() const { return path; }
    // Why the file could not be read: TinyXML's description, or our own for what we refuse first.
    std::string GetError() const;

    // Reads the text of the cursor element's first child, whatever the element's name, and steps
    // past it. An element without text reads as empty (empty string, 0, false).
    void SerializeUnserializable() override;
    void Serialize(std::string& value) override;
    void Serialize(bool& value) override;
    void Serialize(char& value) override;
    void Serialize(unsigned char& value) override;
    void Serialize(double& value) override;
    void Serialize(float& value) override;
    void Serialize(int& value) override;
    void Serialize(unsigned& value) override;
    // Steps into the cursor element when it has this name; otherwise stays and returns false.
    bool BeginElement(const std::string& name) override;
    // True once the walk has reached the end of the document; otherwise one step and false.
    bool EndElement() override;

    // Puts the cursor back on the root's first child.
    void Rewind();
    // Whether the cursor stands on an element of that name.
    bool IsAt(const std::string& name) const;
    bool AtEnd() const { return cursor == nullptr; }

    // The document's root element (null when the file failed).
    const TiXmlElement* GetRoot() const { return document.RootElement(); }
    // The node the cursor stands on, for SkipPast.
    const TiXmlNode* GetCursor() const { return cursor; }
    // Puts the cursor on a node of this document, to read an element found by name; null puts it
    // nowhere, so nothing is read until the cursor is moved again.
    void SetCursor(const TiXmlNode* node) { cursor = node; }
    // Moves the cursor past a node and everything inside it (used to skip a bad element).
    void SkipPast(const TiXmlNode* node);

private:
    // Takes the cursor element's text and steps past it; null when the element has no text.
    const char* TakeText();
    // Puts the cursor on the node, or past it when it is a comment (see StepOver).
    void MoveTo(const TiXmlNode* node);
    void Step();
    void StepOver(const TiXmlNode* node);

    TiXmlDocument document;
    std::string path;
    const TiXmlNode* cursor = nullptr;
    bool failed = false;
    std::string refusal;  // why the file was refused before parsing, if it was
};

}  // namespace ZELM
