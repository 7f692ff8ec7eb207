// The settings file's text.
#include "logic/Settings.h"

#include <tinyxml.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>

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

// The setting an element of "true" or "false" holds, or null for one of another kind.
bool* YesOrNoSetting(const std::string& name, Settings& read) {
    if (name == "FullScreen") {
        return &read.fullscreen;
    }
    if (name == "Ghosts") {
        return &read.ghosts;
    }
    return name == "Vsync" ? &read.vsync : nullptr;
}

bool ParseElement(const TiXmlElement& element, Settings& read, std::string& problem) {
    const std::string& name = element.ValueStr();
    const char* text = element.GetText();
    const std::string shown = text != nullptr ? text : "";
    bool good = false;
    if (bool* setting = YesOrNoSetting(name, read)) {
        good = shown == "true" || shown == "false";
        *setting = shown == "true";
    } else if (name == "Width") {
        good = ParseWhole(text, Settings::kSmallestSide, Settings::kLargestSide, read.width);
    } else if (name == "Height") {
        good = ParseWhole(text, Settings::kSmallestSide, Settings::kLargestSide, read.height);
    } else if (name == "MusicVolume" || name == "EffectsVolume") {
        int& volume = name == "MusicVolume" ? read.musicVolume : read.effectsVolume;
        good = ParseWhole(text, 0, 100, volume) && volume % Settings::kVolumeStep == 0;
    } else if (name == "TextSize") {
        good = ParseWhole(text, 0, 1000, read.textSize) && Settings::IsTextSize(read.textSize);
    } else if (name == "FrameLimit") {
        good = ParseWhole(text, 0, 1000, read.frameLimit) && Settings::IsFrameLimit(read.frameLimit);
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

bool Settings::IsFrameLimit(int framesPerSecond) {
    return std::find(std::begin(kFrameLimits), std::end(kFrameLimits), framesPerSecond) !=
           std::end(kFrameLimits);
}

int Settings::StepFrameLimit(int framesPerSecond, int steps) {
    const int count = static_cast<int>(std::size(kFrameLimits));
    int at = count - 1;  // none, the last choice
    for (int i = 0; i < count; ++i) {
        if (kFrameLimits[i] == framesPerSecond) {
            at = i;
        }
    }
    return kFrameLimits[((at + steps) % count + count) % count];
}

bool Settings::IsTextSize(int percent) {
    return std::find(std::begin(kTextSizes), std::end(kTextSizes), percent) != std::end(kTextSizes);
}

int Settings::NextTextSize(int percent) {
    const int* at = std::find(std::begin(kTextSizes), std::end(kTextSizes), percent);
    return at == std::end(kTextSizes) || at + 1 == std::end(kTextSizes) ? kTextSizes[0] : *(at + 1);
}

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
    add("Vsync", vsync ? "true" : "false");
    add("FrameLimit", std::to_string(frameLimit));
    add("TextSize", std::to_string(textSize));
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

}  // namespace Logic
