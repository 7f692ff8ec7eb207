// The light component's place and colour.
#include "graphics/Light.h"

#include "engine/ComponentAttachment.h"
#include "engine/Entity.h"

namespace Graphics {

void Light::Bind() {
    DynamicBinder::Bind("GetLightInst", this, &Light::GetLightInst);
    BindProperty(&red, "Red Diffuse", false, false);
    BindProperty(&green, "Green Diffuse", false, false);
    BindProperty(&blue, "Blue Diffuse", false, false);
}

void Light::Init() {
    if (ZELM::Entity* owner = GetOwner().GetIfAlive()) {
        ZELM::EnsureComponent(*owner, "Logic", "Physical");
    }
}

LightInst Light::GetLightInst() {
    return {Call<float>("GetX"), Call<float>("GetY"), Call<float>("GetZ")};
}

}  // namespace Graphics
