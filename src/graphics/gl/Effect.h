// A compiled effect: techniques of numbered passes, with parameters set by name before a pass.
#pragma once

#include <glm/glm.hpp>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/gl/EffectSource.h"

namespace Graphics {

class Texture;

class Effect {
public:
    // Null, with the compiler's messages in `errors`, when the file is missing, malformed or any
    // stage fails to compile or link. Needs a current OpenGL context.
    static std::unique_ptr<Effect> Load(const std::string& path, std::string& errors);
    static std::unique_ptr<Effect> FromText(const std::string& text, std::string& errors);
    ~Effect();
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    bool HasTechnique(const std::string& name) const { return techniques.count(name) != 0; }
    // An unknown technique leaves the current one; false then.
    bool SetTechnique(const std::string& name);
    const std::string& GetTechnique() const { return current; }

    // Matrices go up as they are; the shaders multiply points from the left (p * M).
    void SetMatrix(const std::string& name, const glm::mat4& value);
    void SetFloat(const std::string& name, float value);
    void SetBool(const std::string& name, bool value);
    void SetVector(const std::string& name, const glm::vec4& value);
    // A raw record (material, light) as an array of floats: `uniform float NAME[count]`.
    void SetRaw(const std::string& name, const float* values, int count);
    void SetTexture(const std::string& name, const Texture* texture);
    void SetTexture(const std::string& name, unsigned textureId);

    // Begin/End bracket the passes; BeginPass uses pass `index` of the current technique and
    // uploads every parameter, CommitChanges uploads again after changes inside a pass.
    int Begin();
    void BeginPass(int index);
    void CommitChanges();
    void EndPass();
    void End();

private:
    struct Parameter {
        enum Kind { Matrix, Float, Int, Vector, Raw, Sampler } kind = Float;
        std::vector<float> values;
        unsigned texture = 0;
        // Its location in each program asked so far (-1: not used there), as (program, location).
        std::vector<std::pair<unsigned, int>> locations;
    };
    struct Program {
        unsigned id = 0;
        std::string blend;
    };

    Effect() = default;
    void Upload();
    // The parameter's location in the active program, asked of the driver once per program: a
    // lookup by name for every parameter of every draw costs more than the draw of a small mesh.
    int LocationOf(const std::string& name, Parameter& parameter);
    Parameter& Param(const std::string& name, Parameter::Kind kind);

    std::map<std::string, std::vector<Program>> techniques;
    std::map<std::string, Parameter> parameters;
    std::string current;
    const Program* active = nullptr;
};

}  // namespace Graphics
