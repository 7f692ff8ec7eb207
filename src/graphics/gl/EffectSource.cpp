// Reading effect files.
#include "graphics/gl/EffectSource.h"

#include <sstream>

namespace Graphics {

bool EffectSource::Parse(const std::string& text, std::string& errors) {
    enum class Section { None, Shared, Vertex, Fragment, Technique };
    Section section = Section::None;
    std::string name;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    errors.clear();
    auto fault = [&](const std::string& message) {
        errors += "line " + std::to_string(number) + ": " + message + "\n";
    };
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] == '@') {
            std::istringstream header(line.substr(1));
            std::string kind;
            header >> kind;
            name.clear();
            header >> name;
            if (kind == "shared") {
                section = Section::Shared;
            } else if ((kind == "vertex" || kind == "fragment" || kind == "technique") && !name.empty()) {
                section = kind == "vertex"     ? Section::Vertex
                          : kind == "fragment" ? Section::Fragment
                                               : Section::Technique;
                if (section == Section::Technique) {
                    techniques[name];
                }
            } else {
                fault("unknown section \"" + line + "\"");
                section = Section::None;
            }
            continue;
        }
        // Keeping line breaks keeps the compiler's line numbers near the file's.
        switch (section) {
            case Section::None:
                break;
            case Section::Shared:
                shared += line + "\n";
                break;
            case Section::Vertex:
                vertexStages[name] += line + "\n";
                break;
            case Section::Fragment:
                fragmentStages[name] += line + "\n";
                break;
            case Section::Technique: {
                std::istringstream words(line);
                std::string word;
                if (!(words >> word) || word.rfind("//", 0) == 0) {
                    break;
                }
                EffectPass pass;
                int index = -1;
                if (word != "pass" || !(words >> index >> pass.vertex >> pass.fragment)) {
                    fault("expected \"pass N VERTEX FRAGMENT\"");
                    break;
                }
                words >> pass.blend;
                std::vector<EffectPass>& passes = techniques[name];
                if (index != static_cast<int>(passes.size())) {
                    fault("pass " + std::to_string(index) + " out of order in technique " + name);
                    break;
                }
                if (pass.blend != "opaque" && pass.blend != "alpha" && pass.blend != "additive" &&
                    pass.blend != "premultiplied") {
                    fault("unknown blend \"" + pass.blend + "\"");
                    break;
                }
                passes.push_back(pass);
                break;
            }
        }
    }
    for (const auto& [technique, passes] : techniques) {
        for (const EffectPass& pass : passes) {
            if (vertexStages.count(pass.vertex) == 0) {
                errors += technique + ": no vertex stage \"" + pass.vertex + "\"\n";
            }
            if (fragmentStages.count(pass.fragment) == 0) {
                errors += technique + ": no fragment stage \"" + pass.fragment + "\"\n";
            }
        }
    }
    return errors.empty();
}

}  // namespace Graphics
