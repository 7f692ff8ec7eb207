// The local player's look: the player mesh turned by the zone it stands in, the gravity sphere
// around it, the level's light on it, and the camera following it.
#pragma once

#include "graphics/CameraLead.h"
#include "graphics/GravitySphereSpring.h"
#include "graphics/PlayerGraphic.h"

namespace Graphics {

class GravityGuyGraphic : public PlayerGraphic {
public:
    void Init() override;
    // Turns and places the player and sizes its sphere; the first player only also steps the
    // sphere's spring, moves the level's light to it and, unless debug drawing leaves the camera
    // free, points the camera at it.
    void Update(float dt) override;
    // The player, then the gravity sphere ("GravSphereTech").
    void Draw() override;

    const glm::mat4& GetSphereWorld() const { return sphereWorld; }
    // One spring for the whole program: the sphere keeps its swing from level to level.
    static GravitySphereSpring& Spring();

protected:
    // The pull of the gravity zone the player is in ("GetXGravityEffect", "GetYGravityEffect").
    void ReadPull(float& gx, float& gy) override;

private:
    void DrawSphere();
    // The first player graphic of the service is the local player: only it moves the camera and
    // the player's light, so everything in a frame is drawn with one camera.
    bool LeadsTheCamera() const;
    // The camera's target this tick: ahead of the player in its motion, inside the level's map.
    glm::vec2 LeadCamera(const glm::vec3& at, float dtMs);

    std::shared_ptr<const LoadedMesh> sphere;
    Texture* sphereTexture = nullptr;
    glm::mat4 sphereWorld{1.0f};
    float timer = 0.0f;
    CameraLead lead;  // each level's player starts with the view on it
};

}  // namespace Graphics
