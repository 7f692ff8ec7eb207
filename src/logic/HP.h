// A hit-point counter.
#pragma once

#include "engine/Component.h"

namespace Logic {

class HP : public ZELM::Component {
public:
    static constexpr int kStartingHP = 240;

    void Bind() override;
    // Every entity starts with full hit points, whatever its file says.
    void Init() override { hp = kStartingHP; }
    void Update(float) override {}

    int GetHP() { return hp; }
    void SetHP(int value) { hp = value; }

private:
    int hp = kStartingHP;
};

}  // namespace Logic
