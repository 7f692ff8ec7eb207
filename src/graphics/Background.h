// A picture drawn behind the level at its own size, centred in the window: the splash and the menus.
#pragma once

#include <string>

#include "engine/Component.h"

namespace Graphics {

class Background : public ZELM::Component {
public:
    Background();

    void Bind() override;
    // Gives the entity a place ("Physical") when it has none.
    void Init() override;
    void Update(float /*dt*/) override {}

    // Draws the picture once a frame, in the frame's first component pass, so the level draws over
    // it; it stays out of the glow picture. Headless, or without the texture, it draws nothing.
    void Draw();

    const std::string& GetTextureName() const { return textureName; }

private:
    // Whether this "Draw" is the first of the frame's passes that draw the picture.
    bool FirstDrawOfFrame();

    // Calls on "Engine": the graphics service.
    ZELM::DynamicCaller engine;
    std::string textureName = "kvsplash";
    std::string reportedMissing;  // a texture name already reported, so a bad name is told once
    bool frameDone = true;        // the last "Draw" was the glow pass's (or none came yet)
};

}  // namespace Graphics
