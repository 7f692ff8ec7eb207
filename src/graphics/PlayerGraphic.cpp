// Turning, placing and drawing a player.
#include "graphics/PlayerGraphic.h"

#include "graphics/D3DMath.h"
#include "graphics/gl/Device.h"

namespace Graphics {

PlayerGraphic::PlayerGraphic() : MeshGraphic("player.X", "playertex", "playernormal") {}

void PlayerGraphic::ReadPair(const char* xName, const char* yName, float& x, float& y) {
    x = 0.0f;
    y = 0.0f;
    // The body ("PhysicsComponent") answers; a player without one stands upright.
    if (IsBound(xName) && IsBound(yName)) {
        x = Call<float>(xName);
        y = Call<float>(yName);
    }
}

void PlayerGraphic::ReadPull(float& gx, float& gy) {
    ReadPair("GetXGravity", "GetYGravity", gx, gy);
}

void PlayerGraphic::Update(float dt) {
    float gx = 0.0f;
    float gy = 0.0f;
    ReadPull(gx, gy);
    orientation.Step(gx, gy, dt);
    World() = RotationZ(orientation.GetAngle()) * ScaleTranslate();
    if (device != nullptr) {
        device->SetTransform(Device::Transform::World, World());
    }
}

void PlayerGraphic::Draw() {
    DrawMesh(World(), InGlowPass() ? MeshLook::kFlat : MeshLook::kLit, {0, 1});
}

}  // namespace Graphics
