// Reading, keeping and saving what the player keeps about their own levels.
#include "logic/MyLevelRecords.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/PlayerLevels.h"
#include "engine/ProblemReport.h"
#include "engine/XmlReader.h"
#include "logic/Records.h"

namespace Logic {
namespace {

// A number as the file writes it, and nothing after it.
bool ParseNumber(const char* text, double lowest, double highest, double& value) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text, &end);
    return *end == '\0' && std::isfinite(value) && value >= lowest && value <= highest;
}

bool ParseEntry(const TiXmlElement& element, std::map<std::string, MyLevelRecords::Entry>& levels,
                std::string& problem) {
    const char* name = element.Attribute("name");
    const std::string level = name != nullptr ? name : "";
    if (!ZELM::PlayerLevels::IsPlayerLevel(level) || level.size() > 256) {
        problem = "\"" + level.substr(0, 64) + "\" is not the name of a player's level";
        return false;
    }
    MyLevelRecords::Entry entry;
    double value = 0.0;
    if (element.Attribute("best") != nullptr) {
        if (!ParseNumber(element.Attribute("best"), 0.0, Records::kLongestSeconds, value)) {
            problem = "the best time of " + level + " is not a number of seconds from 0 to 1000000";
            return false;
        }
        entry.best = static_cast<float>(value);
    }
    if (element.Attribute("played") != nullptr) {
        // Up to the year 9999: later is no date a clock gave.
        if (!ParseNumber(element.Attribute("played"), 0.0, 253402300799.0, value)) {
            problem = "the time " + level + " was last played is not a date";
            return false;
        }
        entry.played = static_cast<std::int64_t>(value);
    }
    levels[level] = entry;
    return true;
}

}  // namespace

void MyLevelRecords::Load() {
    if (!keepsFile) {
        return;
    }
    std::string text;
    std::string problem;
    if (!file.Read(text, problem) && problem.empty()) {
        return;  // no level played yet
    }
    if (problem.empty() && Parse(text, *this, problem)) {
        return;
    }
    ZELM_PROBLEM("Logic::MyLevelRecords::Load",
                 "The file \"%s\" cannot be used: %s. Your levels are listed without their times, and the "
                 "next time kept replaces the file.",
                 file.GetPath().c_str(), problem.c_str());
}

bool MyLevelRecords::Parse(const std::string& text, MyLevelRecords& into, std::string& problem) {
    TiXmlDocument document;
    const TiXmlElement* root = ZELM::XmlReader::ParseRoot(document, text, "MyLevels", problem);
    if (root == nullptr) {
        return false;
    }
    std::map<std::string, Entry> levels;
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (element->ValueStr() != "Level") {
            problem = "it holds an unknown element \"" + element->ValueStr().substr(0, 64) + "\"";
            return false;
        }
        if (levels.size() == kMostLevels) {
            problem = "it holds more than " + std::to_string(kMostLevels) + " levels";
            return false;
        }
        if (!ParseEntry(*element, levels, problem)) {
            return false;
        }
    }
    const char* author = root->Attribute("author");
    into.levels = std::move(levels);
    into.author = KeptAuthor(author != nullptr ? author : "");
    return true;
}

std::string MyLevelRecords::Serialise() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* root = new TiXmlElement("MyLevels");
    if (!author.empty()) {
        root->SetAttribute("author", author);
    }
    document.LinkEndChild(root);
    for (const auto& [level, entry] : levels) {
        auto* element = new TiXmlElement("Level");
        element->SetAttribute("name", level);
        if (entry.best > 0.0f) {
            char shown[32];
            // Every digit a float holds, so a time read back compares equal to the one saved.
            std::snprintf(shown, sizeof shown, "%.9g", static_cast<double>(entry.best));
            element->SetAttribute("best", shown);
        }
        if (entry.played > 0) {
            element->SetAttribute("played", std::to_string(entry.played));
        }
        root->LinkEndChild(element);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

float MyLevelRecords::GetBest(const std::string& level) const {
    const auto found = levels.find(level);
    return found != levels.end() && found->second.best > 0.0f ? found->second.best
                                                               : std::numeric_limits<float>::infinity();
}

bool MyLevelRecords::OfferTime(const std::string& level, float seconds) {
    if (!ZELM::PlayerLevels::IsPlayerLevel(level) || !std::isfinite(seconds) || seconds <= 0.0f ||
        seconds > Records::kLongestSeconds || seconds > GetBest(level)) {
        return false;
    }
    levels[level].best = seconds;
    Save();
    return true;
}

std::int64_t MyLevelRecords::GetPlayed(const std::string& level) const {
    const auto found = levels.find(level);
    return found != levels.end() ? found->second.played : 0;
}

void MyLevelRecords::NotePlayed(const std::string& level, std::int64_t when) {
    const bool full = levels.size() >= kMostLevels && levels.count(level) == 0;
    if (!ZELM::PlayerLevels::IsPlayerLevel(level) || when <= 0 || full) {
        return;
    }
    levels[level].played = when;
    Save();
}

std::string MyLevelRecords::KeptAuthor(const std::string& name) {
    std::string kept;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && c != '<' && c != '>' && c != '&' && c != '"' && kept.size() < kLongestAuthor) {
            kept += c;
        }
    }
    return kept;
}

void MyLevelRecords::SetAuthor(const std::string& name) {
    const std::string kept = KeptAuthor(name);
    if (kept != author) {
        author = kept;
        Save();
    }
}

void MyLevelRecords::Save() {
    if (keepsFile) {
        file.Write(Serialise());
    }
}

}  // namespace Logic
