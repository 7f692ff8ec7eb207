// The graphic component types that level and archetype files attach by name.
#pragma once

namespace Graphics {

// Enters "Cube", "Teapot", "Light", "Model", "GravityGuyGraphic", "OtherPlayer", "GhostGraphic",
// "PhazerGraphic", "Button", "Background", "GravityZone" and "Powerup" under the "Graphics"
// service, in that order (the order the editor lists them in).
void RegisterGraphicComponents();

}  // namespace Graphics
