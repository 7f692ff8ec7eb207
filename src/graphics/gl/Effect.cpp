// Compiling effect files and setting their parameters.
#include "graphics/gl/Effect.h"

#include <epoxy/gl.h>

#include <fstream>
#include <sstream>

#include "graphics/gl/Device.h"
#include "graphics/gl/Texture.h"

namespace Graphics {
namespace {

// Every stage gets the version and the one place where depth moves from [0, 1] to OpenGL's
// [-1, 1]: effects write ToClip(p) with p computed in the row-vector convention.
const char* const kPrelude =
    "#version 330 core\n"
    "vec4 ToClip(vec4 p) { return vec4(p.x, p.y, 2.0 * p.z - p.w, p.w); }\n";

unsigned CompileStage(GLenum type, const std::string& source, const std::string& label, std::string& errors) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        errors += label + ": " + log.c_str() + "\n";
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

std::unique_ptr<Effect> Effect::Load(const std::string& path, std::string& errors) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        errors = path + ": cannot be read\n";
        return nullptr;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::unique_ptr<Effect> effect = FromText(text.str(), errors);
    if (!effect) {
        errors = path + ":\n" + errors;
    }
    return effect;
}

std::unique_ptr<Effect> Effect::FromText(const std::string& text, std::string& errors) {
    EffectSource source;
    if (!source.Parse(text, errors)) {
        return nullptr;
    }
    std::unique_ptr<Effect> effect(new Effect());
    const std::string shared = std::string(kPrelude) + source.GetShared();
    for (const auto& [name, passes] : source.GetTechniques()) {
        std::vector<Program>& programs = effect->techniques[name];
        for (const EffectPass& pass : passes) {
            const std::string label = name + " pass " + std::to_string(programs.size());
            const unsigned vertex =
                CompileStage(GL_VERTEX_SHADER, shared + source.GetVertexStages().at(pass.vertex),
                             label + " (" + pass.vertex + ")", errors);
            const unsigned fragment =
                CompileStage(GL_FRAGMENT_SHADER, shared + source.GetFragmentStages().at(pass.fragment),
                             label + " (" + pass.fragment + ")", errors);
            Program program;
            program.blend = pass.blend;
            if (vertex != 0 && fragment != 0) {
                program.id = glCreateProgram();
                glAttachShader(program.id, vertex);
                glAttachShader(program.id, fragment);
                glLinkProgram(program.id);
                GLint ok = 0;
                glGetProgramiv(program.id, GL_LINK_STATUS, &ok);
                if (!ok) {
                    char log[2048] = {};
                    glGetProgramInfoLog(program.id, sizeof(log), nullptr, log);
                    errors += label + ": " + log + "\n";
                }
            }
            if (vertex != 0)
                glDeleteShader(vertex);
            if (fragment != 0)
                glDeleteShader(fragment);
            programs.push_back(program);
        }
    }
    if (!errors.empty()) {
        return nullptr;
    }
    if (!effect->techniques.empty()) {
        effect->current = effect->techniques.begin()->first;
    }
    return effect;
}

Effect::~Effect() {
    if (!Device::HasLiveContext()) {
        return;
    }
    for (auto& [name, programs] : techniques) {
        for (Program& program : programs) {
            if (program.id != 0) {
                glDeleteProgram(program.id);
            }
        }
    }
}

bool Effect::SetTechnique(const std::string& name) {
    if (!HasTechnique(name)) {
        return false;
    }
    current = name;
    return true;
}

Effect::Parameter& Effect::Param(const std::string& name, Parameter::Kind kind) {
    Parameter& parameter = parameters[name];
    parameter.kind = kind;
    return parameter;
}

void Effect::SetMatrix(const std::string& name, const glm::mat4& value) {
    Param(name, Parameter::Matrix).values.assign(&value[0][0], &value[0][0] + 16);
}
void Effect::SetFloat(const std::string& name, float value) {
    Param(name, Parameter::Float).values = {value};
}
void Effect::SetBool(const std::string& name, bool value) {
    Param(name, Parameter::Int).values = {value ? 1.0f : 0.0f};
}
void Effect::SetVector(const std::string& name, const glm::vec4& value) {
    Param(name, Parameter::Vector).values = {value.x, value.y, value.z, value.w};
}
void Effect::SetRaw(const std::string& name, const float* values, int count) {
    Param(name, Parameter::Raw).values.assign(values, values + count);
}
void Effect::SetTexture(const std::string& name, const Texture* texture) {
    SetTexture(name, texture != nullptr ? texture->GetId() : 0u);
}
void Effect::SetTexture(const std::string& name, unsigned textureId) {
    Param(name, Parameter::Sampler).texture = textureId;
}

int Effect::Begin() {
    const auto found = techniques.find(current);
    return found == techniques.end() ? 0 : static_cast<int>(found->second.size());
}

void Effect::BeginPass(int index) {
    const auto found = techniques.find(current);
    if (found == techniques.end() || index < 0 || index >= static_cast<int>(found->second.size())) {
        active = nullptr;
        return;
    }
    active = &found->second[static_cast<std::size_t>(index)];
    glUseProgram(active->id);
    if (active->blend == "opaque") {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(active->blend == "premultiplied" ? GL_ONE : GL_SRC_ALPHA,
                    active->blend == "additive" ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    }
    Upload();
}

void Effect::CommitChanges() {
    if (active != nullptr) {
        Upload();
    }
}

void Effect::EndPass() {
    active = nullptr;
    glUseProgram(0);
    glDisable(GL_BLEND);
}

void Effect::End() {}

int Effect::LocationOf(const std::string& name, Parameter& parameter) {
    for (const auto& [program, location] : parameter.locations) {
        if (program == active->id) {
            return location;
        }
    }
    const GLint location = glGetUniformLocation(active->id, name.c_str());
    parameter.locations.emplace_back(active->id, location);
    return location;
}

void Effect::Upload() {
    int unit = 0;
    for (auto& [name, parameter] : parameters) {
        const GLint location = LocationOf(name, parameter);
        if (location < 0) {
            continue;
        }
        const GLsizei count = static_cast<GLsizei>(parameter.values.size());
        switch (parameter.kind) {
            case Parameter::Matrix:
                glUniformMatrix4fv(location, 1, GL_FALSE, parameter.values.data());
                break;
            case Parameter::Float:
                glUniform1f(location, parameter.values[0]);
                break;
            case Parameter::Int:
                glUniform1i(location, parameter.values[0] != 0.0f ? 1 : 0);
                break;
            case Parameter::Vector:
                glUniform4fv(location, 1, parameter.values.data());
                break;
            case Parameter::Raw:
                glUniform1fv(location, count, parameter.values.data());
                break;
            case Parameter::Sampler:
                glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
                glBindTexture(GL_TEXTURE_2D, parameter.texture);
                glUniform1i(location, unit);
                ++unit;
                break;
        }
    }
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace Graphics
