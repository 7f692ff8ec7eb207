// Drawing a gravity zone's field.
#include "graphics/GravityZone.h"

#include "graphics/D3DMath.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"

namespace Graphics {

void GravityZone::Draw() {
    if (engine.IsBound("PostDraw")) {
        // The frame draws components before the level, after it, then into the glow.
        if (InGlowPass()) {
            drawsThisFrame = 0;
            return;
        }
        if (++drawsThisFrame != 2) {
            return;
        }
    }
    timer += 0.01f;
    float gx = 0.0f;
    float gy = 0.0f;
    if (IsBound("GetXGravityZoneEffect") && IsBound("GetYGravityZoneEffect")) {
        gx = Call<float>("GetXGravityZoneEffect");
        gy = Call<float>("GetYGravityZoneEffect");
    }
    CountDraw();
    LevelRenderer* level = LevelDrawing();
    Effect* effect = level != nullptr ? level->GetEffect() : nullptr;
    if (mesh == nullptr || mesh->onDevice == nullptr || effect == nullptr ||
        !effect->SetTechnique("GravTech")) {
        return;
    }
    const LevelLighting lighting = Lighting();
    const glm::mat4& world = GetWorld();
    effect->SetMatrix("gWVP", world * lighting.viewProj);
    effect->SetTexture("gTex", colour);
    effect->SetTexture("gNormalMap", normal);
    effect->SetFloat("intensity", lighting.intensity);
    effect->SetFloat("timer", timer);
    effect->SetFloat("xgrav", gx);
    effect->SetFloat("ygrav", gy);
    // The field's size, so its chevrons stay one unit apart however large the zone.
    effect->SetFloat("gwidth", At(world, 1, 1));
    effect->SetFloat("gheight", At(world, 2, 2));
    device->SetDepthWrite(false);
    effect->Begin();
    effect->BeginPass(0);
    mesh->onDevice->Draw();
    effect->EndPass();
    effect->End();
    device->SetDepthWrite(true);
}

}  // namespace Graphics
