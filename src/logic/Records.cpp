// The records file's text.
#include "logic/Records.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/XmlReader.h"
#include "logic/Courses.h"

namespace Logic {
namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A time as the file writes it: a plain number and nothing after it.
bool ParseSeconds(const char* text, float& seconds) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (*end != '\0' || !std::isfinite(value) || value <= 0.0 || value > Records::kLongestSeconds) {
        return false;
    }
    seconds = static_cast<float>(value);
    return true;
}

bool ParseBest(const TiXmlElement& element, const std::vector<std::string>& adventureLevels,
               std::map<std::string, float>& best, std::string& problem) {
    const char* level = element.Attribute("level");
    const std::string name = level != nullptr ? level : "";
    if (!Contains(adventureLevels, name) && !Courses::IsTimeAttack(name) && !Courses::IsRace(name)) {
        problem = "a best time for the unknown level \"" + name + "\"";
        return false;
    }
    float seconds = 0.0f;
    if (!ParseSeconds(element.GetText(), seconds)) {
        const char* text = element.GetText();
        problem = "the best time \"" + std::string(text != nullptr ? text : "") + "\" of " + name +
                  " is not a number of seconds above 0 and up to 1000000";
        return false;
    }
    best[name] = std::min(seconds, best.count(name) != 0 ? best[name] : seconds);
    return true;
}

}  // namespace

bool Records::Parse(const std::string& text, const std::vector<std::string>& adventureLevels,
                    Records& records, std::string& problem) {
    TiXmlDocument document;
    const TiXmlElement* root = ZELM::XmlReader::ParseRoot(document, text, "Records", problem);
    if (root == nullptr) {
        return false;
    }
    Records read;
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (element->ValueStr() == "Best") {
            if (!ParseBest(*element, adventureLevels, read.best, problem)) {
                return false;
            }
        } else if (element->ValueStr() == "Furthest") {
            const char* level = element->GetText();
            read.furthest = level != nullptr ? level : "";
            if (!Contains(adventureLevels, read.furthest)) {
                problem = "the furthest level \"" + read.furthest + "\" is not an adventure level";
                return false;
            }
        } else {
            problem = "it holds an unknown element \"" + element->ValueStr() + "\"";
            return false;
        }
    }
    records = read;
    return true;
}

std::string Records::Serialise() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* root = new TiXmlElement("Records");
    document.LinkEndChild(root);
    if (!furthest.empty()) {
        auto* element = new TiXmlElement("Furthest");
        element->LinkEndChild(new TiXmlText(furthest));
        root->LinkEndChild(element);
    }
    for (const auto& [level, seconds] : best) {
        char shown[32];
        // Every digit a float holds, so a time read back compares equal to the one saved.
        std::snprintf(shown, sizeof shown, "%.9g", static_cast<double>(seconds));
        auto* element = new TiXmlElement("Best");
        element->SetAttribute("level", level);
        element->LinkEndChild(new TiXmlText(shown));
        root->LinkEndChild(element);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

float Records::GetBest(const std::string& level) const {
    const auto found = best.find(level);
    return found != best.end() ? found->second : std::numeric_limits<float>::infinity();
}

bool Records::OfferTime(const std::string& level, float seconds) {
    if (!std::isfinite(seconds) || seconds <= 0.0f || seconds > GetBest(level)) {
        return false;
    }
    best[level] = seconds;
    return true;
}

}  // namespace Logic
