// Registering the graphic component types.
#include "graphics/GraphicComponents.h"

#include "engine/ComponentRegistry.h"
#include "graphics/Background.h"
#include "graphics/Button.h"
#include "graphics/GhostGraphic.h"
#include "graphics/Cube.h"
#include "graphics/GravityGuyGraphic.h"
#include "graphics/GravityZone.h"
#include "graphics/Light.h"
#include "graphics/Model.h"
#include "graphics/OtherPlayer.h"
#include "graphics/PhazerGraphic.h"
#include "graphics/Powerup.h"
#include "graphics/Teapot.h"

namespace Graphics {

void RegisterGraphicComponents() {
    ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
    registry.Register<Cube>("Graphics", "Cube");
    registry.Register<Teapot>("Graphics", "Teapot");
    registry.Register<Light>("Graphics", "Light");
    registry.Register<Model>("Graphics", "Model");
    registry.Register<GravityGuyGraphic>("Graphics", "GravityGuyGraphic");
    registry.Register<OtherPlayer>("Graphics", "OtherPlayer");
    registry.Register<GhostGraphic>("Graphics", "GhostGraphic");
    registry.Register<PhazerGraphic>("Graphics", "PhazerGraphic");
    registry.Register<Button>("Graphics", "Button");
    registry.Register<Background>("Graphics", "Background");
    registry.Register<GravityZone>("Graphics", "GravityZone");
    registry.Register<Powerup>("Graphics", "Powerup");
}

}  // namespace Graphics
