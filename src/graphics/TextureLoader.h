// Loads PNG files into texture assets on the graphics device.
#pragma once

#include "engine/IAssetLoader.h"
#include "utilities/Dynamic.h"

namespace Graphics {

class TextureLoader : public ZELM::IAssetLoader, public ZELM::DynamicCaller {
public:
    TextureLoader();
    // An asset holding a `Texture*`: null when the device draws nothing or the file does not decode.
    ZELM::Asset* Load(const std::string& path) override;
};

}  // namespace Graphics
