// The PNG texture loader.
#include "graphics/TextureLoader.h"

#include "engine/AssetImpl.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Texture.h"

namespace Graphics {

TextureLoader::TextureLoader() {
    SetName("Engine");
}

ZELM::Asset* TextureLoader::Load(const std::string& path) {
    Texture* texture = nullptr;
    Device* device = IsBound("GetDevice") ? Call<Device*>("GetDevice") : nullptr;
    if (device != nullptr && !device->IsNull()) {
        texture = Texture::Load(path).release();
    }
    auto* asset = new ZELM::AssetImpl<Texture*>(texture, [](Texture*& value) {
        delete value;
        value = nullptr;
    });
    asset->SetName(path);
    return asset;
}

}  // namespace Graphics
