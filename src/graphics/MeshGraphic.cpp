// The shared part of the mesh components: place, mesh, textures, drawing and picking.
#include "graphics/MeshGraphic.h"

#include <utility>

#include "engine/AssetManager.h"
#include "engine/ComponentAttachment.h"
#include "engine/Entity.h"
#include "graphics/D3DMath.h"
#include "graphics/RayPick.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Texture.h"

namespace Graphics {

MeshGraphic::MeshGraphic(std::string meshFile, std::string colourName, std::string normalName)
    : meshFile(std::move(meshFile)), colourName(std::move(colourName)), normalName(std::move(normalName)) {
    engine.SetName("Engine");
}

void MeshGraphic::Bind() {
    DynamicBinder::Bind("IsPicked", this, &MeshGraphic::IsPicked);
    DynamicBinder::Bind("IsShaded", this, &MeshGraphic::IsShaded);
    DynamicBinder::Bind("Draw", this, &MeshGraphic::Draw);
    BindProperty(&shaded, "Shaded", false, false);
}

void MeshGraphic::Init() {
    if (ZELM::Entity* owner = GetOwner().GetIfAlive()) {
        ZELM::EnsureComponent(*owner, "Logic", "Physical");
    }
    device = engine.IsBound("GetDevice") ? engine.Call<Device*>("GetDevice") : nullptr;
    mesh = MeshLibrary::Load(meshFile, device != nullptr && !device->IsNull());
    colour = FindTexture(colourName);
    normal = FindTexture(normalName);
}

Texture* MeshGraphic::FindTexture(const std::string& name) {
    // Textures are optional art: one that is missing leaves the mesh untextured, without a report.
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    return !name.empty() && assets.Has(name) ? assets.Get<Texture*>(name) : nullptr;
}

void MeshGraphic::Update(float /*dt*/) {
    World() = ScaleTranslate();
}

glm::vec3 MeshGraphic::Position() {
    if (!IsBound("GetX")) {
        return glm::vec3(0.0f, 0.0f, 0.5f);  // no place (yet): where a new "Physical" stands
    }
    return {Call<float>("GetX"), Call<float>("GetY"), Call<float>("GetZ")};
}

glm::mat4 MeshGraphic::ScaleTranslate() {
    const glm::vec3 at = Position();
    if (!IsBound("GetWidth")) {
        return Translation(at.x, at.y, at.z);
    }
    return Scaling(Call<float>("GetWidth"), Call<float>("GetHeight"), Call<float>("GetLength")) *
           Translation(at.x, at.y, at.z);
}

bool MeshGraphic::InGlowPass() {
    return engine.IsBound("PostDraw") && engine.Call<bool>("PostDraw");
}

LevelRenderer* MeshGraphic::LevelDrawing() {
    return engine.IsBound("GetLevelDrawing") ? engine.Call<LevelRenderer*>("GetLevelDrawing") : nullptr;
}

LevelLighting MeshGraphic::Lighting() {
    LevelLighting lighting;
    if (engine.IsBound("GetViewProj")) {
        lighting.viewProj = engine.Call<glm::mat4>("GetViewProj");
        lighting.eye = engine.Call<glm::vec3>("GetCamPos");
        lighting.playerLight = engine.Call<glm::vec3>("GetP1Light");
        lighting.intensity = engine.Call<float>("GetShownIntensity");
    }
    return lighting;
}

glm::mat4 MeshGraphic::Shifted(const glm::mat4& at) const {
    if (drawShift == glm::vec3(0.0f)) {
        return at;
    }
    return at * Translation(drawShift.x, drawShift.y, drawShift.z);
}

void MeshGraphic::DrawMesh(const glm::mat4& at, MeshLook look, std::initializer_list<int> materials) {
    CountDraw();
    LevelRenderer* level = LevelDrawing();
    if (mesh == nullptr || mesh->onDevice == nullptr || level == nullptr ||
        !level->BeginMeshDraw(Lighting(), Shifted(at), colour, normal, look)) {
        return;
    }
    if (materials.size() == 0) {
        mesh->onDevice->Draw();
    }
    for (const int material : materials) {
        mesh->onDevice->DrawSubset(material);
    }
    level->EndMeshDraw();
}

void MeshGraphic::Draw() {
    DrawMesh(World(), MeshLook::kLit);
}

bool MeshGraphic::MouseOverMesh(const glm::mat4& at) {
    if (mesh == nullptr || device == nullptr || !engine.IsBound("xMouse") ||
        !engine.IsBound("GetScreenWidth")) {
        return false;
    }
    Ray ray;
    if (!RayThroughPixel(engine.Call<int>("xMouse"), engine.Call<int>("yMouse"),
                         engine.Call<int>("GetScreenWidth"), engine.Call<int>("GetScreenHeight"),
                         device->GetTransform(Device::Transform::Projection),
                         device->GetTransform(Device::Transform::View), ray)) {
        return false;
    }
    return RayHitsTriangles(RayInMeshSpace(ray, at), mesh->vertices, mesh->indices);
}

}  // namespace Graphics
