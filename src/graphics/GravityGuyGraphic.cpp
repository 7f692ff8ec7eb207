// The local player: its light, its gravity sphere and the camera.
#include "graphics/GravityGuyGraphic.h"

#include "engine/LevelMap.h"
#include "engine/Service.h"
#include "graphics/D3DMath.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"

namespace Graphics {

GravitySphereSpring& GravityGuyGraphic::Spring() {
    static GravitySphereSpring spring;
    return spring;
}

void GravityGuyGraphic::Init() {
    PlayerGraphic::Init();
    sphere = MeshLibrary::Load("gsphere.x", device != nullptr && !device->IsNull());
    sphereTexture = FindTexture("gravspheretex");
}

void GravityGuyGraphic::ReadPull(float& gx, float& gy) {
    ReadPair("GetXGravityEffect", "GetYGravityEffect", gx, gy);
}

void GravityGuyGraphic::Update(float dt) {
    PlayerGraphic::Update(dt);
    const glm::vec3 at = Position();
    if (!engine.IsBound("GetDebugDraw")) {
        return;  // no graphics service: no light, sphere radius or camera to drive
    }
    // A second player (placed in the editor) keeps its sphere, but the spring, the light and the
    // camera stay the first one's.
    const bool leads = LeadsTheCamera();
    GravitySphereSpring& spring = Spring();
    if (leads) {
        engine.Call("SetP1Light", at);
        float gx = 0.0f;
        float gy = 0.0f;
        ReadPair("GetXGravity", "GetYGravity", gx, gy);
        spring.Step(gx, gy);
    }
    const float size = 2.0f * engine.Call<float>("GetGravRadius") * spring.Swell();
    sphereWorld = Scaling(size, size, size) * Translation(at.x, at.y, at.z);

    // With debug drawing on, W/A/S/D pan a free camera instead.
    if (leads && !engine.Call<bool>("GetDebugDraw")) {
        const glm::vec2 target = LeadCamera(at, dt);
        engine.Call("SetCamTargetX", target.x);
        engine.Call("SetCamTargetY", target.y);
    }
}

glm::vec2 GravityGuyGraphic::LeadCamera(const glm::vec3& at, float dtMs) {
    glm::vec2 velocity(0.0f);
    ReadPair("GetXVelocity", "GetYVelocity", velocity.x, velocity.y);
    CameraLead::Bounds bounds;
    const ZELM::LevelMap* map =
        engine.IsBound("GetLevelMap") ? engine.Call<ZELM::LevelMap*>("GetLevelMap") : nullptr;
    const bool bounded = map != nullptr && map->IsLoaded();
    if (bounded) {
        // A tile (x, y) fills x..x+1 and y..y+1.
        bounds = {static_cast<float>(map->GetMinX()), static_cast<float>(map->GetMinY()),
                  static_cast<float>(map->GetMaxX()) + 1.0f, static_cast<float>(map->GetMaxY()) + 1.0f};
    }
    return lead.Step(glm::vec2(at.x, at.y), velocity, dtMs, bounded ? &bounds : nullptr);
}

bool GravityGuyGraphic::LeadsTheCamera() const {
    const ZELM::Service* graphics = GetParentService();
    if (graphics == nullptr) {
        return true;
    }
    for (const ZELM::Component* component : graphics->GetComponents()) {
        if (component->GetTypeName() == GetTypeName()) {
            return component == this;
        }
    }
    return true;
}

void GravityGuyGraphic::Draw() {
    PlayerGraphic::Draw();
    DrawSphere();
}

void GravityGuyGraphic::DrawSphere() {
    timer += 0.01f;
    if (Spring().Swell() <= 0.0f) {
        return;  // shrunk away
    }
    LevelRenderer* level = LevelDrawing();
    Effect* effect = level != nullptr ? level->GetEffect() : nullptr;
    if (sphere == nullptr || sphere->onDevice == nullptr || effect == nullptr ||
        !effect->SetTechnique("GravSphereTech")) {
        return;
    }
    const GravitySphereSpring& spring = Spring();
    const LevelLighting lighting = Lighting();
    effect->SetMatrix("gWVP", Shifted(sphereWorld) * lighting.viewProj);
    effect->SetTexture("gTex", sphereTexture);
    effect->SetFloat("intensity", lighting.intensity);
    effect->SetFloat("timer", timer);
    effect->SetFloat("xgrav", spring.su);
    effect->SetFloat("ygrav", spring.sv);
    effect->SetFloat("gwidth", spring.u);
    effect->SetFloat("gheight", spring.v);
    // A see-through skin: everything behind it and everything drawn after it stays in view.
    device->SetDepthWrite(false);
    effect->Begin();
    effect->BeginPass(0);
    sphere->onDevice->Draw();
    effect->EndPass();
    effect->End();
    device->SetDepthWrite(true);
}

}  // namespace Graphics
