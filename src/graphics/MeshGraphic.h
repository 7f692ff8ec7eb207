// What every graphic component with a mesh shares: a place and size read from the entity's
// "Physical", a mesh with its two textures, the level effect's mesh routine to draw with, picking
// with the mouse, and the bound "IsPicked", "IsShaded", "Draw" and property "Shaded".
#pragma once

#include <glm/glm.hpp>
#include <initializer_list>
#include <memory>
#include <string>

#include "engine/Component.h"
#include "graphics/LevelRenderer.h"
#include "graphics/MeshLibrary.h"

namespace Graphics {

class Device;
class Texture;

class MeshGraphic : public ZELM::Component {
public:
    // The mesh file (in the meshes directory) and the colour and normal textures by asset name
    // ("" for none; the mesh's own textures are its materials').
    MeshGraphic(std::string meshFile, std::string colourName, std::string normalName);

    void Bind() override;
    // Gives the entity a "Physical" when it has none, and takes the device, the mesh and the textures.
    void Init() override;
    // World = scaling by the entity's size x translation to its place.
    void Update(float dt) override;

    // Draws the mesh with the level effect: normal-mapped, or flat where the type glows flat.
    virtual void Draw();
    bool IsPicked() { return picked; }
    bool IsShaded() { return shaded; }

    const glm::mat4& GetWorld() { return World(); }
    // How far from where it stands the next draw shows the component: where its entity was at the
    // frame's moment between two ticks. Set around each draw by the graphics service.
    void SetDrawShift(const glm::vec3& shift) { drawShift = shift; }
    // The mesh draws this component has made (or, without a device, would have made).
    int GetDrawCount() const { return drawCount; }
    const LoadedMesh* GetMesh() const { return mesh.get(); }

protected:
    // The draw's world: `at` moved by the draw shift.
    glm::mat4 Shifted(const glm::mat4& at) const;
    // The matrix the component draws with; a type may keep it elsewhere.
    virtual glm::mat4& World() { return world; }
    glm::vec3 Position();
    // Scaling ("GetWidth", "GetHeight", "GetLength") x translation ("GetX", "GetY", "GetZ").
    glm::mat4 ScaleTranslate();
    // Whether the frame is in its glow pass; false without a graphics service.
    bool InGlowPass();
    // The frame's camera and lights, read from the graphics service.
    LevelLighting Lighting();
    LevelRenderer* LevelDrawing();
    // The mesh routine: sets the level effect up for `at`, draws the listed materials (every
    // subset when none is listed) and ends the pass. Counted even when nothing can be drawn.
    void DrawMesh(const glm::mat4& at, MeshLook look, std::initializer_list<int> materials = {});
    // Counts a draw of a type that draws with its own technique.
    void CountDraw() { ++drawCount; }
    // Whether the mouse ray meets the mesh placed by `at`; false without a mouse or a camera.
    bool MouseOverMesh(const glm::mat4& at);
    // The texture asset by name, or null (not loaded, or loaded without a device).
    static Texture* FindTexture(const std::string& name);

    // Calls on "Engine": the graphics and input services.
    ZELM::DynamicCaller engine;
    Device* device = nullptr;
    std::shared_ptr<const LoadedMesh> mesh;
    Texture* colour = nullptr;
    Texture* normal = nullptr;
    bool shaded = true;
    bool picked = false;

private:
    std::string meshFile;
    std::string colourName;
    std::string normalName;
    glm::mat4 world{1.0f};
    glm::vec3 drawShift{0.0f};
    int drawCount = 0;
};

}  // namespace Graphics
