// The settings file's text.
#include "logic/Settings.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstdlib>

#include "engine/XmlReader.h"

namespace Logic {
namespace {

// A whole number as the file writes it, within [lowest, highest].
bool ParseWhole(const char* text, long lowest, long highest, int& value) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long read = std::strtol(text, &end, 10);
    if (*end != '\0' || errno != 0 || read < lowest || read > highest) {
        return false;
    }
    value = static_cast<int>(read);
    return true;
}

bool ParseElement(const TiXmlElement& element, Settings& read, std::string& problem) {
    const std::string& name = element.ValueStr();
    const char* text = element.GetText();
    const std::string shown = text != nullptr ? text : "";
    bool good = false;
    if (name == "FullScreen" || name == "Ghosts") {
        good = shown == "true" || shown == "false";
        (name == "FullScreen" ? read.fullscreen : read.ghosts) = shown == "true";
    } else if (name == "Width") {
        good = ParseWhole(text, Settings::kSmallestSide, Settings::kLargestSide, read.width);
    } else if (name == "Height") {
        good = ParseWhole(text, Settings::kSmallestSide, Settings::kLargestSide, read.height);
    } else if (name == "MusicVolume" || name == "EffectsVolume") {
        int& volume = name == "MusicVolume" ? read.musicVolume : read.effectsVolume;
        good = ParseWhole(text, 0, 100, volume) && volume % Settings::kVolumeStep == 0;
    } else {
        problem = "it holds an unknown element \"" + name + "\"";
        return false;
    }
    if (!good) {
        problem = name + " \"" + shown + "\" is out of range";
    }
    return good;
}

}  // namespace

bool Settings::Parse(const std::string& text, Settings& settings, std::string& problem) {
    TiXmlDocument document;
    const TiXmlElement* root = ZELM::XmlReader::ParseRoot(document, text, "Settings", problem);
    if (root == nullptr) {
        return false;
    }
    Settings read;
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (!ParseElement(*element, read, problem)) {
            return false;
        }
    }
    if ((read.width == 0) != (read.height == 0)) {
        problem = "it gives a width or a height without the other";
        return false;
    }
    settings = read;
    return true;
}

std::string Settings::Serialise() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* root = new TiXmlElement("Settings");
    document.LinkEndChild(root);
    auto add = [root](const char* name, const std::string& value) {
        auto* element = new TiXmlElement(name);
        element->LinkEndChild(new TiXmlText(value));
        root->LinkEndChild(element);
    };
    add("FullScreen", fullscreen ? "true" : "false");
    if (width != 0 && height != 0) {
        add("Width", std::to_string(width));
        add("Height", std::to_string(height));
    }
    add("MusicVolume", std::to_string(musicVolume));
    add("EffectsVolume", std::to_string(effectsVolume));
    add("Ghosts", ghosts ? "true" : "false");
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

}  // namespace Logic
