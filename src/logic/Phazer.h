// The character who turns non-solid while SPACE is held, and so passes through blue blocks.
#pragma once

#include "logic/GameComponent.h"

namespace Logic {

class Phazer : public GameComponent {
public:
    void Bind() override;
    // Makes sure the entity has a "PlayerMovement".
    void Init() override;
    // Holds the body non-solid while phasing; afterwards lets its solid timer run out at once.
    void Update(float dt) override;

private:
    bool disablePlayer = false;
};

}  // namespace Logic
