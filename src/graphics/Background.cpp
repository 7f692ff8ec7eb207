// Drawing the background picture with the sprite object.
#include "graphics/Background.h"

#include <algorithm>

#include "engine/AssetManager.h"
#include "engine/ComponentAttachment.h"
#include "engine/Entity.h"
#include "engine/ProblemReport.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/SpriteBatch.h"
#include "graphics/gl/Texture.h"

namespace Graphics {

Background::Background() {
    engine.SetName("Engine");
}

void Background::Bind() {
    DynamicBinder::Bind("Draw", this, &Background::Draw);
    BindProperty(&textureName, "Texture", false, false);
}

void Background::Init() {
    if (ZELM::Entity* owner = GetOwner().GetIfAlive()) {
        ZELM::EnsureComponent(*owner, "Logic", "Physical");
    }
}

Background::CoverPlace Background::Cover(int width, int height, int screenWidth, int screenHeight) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const float sw = static_cast<float>(screenWidth);
    const float sh = static_cast<float>(screenHeight);
    const float scale = std::max(sw / static_cast<float>(width), sh / static_cast<float>(height));
    return {0.5f * (sw - scale * static_cast<float>(width)), 0.5f * (sh - scale * static_cast<float>(height)), scale};
}

bool Background::FirstDrawOfFrame() {
    // The graphics service draws every component before the level, after it, and into its glow
    // picture ("PostDraw"). After the level the picture would cover the blocks, and in the glow it
    // would be blurred and added over itself. Without a graphics service every call draws.
    if (!engine.IsBound("PostDraw")) {
        return true;
    }
    if (engine.Call<bool>("PostDraw")) {
        frameDone = true;
        return false;
    }
    const bool first = frameDone;
    frameDone = false;
    return first;
}

void Background::Draw() {
    if (!FirstDrawOfFrame()) {
        return;
    }
    Device* device = engine.IsBound("GetDevice") ? engine.Call<Device*>("GetDevice") : nullptr;
    SpriteBatch* sprites =
        engine.IsBound("GetSpriteObject") ? engine.Call<SpriteBatch*>("GetSpriteObject") : nullptr;
    if (device == nullptr || device->IsNull() || sprites == nullptr || !sprites->IsReady()) {
        return;
    }
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    if (!assets.Has(textureName)) {
        if (reportedMissing != textureName) {
            reportedMissing = textureName;
            ZELM_PROBLEM("Graphics::Background::Draw", "No texture \"%s\" to draw the background with!",
                         textureName.c_str());
        }
        return;
    }
    const Texture* texture = assets.Get<Texture*>(textureName);
    if (texture == nullptr) {
        return;  // loaded without a device, or a file that does not decode
    }
    const int screenWidth = engine.Call<int>("GetScreenWidth");
    const int screenHeight = engine.Call<int>("GetScreenHeight");
    const int width = texture->GetWidth();
    const int height = texture->GetHeight();
    const int whole[4] = {0, 0, width, height};
    const CoverPlace place = Cover(width, height, screenWidth, screenHeight);
    sprites->Begin(screenWidth, screenHeight);
    sprites->Draw(texture->GetId(), width, height, whole, place.left, place.top, place.scale, 0xffffffffu);
    sprites->End();
}

}  // namespace Graphics
