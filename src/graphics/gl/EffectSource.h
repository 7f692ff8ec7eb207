// An effect file read into its parts: shared GLSL, named shader stages, and techniques of numbered passes.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Graphics {

// The file format, line by line:
//   @shared                       GLSL seen by every stage (uniforms, helpers)
//   @vertex NAME / @fragment NAME  one stage's GLSL (with a main)
//   @technique NAME                followed by lines "pass N VERTEX FRAGMENT [BLEND]", the blend
//                                  one of opaque (the default), alpha, additive and premultiplied
// "premultiplied" blends a colour already multiplied by its alpha, which also sums the alphas of
// a picture drawn into a transparent target the way they will cover the screen later.
// Lines before the first section and lines starting with "//" inside techniques are ignored.
struct EffectPass {
    std::string vertex;
    std::string fragment;
    std::string blend = "opaque";
};

class EffectSource {
public:
    // False with `errors` (one line per fault, with the line number) when the text does not form
    // an effect: unknown sections, passes naming missing stages or out of order.
    bool Parse(const std::string& text, std::string& errors);

    const std::string& GetShared() const { return shared; }
    const std::map<std::string, std::string>& GetVertexStages() const { return vertexStages; }
    const std::map<std::string, std::string>& GetFragmentStages() const { return fragmentStages; }
    const std::map<std::string, std::vector<EffectPass>>& GetTechniques() const { return techniques; }

private:
    std::string shared;
    std::map<std::string, std::string> vertexStages;
    std::map<std::string, std::string> fragmentStages;
    std::map<std::string, std::vector<EffectPass>> techniques;
};

}  // namespace Graphics
