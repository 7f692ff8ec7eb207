// A component that carries a string and nothing else; the base of the game's screens.
#pragma once

#include <string>

#include "engine/Component.h"

namespace ZELM {

class Domain : public Component {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}

protected:
    std::string domain;
};

}  // namespace ZELM
