// A picture drawn behind the level, filling the window: the splash and the menus. It keeps its
// shape, scaled to cover the window and cropped evenly where the window's shape differs, so no
// black frame shows round it and nothing is stretched.
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

    // Where a picture of that size is drawn to cover the screen: its top-left corner and its scale.
    struct CoverPlace {
        float left = 0.0f;
        float top = 0.0f;
        float scale = 1.0f;
    };
    static CoverPlace Cover(int width, int height, int screenWidth, int screenHeight);

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
