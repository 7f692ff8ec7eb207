// The component that gives an entity its place and size, and a solidity flag with a timer.
#pragma once

#include "engine/Component.h"

namespace ZELM {

class Physical : public Component {
public:
    // Binds its methods, then its properties; loading "x", "y", "width" or "height" broadcasts the
    // value to every component of the entity that binds the matching setter.
    void Bind() override;
    // After a load, pushes the loaded place and size again: components listed after this one in
    // the file had not bound their setters yet when the values were read.
    void Init() override;
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
    // Notes the place at the start of a tick, so a frame drawn between two ticks can show the
    // entity between the two places it had.
    void KeepTickStart() {
        startX = x;
        startY = y;
        hasStart = true;
    }
    // The place to draw at `blend` between the tick's start (0) and its end (1, the place itself).
    // An entity that moved further in the tick than anything can move (a respawn, a teleport) or
    // that came into being during it is drawn where it is.
    void GetDrawnPlace(float blend, float& drawnX, float& drawnY) const;
    // Where the place, size and solidity lie, side by side: for a caller that reads them for many
    // entities in turn and asks for the next ones' ahead of time.
    const void* GetStateAddress() const { return &x; }

private:
    void OnXLoaded(const float& value);
    void OnYLoaded(const float& value);
    void OnWidthLoaded(const float& value);
    void OnHeightLoaded(const float& value);

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.5f;
    float width = 1.0f;
    float height = 1.0f;
    float length = 1.0f;
    float solidTimer = 0.0f;
    bool solid = true;
    bool loaded = false;  // set by a load, so Init knows to broadcast again
    float startX = 0.0f;
    float startY = 0.0f;
    bool hasStart = false;
};

}  // namespace ZELM
