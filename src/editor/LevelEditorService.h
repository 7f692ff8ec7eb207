// The level editor's service.
#pragma once

#include "engine/Service.h"

namespace LevelEditor {

class LevelEditorService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace LevelEditor
