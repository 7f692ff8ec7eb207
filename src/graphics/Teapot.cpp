// The emblem's lean and spin.
#include "graphics/Teapot.h"

#include "graphics/D3DMath.h"

namespace Graphics {
namespace {

// How far the cursor is from the window's middle, -1 to 1 across each axis; 0 without a mouse.
void CursorOffset(ZELM::DynamicCaller& engine, float& x, float& y) {
    x = 0.0f;
    y = 0.0f;
    if (!engine.IsBound("xMouse") || !engine.IsBound("GetScreenWidth")) {
        return;
    }
    const float width = static_cast<float>(engine.Call<int>("GetScreenWidth"));
    const float height = static_cast<float>(engine.Call<int>("GetScreenHeight"));
    if (width > 0.0f && height > 0.0f) {
        x = 2.0f * static_cast<float>(engine.Call<int>("xMouse")) / width - 1.0f;
        y = 2.0f * static_cast<float>(engine.Call<int>("yMouse")) / height - 1.0f;
    }
}

}  // namespace

void Teapot::Update(float dt) {
    float x = 0.0f;
    float y = 0.0f;
    CursorOffset(engine, x, y);
    // The face (toward -z) turns toward the cursor: right of the middle turns it right, below tips it down.
    World() = RotationY(spin - 0.5f * x) * RotationX(-0.3f * y) * ScaleTranslate();
    picked = MouseOverMesh(World());
    if (picked) {
        spin += dt * 0.004f;  // about two thirds of a turn a second
    }
}

}  // namespace Graphics
