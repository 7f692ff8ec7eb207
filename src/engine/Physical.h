// The component that gives an entity its place and size, and a solidity flag with a timer.
#pragma once

#include "engine/Component.h"

namespace ZELM {

class Physical : public Component {
public:
    // Binds its methods, then its properties; loading "x", "y", "width" or "height" broadcasts the
    // value to every component of the entity that binds the matching setter.
    void Bind() override;
    void Init() override {}
    // While not solid, the solid timer counts seconds down (past zero, until "SetSolid" again).
    void Update(float dt) override;

    void SetX(const float& value) { x = value; }
    void SetY(const float& value) { y = value; }
    void SetZ(const float& value) { z = value; }
    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetZ() const { return z; }
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    float GetLength() const { return length; }
    void SetWidth(const float& value) { width = value; }
    void SetHeight(const float& value) { height = value; }
    void SetLength(const float& value) { length = value; }
    void SetSolid(bool isSolid, float timer);
    bool IsSolid() const { return solid; }
    float GetSolidTimer() const { return solidTimer; }

private:
    void OnXLoaded(const float& value) { CallAll("SetX", value); }
    void OnYLoaded(const float& value) { CallAll("SetY", value); }
    void OnWidthLoaded(const float& value) { CallAll("SetWidth", value); }
    void OnHeightLoaded(const float& value) { CallAll("SetHeight", value); }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.5f;
    float width = 1.0f;
    float height = 1.0f;
    float length = 1.0f;
    float solidTimer = 0.0f;
    bool solid = true;
};

}  // namespace ZELM
