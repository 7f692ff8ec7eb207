// The look shared by every player on screen: the player mesh (body and face), turned so its feet
// point the way gravity pulls it, glowing flat in the frame's glow pass.
#pragma once

#include "graphics/MeshGraphic.h"
#include "graphics/PlayerOrientation.h"

namespace Graphics {

class PlayerGraphic : public MeshGraphic {
public:
    PlayerGraphic();

    // Turns toward the pull, places the mesh and hands its matrix to the device as the world transform.
    void Update(float dt) override;
    // Body, then face; flat in the glow pass.
    void Draw() override;

    float GetAngle() const { return orientation.GetAngle(); }

protected:
    // The way gravity pulls the player, read from its body; (0, 0) without one.
    virtual void ReadPull(float& gx, float& gy);
    // Reads a pair of the body's values by name, or leaves them 0 when the entity has no body.
    void ReadPair(const char* xName, const char* yName, float& x, float& y);

private:
    PlayerOrientation orientation;
};

}  // namespace Graphics
