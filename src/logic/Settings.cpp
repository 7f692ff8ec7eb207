// The settings file's text.
#include "logic/Settings.h"

#include <tinyxml.h>

#include <algorithm>
#include <array>
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

// One "<Key action="phase" slot="1">42</Key>" or "<Pad ...>16</Pad>" into `binding`.
bool ParseBinding(const TiXmlElement& element, Input::Controls::Binding& binding, std::string& problem) {
    const bool key = element.ValueStr() == "Key";
    int slot = 0;
    int value = 0;
    const char* text = element.GetText();
    if (!ParseWhole(element.Attribute("slot"), 1, Input::Controls::kSlots, slot) || !ParseWhole(text, 0, 255, value)) {
        problem = "a binding of \"" + std::string(element.Attribute("action") != nullptr ? element.Attribute("action") : "") +
                  "\" has no slot 1 or 2, or a code that is no key or pad control";
        return false;
    }
    (key ? binding.keys : binding.pad)[static_cast<std::size_t>(slot - 1)] = value;
    return true;
}

// The <Controls> element: every action it names, each binding checked as a whole.
bool ParseControls(const TiXmlElement& controlsElement, Input::Controls& controls, std::string& problem) {
    std::array<Input::Controls::Binding, Input::Controls::kCount> read{};
    std::array<bool, Input::Controls::kCount> named{};
    int count = 0;
    for (const TiXmlElement* element = controlsElement.FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (++count > Settings::kMostBindings) {
            problem = "it holds more than " + std::to_string(Settings::kMostBindings) + " bindings";
            return false;
        }
        const char* name = element->Attribute("action");
        const Input::Controls::Id id = Input::Controls::IdOf(name != nullptr ? name : "");
        if ((element->ValueStr() != "Key" && element->ValueStr() != "Pad") || id == Input::Controls::kCount) {
            problem = "it binds an unknown action \"" + std::string(name != nullptr ? name : "") + "\"";
            return false;
        }
        if (!ParseBinding(*element, read[static_cast<std::size_t>(id)], problem)) {
            return false;
        }
        named[static_cast<std::size_t>(id)] = true;
    }
    Input::Controls chosen;
    // Every binding is taken off first, so a key may move between actions in any file order.
    for (int id = 0; id < Input::Controls::kCount; ++id) {
        if (named[static_cast<std::size_t>(id)]) {
            chosen.Set(static_cast<Input::Controls::Id>(id), Input::Controls::Binding{});
        }
    }
    for (int id = 0; id < Input::Controls::kCount; ++id) {
        const auto action = static_cast<Input::Controls::Id>(id);
        if (named[static_cast<std::size_t>(id)] && !chosen.Set(action, read[static_cast<std::size_t>(id)])) {
            problem = std::string("the binding of ") + Input::Controls::NameOf(action) +
                      " holds a key or pad control that is unknown, kept for the menus, or bound twice";
            return false;
        }
    }
    controls = chosen;
    return true;
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
    } else if (name == "Flashing") {
        good = shown == "full" || shown == "reduced";
        read.reducedFlashing = shown == "reduced";
    } else if (name == "GameSpeed") {
        good = ParseWhole(text, 0, 100, read.gameSpeed) && Settings::IsGameSpeed(read.gameSpeed);
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

bool Settings::IsGameSpeed(int percent) {
    return percent >= kSlowestGameSpeed && percent <= 100 && percent % kGameSpeedStep == 0;
}

int Settings::StepGameSpeed(int percent, int steps) {
    return std::clamp(percent + steps * kGameSpeedStep, kSlowestGameSpeed, 100);
}

int Settings::StepGameSpeedDown(int percent) {
    return percent <= kSlowestGameSpeed ? 100 : StepGameSpeed(percent, -1);
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
    std::string controlsProblem;
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (element->ValueStr() == "Controls") {
            if (!ParseControls(*element, read.controls, controlsProblem)) {
                read.controls = Input::Controls();
            }
        } else if (!ParseElement(*element, read, problem)) {
            return false;
        }
    }
    if ((read.width == 0) != (read.height == 0)) {
        problem = "it gives a width or a height without the other";
        return false;
    }
    settings = read;
    problem = controlsProblem;
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
    add("Flashing", reducedFlashing ? "reduced" : "full");
    add("GameSpeed", std::to_string(gameSpeed));
    add("TextSize", std::to_string(textSize));
    auto* bindings = new TiXmlElement("Controls");
    root->LinkEndChild(bindings);
    for (int id = 0; id < Input::Controls::kCount; ++id) {
        const auto action = static_cast<Input::Controls::Id>(id);
        const Input::Controls::Binding& binding = controls.Get(action);
        for (int slot = 0; slot < Input::Controls::kSlots; ++slot) {
            for (const bool key : {true, false}) {
                auto* element = new TiXmlElement(key ? "Key" : "Pad");
                element->SetAttribute("action", Input::Controls::NameOf(action));
                element->SetAttribute("slot", slot + 1);
                const int value = (key ? binding.keys : binding.pad)[static_cast<std::size_t>(slot)];
                element->LinkEndChild(new TiXmlText(std::to_string(value)));
                bindings->LinkEndChild(element);
            }
        }
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

}  // namespace Logic
