// Reading the font's metrics.
#include "graphics/FontMetrics.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/ProblemReport.h"

namespace Graphics {
namespace {

FontMetrics& Shared() {
    static FontMetrics metrics;
    return metrics;
}

// A character code of the file: a byte value.
bool ReadCode(std::istringstream& in, unsigned char& code) {
    long value = -1;
    if (!(in >> value) || value < 0 || value > 255) {
        return false;
    }
    code = static_cast<unsigned char>(value);
    return true;
}

bool ReadUnits(std::istringstream& in, float lowest, float highest, float& units) {
    double value = 0.0;
    if (!(in >> value) || !std::isfinite(value) || value < lowest || value > highest) {
        return false;
    }
    units = static_cast<float>(value);
    return true;
}

}  // namespace

FontMetrics::FontMetrics() {
    advances.fill(kDefaultAdvance);
}

float FontMetrics::Kerning(char left, char right) const {
    if (kerning.empty()) {
        return 0.0f;
    }
    const auto found = kerning.find({static_cast<unsigned char>(left), static_cast<unsigned char>(right)});
    return found == kerning.end() ? 0.0f : found->second;
}

bool FontMetrics::ReadLine(const std::string& line, std::string& problem) {
    std::istringstream in(line);
    std::string kind;
    in >> kind;
    unsigned char left = 0;
    unsigned char right = 0;
    float units = 0.0f;
    std::string rest;
    if (kind == "advance") {
        if (!ReadCode(in, left) || !ReadUnits(in, 0.0f, kLargestAdvance, units) || (in >> rest)) {
            problem = "an advance needs a character code (0 to 255) and 0 to 20 units";
            return false;
        }
        advances[left] = units;
        given[left] = true;
        return true;
    }
    if (kind == "kern") {
        if (!ReadCode(in, left) || !ReadCode(in, right) ||
            !ReadUnits(in, -kLargestKerning, kLargestKerning, units) || (in >> rest)) {
            problem = "a kerning needs two character codes (0 to 255) and -5 to 5 units";
            return false;
        }
        kerning[{left, right}] = units;
        return true;
    }
    problem = "\"" + kind + "\" is neither an advance nor a kerning";
    return false;
}

FontMetrics FontMetrics::Parse(const std::string& text, std::vector<std::string>& problems) {
    FontMetrics metrics;
    std::istringstream lines(text);
    std::string line;
    std::size_t number = 0;
    while (std::getline(lines, line)) {
        if (++number > kMostLines) {
            problems.push_back("it has more than " + std::to_string(kMostLines) + " lines; the rest is not read");
            break;
        }
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        std::string problem;
        if (!metrics.ReadLine(line, problem)) {
            problems.push_back("line " + std::to_string(number) + ": " + problem);
        }
    }
    std::string missing;
    for (const char* c = kGlyphs; *c != '\0'; ++c) {
        if (!metrics.given[static_cast<unsigned char>(*c)]) {
            missing += *c == ' ' ? std::string("space") : std::string(1, *c);
            missing += ' ';
        }
    }
    if (!missing.empty()) {
        problems.push_back("no advance for " + missing + "(a whole cell each)");
    }
    return metrics;
}

void FontMetrics::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> problems;
    if (!in.is_open()) {
        problems.push_back("the file cannot be read");
    }
    Use(Parse(text, problems));
    std::string told;
    for (std::size_t i = 0; i < problems.size() && i < 5; ++i) {
        told += "\n  " + problems[i];
    }
    if (problems.size() > 5) {
        told += "\n  and " + std::to_string(problems.size() - 5) + " more";
    }
    if (!problems.empty()) {
        ZELM_PROBLEM("Graphics::FontMetrics::Load",
                     "The font metrics \"%s\" are damaged; text is laid out with what could be read:%s",
                     path.c_str(), told.c_str());
    }
}

const FontMetrics& FontMetrics::Current() {
    return Shared();
}

void FontMetrics::Use(const FontMetrics& metrics) {
    Shared() = metrics;
}

}  // namespace Graphics
