// The graphics service's bindings, start-up, frame and presentation.
#include "graphics/GraphicsService.h"

#include <SDL.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "engine/AssetManager.h"
#include "engine/Component.h"
#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Physical.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/PathTable.h"
#include "graphics/BlockMaterials.h"
#include "graphics/D3DMath.h"
#include "graphics/Dust.h"
#include "graphics/GraphicComponents.h"
#include "graphics/LevelRenderer.h"
#include "graphics/MeshGraphic.h"
#include "graphics/PhaseSplash.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/Mesh.h"
#include "graphics/gl/RenderTarget.h"
#include "graphics/gl/SpriteBatch.h"
#include "graphics/gl/Texture.h"
#include "windows/WindowHandles.h"

namespace Graphics {
namespace {

constexpr float kFrameFov = 1.3962634f;   // 80 degrees
constexpr float kResetFov = 0.78539816f;  // 45 degrees
constexpr int kSplashParticles = 100;
constexpr int kDustParticles = 1000;
// The glow picture and its blur are made at a fraction of the screen's size and stretched over it
// by the linear filter in the composite: the blur is soft anyway, and at full size its 25 taps per
// pixel cost a software renderer more than the rest of the frame together.
constexpr int kGlowDivisor = 4;
// How far, in glow texels, light reaches from a glowing texel into the frame: the blur's outer taps
// lie 2 x 3 screen pixels (1.5 texels) out and filter one texel further, and the stretch over the
// screen filters one more; one spare.
constexpr int kGlowReach = 5;
// Dark and translucent: the level still shows through a text panel and around an open menu.
constexpr std::uint32_t kPanel = 0xa8000000u;
constexpr std::uint32_t kMenuDim = 0x99000000u;

float MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<float, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

GraphicsService::GraphicsService(bool headless)
    : headless(headless), level(std::make_unique<LevelRenderer>()) {
    messageBox = [](const std::string& title, const std::string& body) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), body.c_str(), Windows::windowHandle);
    };
}

// The device goes last: every resource above it frees itself on its context.
GraphicsService::~GraphicsService() {
    if (tweakBars) {
        TwTerminate();
    }
    white.reset();
    font.reset();
    textPicture = TextPicture();
    dust.reset();
    for (std::unique_ptr<PhaseSplash>& splash : splashSystems) {
        splash.reset();
    }
    renderTarget2.reset();
    renderTarget1.reset();
    sprites.reset();
    level.reset();
    shader.reset();
    device.reset();
}

void GraphicsService::Bind() {
    ZELM::DynamicBinder::Bind("Present", this, &GraphicsService::Present);
    ZELM::DynamicBinder::Bind("ResetDevice", this, &GraphicsService::ResetDevice);
    ZELM::DynamicBinder::Bind("GetDevice", this, &GraphicsService::GetDevice);
    ZELM::DynamicBinder::Bind("GetCamTransform", this, &GraphicsService::GetCamTransform);
    ZELM::DynamicBinder::Bind("GetCamRadius", this, &GraphicsService::GetCamRadius);
    ZELM::DynamicBinder::Bind("GetCamTargetX", this, &GraphicsService::GetCamTargetX);
    ZELM::DynamicBinder::Bind("GetCamTargetY", this, &GraphicsService::GetCamTargetY);
    ZELM::DynamicBinder::Bind("GetDebugDraw", this, &GraphicsService::GetDebugDraw);
    ZELM::DynamicBinder::Bind("SetCamTargetX", this, &GraphicsService::SetCamTargetX);
    ZELM::DynamicBinder::Bind("SetCamTargetY", this, &GraphicsService::SetCamTargetY);
    ZELM::DynamicBinder::Bind("SetCamOffsetX", this, &GraphicsService::SetCamOffsetX);
    ZELM::DynamicBinder::Bind("SetCamOffsetY", this, &GraphicsService::SetCamOffsetY);
    ZELM::DynamicBinder::Bind("SetCamDistance", this, &GraphicsService::SetCamDistance);
    ZELM::DynamicBinder::Bind("AddLightInst", this, &GraphicsService::AddLightInst);
    ZELM::DynamicBinder::Bind("InFrustum", this, &GraphicsService::InFrustum);
    ZELM::DynamicBinder::Bind("AddText", this, &GraphicsService::AddText);
    ZELM::DynamicBinder::Bind("GetViewProj", this, &GraphicsService::GetViewProj);
    ZELM::DynamicBinder::Bind("UpdatePlayerCam", this, &GraphicsService::UpdatePlayerCam);
    ZELM::DynamicBinder::Bind("ResetCamera", this, &GraphicsService::ResetCamera);
    ZELM::DynamicBinder::Bind("GetSpriteObject", this, &GraphicsService::GetSpriteObject);
    ZELM::DynamicBinder::Bind("SetLevelDrawingPointer", this, &GraphicsService::SetLevelDrawingPointer);
    ZELM::DynamicBinder::Bind("GetCamPos", this, &GraphicsService::GetCamPos);
    ZELM::DynamicBinder::Bind("GetScreenHeight", this, &GraphicsService::GetScreenHeight);
    ZELM::DynamicBinder::Bind("GetScreenWidth", this, &GraphicsService::GetScreenWidth);
    ZELM::DynamicBinder::Bind("SetP1Light", this, &GraphicsService::SetP1Light);
    ZELM::DynamicBinder::Bind("GetP1Light", this, &GraphicsService::GetP1Light);
    ZELM::DynamicBinder::Bind("SetIntensity", this, &GraphicsService::SetIntensity);
    ZELM::DynamicBinder::Bind("GetIntensity", this, &GraphicsService::GetIntensity);
    ZELM::DynamicBinder::Bind("SplashUp", this, &GraphicsService::SplashUp);
    ZELM::DynamicBinder::Bind("SplashDown", this, &GraphicsService::SplashDown);
    ZELM::DynamicBinder::Bind("SplashLeft", this, &GraphicsService::SplashLeft);
    ZELM::DynamicBinder::Bind("SplashRight", this, &GraphicsService::SplashRight);
    ZELM::DynamicBinder::Bind("SplashUpRed", this, &GraphicsService::SplashUpRed);
    ZELM::DynamicBinder::Bind("SplashDownRed", this, &GraphicsService::SplashDownRed);
    ZELM::DynamicBinder::Bind("SplashLeftRed", this, &GraphicsService::SplashLeftRed);
    ZELM::DynamicBinder::Bind("SplashRightRed", this, &GraphicsService::SplashRightRed);
    ZELM::DynamicBinder::Bind("SplashUpGreen", this, &GraphicsService::SplashUpGreen);
    ZELM::DynamicBinder::Bind("SplashDownGreen", this, &GraphicsService::SplashDownGreen);
    ZELM::DynamicBinder::Bind("SplashLeftGreen", this, &GraphicsService::SplashLeftGreen);
    ZELM::DynamicBinder::Bind("SplashRightGreen", this, &GraphicsService::SplashRightGreen);
    ZELM::DynamicBinder::Bind("SplashYellow", this, &GraphicsService::SplashYellow);
    ZELM::DynamicBinder::Bind("ToggleFullscreen", this, &GraphicsService::ToggleFullscreen);
    ZELM::DynamicBinder::Bind("IsFullscreen", this, &GraphicsService::IsFullscreen);
    ZELM::DynamicBinder::Bind("SetVsync", this, &GraphicsService::SetVsync);
    ZELM::DynamicBinder::Bind("PostDraw", this, &GraphicsService::PostDraw);
    ZELM::DynamicBinder::Bind("ToggleResolution", this, &GraphicsService::ToggleResolution);
    ZELM::DynamicBinder::Bind("SetGravRadius", this, &GraphicsService::SetGravRadius);
    ZELM::DynamicBinder::Bind("SetMenuDim", this, &GraphicsService::SetMenuDim);
    ZELM::DynamicBinder::Bind("GetGravRadius", this, &GraphicsService::GetGravRadius);
    BindBroadcast("LevelExit", this, &GraphicsService::LevelExit);
    // For the input service's pick ray.
    ZELM::DynamicBinder::Bind("GetProjectionMatrix", this, &GraphicsService::GetProjectionMatrix);
    ZELM::DynamicBinder::Bind("GetViewMatrix", this, &GraphicsService::GetViewMatrix);
    // For the graphic components, which draw their meshes with the level's effect.
    ZELM::DynamicBinder::Bind("GetLevelDrawing", this, &GraphicsService::GetLevelDrawing);
    // For the editor's view, cell outline and palette.
    ZELM::DynamicBinder::Bind("HoldView", this, &GraphicsService::HoldView);
    ZELM::DynamicBinder::Bind("ReleaseView", this, &GraphicsService::ReleaseView);
    ZELM::DynamicBinder::Bind("OutlineCell", this, &GraphicsService::OutlineCell);
    ZELM::DynamicBinder::Bind("GetTileColour", this, &GraphicsService::GetTileColour);

    BindProperty(&debugDraw, "Debug Draw", true, false);
    BindProperty(&shaderToggle, "Shader Toggle", false, false);
    BindProperty(&depthShader, "Depth Shader", false, false);
    BindProperty(&normalShader, "Normal Shader", false, false);
    BindProperty(&intensity, "Intensity", false, false);
    BindProperty(&componentsPass, "Components Pass", false, false);
    BindProperty(&buildCubeList, "Build cube list", false, false);
    BindProperty(&drawCubes, "Draw cubes", false, false);
    BindProperty(&glowPass, "Glow pass", false, false);
    BindProperty(&postprocess, "Postprocess", false, false);
    BindProperty(&particleTime, "Particle Time", false, false);
    BindProperty(&totalCubesDrawn, "Total cubes drawn", false, false);
    BindProperty(&slowestComponent, "Slowest component", false, false);
    BindProperty(&camera.distance, "Cam radius", false, false);
    BindProperty(&camera.offsetA, "Cam a_q", false, false);
}

void GraphicsService::Init() {
    RegisterGraphicComponents();
    intensity = 1.0f;
    depthShader = false;
    device = std::make_unique<Device>(headless ? nullptr : Windows::windowHandle);
    if (!device->IsNull()) {
        screenWidth = device->GetWidth();
        screenHeight = device->GetHeight();
        const int display = SDL_GetWindowDisplayIndex(Windows::windowHandle);
        SDL_DisplayMode desktop{};
        std::vector<DisplayMode> modes;
        if (display >= 0 && SDL_GetDesktopDisplayMode(display, &desktop) == 0) {
            // SDL lists the largest mode first; the game lists them from the smallest.
            for (int i = SDL_GetNumDisplayModes(display) - 1; i >= 0; --i) {
                SDL_DisplayMode mode{};
                if (SDL_GetDisplayMode(display, i, &mode) == 0 && SDL_BITSPERPIXEL(mode.format) >= 24) {
                    modes.push_back({mode.w, mode.h, mode.refresh_rate});
                }
            }
            displayModes.Build(modes, desktop.w, desktop.h);
            displayModes.FallBack({desktop.w, desktop.h, desktop.refresh_rate}, {screenWidth, screenHeight, 60});
            displayModes.SelectWindowed(screenWidth, screenHeight);
        }
        const std::string resources = ZELM::PathTable::Instance().Get("Resources");
        std::string errors;
        shader = Effect::Load(resources + "Effects/testshader.fx", errors);
        if (!shader) {
            ShowFxError(errors);
        }
        errors.clear();
        level->Load(resources + "Effects/", resources + "Meshes/", errors);
        if (!errors.empty()) {
            ShowFxError(errors);
        }
        tweakBars = TwInit(TW_OPENGL_CORE, Windows::windowHandle) != 0;
        if (tweakBars) {
            TwWindowSize(screenWidth, screenHeight);
        } else {
            ZELM_PROBLEM("Graphics::GraphicsService::Init", "The tweak bars cannot be drawn: %s", TwGetLastError());
        }
        sprites = std::make_unique<SpriteBatch>();
        CreateGlowTargets();
        // A missing font leaves text invisible, without a report.
        font = Texture::Load(resources + "Fonts/zolfont.png");
        if (font) {
            font->SampleNearestClamped();
        }
        const std::uint8_t texel[4] = {255, 255, 255, 255};
        white = Texture::FromPixels(1, 1, texel);
        if (startFullscreen && !fullscreen) {
            ToggleFullscreen();
        }
    }
    debugLine = text.CreateText(300, 580, 500, 1.0f);
    ResetCamera();
}

void GraphicsService::CreateGlowTargets() {
    const int width = std::max(screenWidth / kGlowDivisor, 1);
    const int height = std::max(screenHeight / kGlowDivisor, 1);
    renderTarget1 = RenderTarget::Create(width, height);
    renderTarget2 = RenderTarget::Create(width, height);
}

void GraphicsService::ShowFxError(const std::string& errors) {
    if (messageBox) {
        messageBox("Fx Compile Error", errors);
    }
}

bool GraphicsService::KeyDown(const char* key) {
    return IsBound("KeyDown") && Call<bool>("KeyDown", std::string(key));
}

void GraphicsService::UpdateCamera(float dt) {
    camera.Update(dt, [this](const char* key) { return KeyDown(key); });
}

float GraphicsService::GetCamRadius() {
    return std::fabs(camera.distance);
}

void GraphicsService::UpdatePlayerCam() {
    UpdateCameraTransforms(0.0f);
}

void GraphicsService::LevelExit() {
    // The win brightens the frame until the level changes and nothing of the next level dims it:
    // left alone it would bleach the next level and throw its background at the camera.
    intensity = 1.0f;
    // The camera and the player's light stay where the old level left them until the new level's
    // player moves them, and the phase-splash detector would compare that light with the new tiles.
    ResetCamera();
    heldView = false;
    p1Light = glm::vec3(0.0f);
    menuDim = false;
    phaseSplash = PhaseSplashDetector();
    level->GetCubes().Restart();
}

void GraphicsService::ResetCamera() {
    camera.SetProjection(kResetFov, static_cast<float>(screenWidth) / static_cast<float>(screenHeight));
    camera.Reset();
}

std::array<float, 16> GraphicsService::GetProjectionMatrix() {
    return MatrixToRows(camera.GetProjection());
}
std::array<float, 16> GraphicsService::GetViewMatrix() {
    return MatrixToRows(camera.GetView());
}

void GraphicsService::UpdateCameraTransforms(float dt) {
    UpdateCamera(dt);
    device->SetTransform(Device::Transform::Projection, camera.GetProjection());
    device->SetTransform(Device::Transform::View, camera.GetView());
}

void GraphicsService::Splash(SplashColour colour, int direction) {
    // A splash may come before the first frame (a level script at its start): the systems are
    // made on demand rather than the burst lost.
    CreateParticleSystems();
    PhaseSplash& splash = *splashSystems[static_cast<int>(colour)];
    splash.SetDirection(direction);
    for (int i = 0; i < kSplashParticles; ++i) {
        splash.AddParticle();
    }
    if ((colour == SplashColour::Blue || colour == SplashColour::Yellow) && IsBound("PlayPhaseSnd")) {
        Call("PlayPhaseSnd");
    }
}

void GraphicsService::CreateParticleSystems() {
    if (dust) {
        return;
    }
    // One effect for all five: each system sets every parameter it draws with.
    std::shared_ptr<Effect> effect;
    if (device && !device->IsNull()) {
        const std::string resources = ZELM::PathTable::Instance().Get("Resources");
        std::string errors;
        effect = Effect::Load(resources + "Effects/PhaseSplash.fx", errors);
        if (!effect) {
            ShowFxError(errors);
        }
    }
    const struct {
        SplashColour colour;
        const char* technique;
        int particles;
    } splashes[] = {{SplashColour::Blue, "PhaseSplashTech", 3000},
                    {SplashColour::Red, "RedSplashTech", 300},
                    {SplashColour::Green, "GreenSplashTech", 300},
                    {SplashColour::Yellow, "YellowSplashTech", 300}};
    for (const auto& splash : splashes) {
        auto& system = splashSystems[static_cast<int>(splash.colour)];
        system = std::make_unique<PhaseSplash>(effect, splash.technique, "splashparticle", glm::vec3(0.0f),
                                               splash.particles, -1.0f);
        system->SetWorldMtx(glm::mat4(1.0f));
    }
    dust = std::make_unique<Dust>(effect, "DustTech", "dust", glm::vec3(0.0f), kDustParticles, -1.0f);
    dust->SetWorldMtx(glm::mat4(1.0f));
}

void GraphicsService::UpdateParticles(float dt) {
    const auto start = std::chrono::steady_clock::now();
    for (std::unique_ptr<PhaseSplash>& splash : splashSystems) {
        splash->Update(dt);
    }
    dust->Update(dt);
    particleTime = MillisecondsSince(start);
}

void GraphicsService::DrawParticles() {
    if (device->IsNull()) {
        return;
    }
    for (std::unique_ptr<PhaseSplash>& splash : splashSystems) {
        splash->Draw();
    }
    dust->Draw();
}

void GraphicsService::BeginTick() {
    cameraAtTickStart = {camera.targetX, camera.targetY};
    lightAtTickStart = p1Light;
    tickStarted = true;
}

void GraphicsService::Update(float dt) {
    ticked = true;
    postDraw = false;
    if (firstFrame) {
        firstFrame = false;
        if (IsBound("PlayBGM")) {
            Call("PlayBGM", 0);
        }
        ResetCamera();
    }
    CreateParticleSystems();
    DetectPhaseSplash();
    HandleDisplayKeys();
    UpdateDebugLine();

    camera.SetProjection(kFrameFov, static_cast<float>(screenWidth) / static_cast<float>(screenHeight));
    // Every tick starts from the default framing; the player graphic may move it in the pass below.
    camera.distance = -8.0f;
    camera.offsetA = 1.0f;
    ApplyHeldView();
    UpdateCameraTransforms(dt);
    if (!dustPrewarmed) {
        // The cloud is there from the first frame, around wherever the player starts.
        dustPrewarmed = true;
        for (int i = 0; i < kDustParticles; ++i) {
            dust->AddParticle();
        }
    }
    slowestTime = -1.0f;
    const auto start = std::chrono::steady_clock::now();
    UpdateComponents(dt);
    componentsPass = MillisecondsSince(start);
}

void GraphicsService::UpdateComponents(float dt) {
    // A copy: a component's update may add components (destroyed ones go at the end of the tick).
    const std::vector<ZELM::Component*> components = GetComponents();
    for (ZELM::Component* component : components) {
        UpdateComponent(component, dt);
    }
    for (ZELM::Component* component : components) {
        UpdateComponent(component, dt);
    }
    // The glow pass's update, with no time passing.
    for (ZELM::Component* component : components) {
        component->Update(0.0f);
    }
}

void GraphicsService::UpdateComponent(ZELM::Component* component, float dt) {
    const auto start = std::chrono::steady_clock::now();
    component->Update(dt);
    if (component->GetTypeName() == "GravityGuyGraphic") {
        // The player graphic has just moved the camera target, unless the editor holds the view.
        ApplyHeldView();
        UpdateCameraTransforms(0.0f);
    }
    const float took = MillisecondsSince(start);
    if (took > slowestTime) {
        slowestTime = took;
        slowestComponent = component->GetTypeName();
    }
}

void GraphicsService::UpdateFrame(float frameMs) {
    postDraw = false;
    if (!ticked) {
        return;  // nothing is placed before the first tick: the frame stays dark
    }
    const bool paused = ZELM::Engine::Exists() && ZELM::Engine::Instance().IsPaused();
    UpdateParticles(paused ? 0.0f : frameMs);
    device->BeginMain(debugDraw ? 0xff505050u : 0xff000000u);
    BeginInterpolatedView();
    DrawComponentsBeforeLevel();
    const LevelLighting lighting = CurrentLighting();
    DrawLevel(paused ? 0.0f : frameMs, lighting);
    DrawComponentsAfterLevel();
    DrawCellOutline(lighting);
    DrawParticles();
    DrawGlowPass(lighting);
    PostProcess();
    EndInterpolatedView();
}

void GraphicsService::BeginInterpolatedView() {
    simulatedCamera = {camera.targetX, camera.targetY};
    simulatedLight = p1Light;
    const float blend = Blend();
    if (!tickStarted || !(blend < 1.0f)) {
        return;
    }
    // A camera that jumped (a new level, a respawn) is drawn where it is.
    constexpr float kLongestStep = 2.0f;
    const glm::vec2 cameraStep = simulatedCamera - cameraAtTickStart;
    if (std::fabs(cameraStep.x) <= kLongestStep && std::fabs(cameraStep.y) <= kLongestStep) {
        camera.targetX = cameraAtTickStart.x + cameraStep.x * blend;
        camera.targetY = cameraAtTickStart.y + cameraStep.y * blend;
    }
    const glm::vec3 lightStep = simulatedLight - lightAtTickStart;
    if (std::fabs(lightStep.x) <= kLongestStep && std::fabs(lightStep.y) <= kLongestStep) {
        p1Light = lightAtTickStart + lightStep * blend;
    }
    UpdateCameraTransforms(0.0f);
}

void GraphicsService::EndInterpolatedView() {
    if (camera.targetX == simulatedCamera.x && camera.targetY == simulatedCamera.y && p1Light == simulatedLight) {
        return;
    }
    camera.targetX = simulatedCamera.x;
    camera.targetY = simulatedCamera.y;
    p1Light = simulatedLight;
    UpdateCameraTransforms(0.0f);
}

void GraphicsService::HoldView(float x, float y, float distance) {
    // Sent by name, so checked: a view at infinity would leave nothing to draw or pick.
    if (std::isfinite(x) && std::isfinite(y) && std::isfinite(distance) && distance > 0.0f) {
        heldView = true;
        heldViewAt = {x, y, distance};
    }
}

void GraphicsService::ApplyHeldView() {
    if (heldView) {
        camera.targetX = heldViewAt.x;
        camera.targetY = heldViewAt.y;
        camera.distance = -heldViewAt.z;
    }
}

void GraphicsService::OutlineCell(int x, int y) {
    cellOutlined = true;
    outlinedCellX = x;
    outlinedCellY = y;
}

unsigned GraphicsService::GetTileColour(unsigned char id) {
    return BlockColour(id) & 0xffffffu;
}

void GraphicsService::DrawCellOutline(const LevelLighting& lighting) {
    if (!cellOutlined) {
        return;
    }
    cellOutlined = false;  // the editor asks again each frame the mouse is over the level
    Mesh* box = level->GetBox();
    if (device->IsNull() || box == nullptr) {
        return;
    }
    // Four thin bars around the cell, in front of the blocks so they are seen over them.
    constexpr float kThickness = 0.08f;
    constexpr float kFront = -0.7f;
    const float left = static_cast<float>(outlinedCellX);
    const float bottom = static_cast<float>(outlinedCellY);
    const struct {
        float x, y, width, height;
    } bars[] = {{left + 0.5f, bottom, 1.0f + kThickness, kThickness},
                {left + 0.5f, bottom + 1.0f, 1.0f + kThickness, kThickness},
                {left, bottom + 0.5f, kThickness, 1.0f + kThickness},
                {left + 1.0f, bottom + 0.5f, kThickness, 1.0f + kThickness}};
    for (const auto& bar : bars) {
        const glm::mat4 world =
            Scaling(bar.width, bar.height, kThickness) * Translation(bar.x, bar.y, kFront);
        if (level->BeginMeshDraw(lighting, world, nullptr, nullptr, MeshLook::kFlat)) {
            box->Draw();
            level->EndMeshDraw();
        }
    }
}

void GraphicsService::UpdateDebugLine() {
    if (debugLine == nullptr) {
        return;
    }
    if (debugDraw && IsBound("xMouseProjected") && IsBound("yMouseProjected")) {
        char position[96];
        std::snprintf(position, sizeof(position), "Cursor world position: (%.2f,%.2f)",
                      Call<float>("xMouseProjected", 0.0f), Call<float>("yMouseProjected", 0.0f));
        debugLine->text = position;
    } else {
        debugLine->text = " ";
    }
}

LevelLighting GraphicsService::CurrentLighting() const {
    LevelLighting lighting;
    lighting.viewProj = camera.GetViewProj();
    lighting.eye = camera.GetPos();
    lighting.playerLight = p1Light;
    lighting.intensity = intensity;
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    lighting.tile = assets.Has("tile1") ? assets.Get<Texture*>("tile1") : nullptr;
    lighting.tileNormal = assets.Has("tilenormal") ? assets.Get<Texture*>("tilenormal") : nullptr;
    return lighting;
}

void GraphicsService::DrawComponent(ZELM::Component* component) {
    DrawComponentShifted(component, DrawShiftOf(*component, Blend()));
}

void GraphicsService::DrawComponentShifted(ZELM::Component* component, const glm::vec3& shift) {
    if (!component->IsBound("Draw")) {
        return;
    }
    auto* mesh = dynamic_cast<MeshGraphic*>(component);
    if (mesh != nullptr) {
        mesh->SetDrawShift(shift);
    }
    component->Call("Draw");
    if (mesh != nullptr) {
        mesh->SetDrawShift(glm::vec3(0.0f));
    }
}

float GraphicsService::Blend() { return ZELM::Engine::Exists() ? ZELM::Engine::Instance().GetBlend() : 1.0f; }

glm::vec3 GraphicsService::DrawShiftOf(const ZELM::Component& component, float blend) {
    ZELM::Entity* owner = blend < 1.0f ? component.GetOwner().GetIfAlive() : nullptr;
    const auto* physical = owner != nullptr ? dynamic_cast<const ZELM::Physical*>(owner->GetComponent("Physical")) : nullptr;
    if (physical == nullptr) {
        return glm::vec3(0.0f);
    }
    float x = 0.0f;
    float y = 0.0f;
    physical->GetDrawnPlace(blend, x, y);
    return {x - physical->GetX(), y - physical->GetY(), 0.0f};
}

void GraphicsService::DrawComponentsBeforeLevel() {
    for (ZELM::Component* component : GetComponents()) {
        const std::string& type = component->GetTypeName();
        // A see-through ghost drawn twice would show twice as strong.
        if (type != "Cube" && type != "Powerup" && type != "GhostGraphic") {
            DrawComponent(component);
        }
    }
}

void GraphicsService::DrawComponentsAfterLevel() {
    // A level may hold more than one player (the editor places them): the players are drawn after
    // everything else, and the see-through ghosts after them, so a player shows through a ghost.
    std::vector<ZELM::Component*> players;
    std::vector<ZELM::Component*> ghosts;
    for (ZELM::Component* component : GetComponents()) {
        const std::string& type = component->GetTypeName();
        std::vector<ZELM::Component*>* last =
            type == "GravityGuyGraphic" ? &players : (type == "GhostGraphic" ? &ghosts : nullptr);
        if (last != nullptr) {
            last->push_back(component);
        } else {
            DrawComponent(component);
        }
    }
    for (const std::vector<ZELM::Component*>* last : {&players, &ghosts}) {
        for (ZELM::Component* component : *last) {
            DrawComponent(component);
        }
    }
}

void GraphicsService::DrawLevel(float dt, const LevelLighting& lighting) {
    auto start = std::chrono::steady_clock::now();
    const bool phasing =
        KeyDown("Space") || (IsBound("IsPressedProfile") && Call<char>("IsPressedProfile", 3) != 0);
    CubeList& cubes = level->GetCubes();
    cubes.Build(dt, phasing, levelMap, camera.targetX, camera.targetY, std::fabs(camera.distance), intensity);
    buildCubeList = MillisecondsSince(start);

    start = std::chrono::steady_clock::now();
    if (!cubes.GetBlocks().empty()) {
        if (!device->IsNull()) {
            level->DrawCubes(lighting);
        }
        totalCubesDrawn = static_cast<int>(cubes.GetBlocks().size() + cubes.GetBackground().size());
    } else {
        totalCubesDrawn = 0;
    }
    drawCubes = MillisecondsSince(start);
}

void GraphicsService::SetShaderTechnique() {
    if (depthShader) {
        shader->SetTechnique("depthmap");
    } else {
        shader->SetTechnique("TechniqueWithoutTexture");
    }
    shader->SetBool("depthshade", depthShader);
    shader->SetBool("normalshade", !depthShader && normalShader);
}

void GraphicsService::BeginShader() {
    const glm::mat4& world = device->GetTransform(Device::Transform::World);
    const glm::mat4& view = device->GetTransform(Device::Transform::View);
    const glm::mat4& projection = device->GetTransform(Device::Transform::Projection);
    shader->SetMatrix("WorldViewProj", world * view * projection);
    shader->SetMatrix("Projection", projection);
    shader->SetMatrix("World", world);
    shader->SetMatrix("View", view);
    shader->Begin();
}

void GraphicsService::DrawGlowPass(const LevelLighting& lighting) {
    postDraw = true;
    const auto start = std::chrono::steady_clock::now();
    const bool drawing = !device->IsNull() && renderTarget1 && renderTarget2;
    if (drawing) {
        renderTarget1->Begin();
    }
    const bool shading = drawing && shaderToggle && shader != nullptr;
    const std::vector<ZELM::Component*> components = GetComponents();
    for (ZELM::Component* component : components) {
        // The shader takes the world the component is drawn in (its third update, in the tick,
        // left it there once; now each component's own).
        const glm::vec3 shift = DrawShiftOf(*component, Blend());
        if (auto* mesh = dynamic_cast<MeshGraphic*>(component); mesh != nullptr && device != nullptr) {
            device->SetTransform(Device::Transform::World, mesh->GetWorld() * Translation(shift.x, shift.y, 0.0f));
        }
        if (shading) {
            SetShaderTechnique();
            shader->SetFloat("screenwidth", static_cast<float>(screenWidth));
            shader->SetFloat("screenheight", static_cast<float>(screenHeight));
            BeginShader();
            shader->BeginPass(0);
        }
        DrawComponentShifted(component, shift);
        if (shading) {
            shader->CommitChanges();
            shader->EndPass();
            shader->End();
        }
    }
    if (drawing) {
        level->DrawGlowingBlocks(lighting);
    }
    glowPass = MillisecondsSince(start);
}

void GraphicsService::PostProcess() {
    const auto start = std::chrono::steady_clock::now();
    const bool drawing = !device->IsNull() && renderTarget1 && renderTarget2 && sprites;
    if (drawing && shaderToggle && shader) {
        shader->SetFloat("screenwidth", static_cast<float>(screenWidth));
        shader->SetFloat("screenheight", static_cast<float>(screenHeight));
        shader->SetTechnique("postprocess");
        const int glowWidth = renderTarget1->GetWidth();
        const int glowHeight = renderTarget1->GetHeight();
        renderTarget1->ReadPixels(glowPixels);
        glowTiles.Find(glowPixels.data(), glowWidth, glowHeight, kGlowReach);
        // Reading the small glow picture back waits for what is drawn so far, and lets the blur and
        // its sum skip the screen where no glow reaches: most of it in most levels. The same
        // whole-screen quad is drawn each time, cut down by the scissor, so every pixel drawn gets
        // exactly the value the whole pass would give it.
        renderTarget2->Begin();
        for (const PixelRect& rect : glowTiles.GetRects()) {
            device->SetScissor(rect.x, rect.y, rect.width, rect.height);
            sprites->DrawTarget(renderTarget1->GetTexture(), screenWidth, screenHeight, *shader, 0);
        }
        device->UseBackBuffer();
        for (const PixelRect& rect : glowTiles.GetRects()) {
            const PixelRect onScreen = GlowTiles::Scale(rect, glowWidth, glowHeight, screenWidth, screenHeight);
            device->SetScissor(onScreen.x, onScreen.y, onScreen.width, onScreen.height);
            sprites->DrawTarget(renderTarget2->GetTexture(), screenWidth, screenHeight, *shader, 1);
        }
        device->ClearScissor();
    }
    device->UseBackBuffer();
    DrawText();
    postprocess = MillisecondsSince(start);
    if (tweakBars) {
        TwDraw();
    }
}

ScreenRect GraphicsService::PlayerOnScreen() const {
    const glm::mat4 viewProj = camera.GetViewProj();
    ScreenRect area{static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0.0f, 0.0f};
    for (const float dx : {-1.0f, 1.0f}) {
        for (const float dy : {-1.0f, 1.0f}) {
            // Row vectors, as the device's matrices are.
            const glm::vec4 clip = glm::vec4(p1Light.x + dx, p1Light.y + dy, p1Light.z, 1.0f) * viewProj;
            if (clip.w <= 0.0f) {
                return {};  // behind the camera: nothing on screen to keep clear of
            }
            const float x = (clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(screenWidth);
            const float y = (1.0f - clip.y / clip.w) * 0.5f * static_cast<float>(screenHeight);
            area = {std::min(area.left, x), std::min(area.top, y), std::max(area.right, x),
                    std::max(area.bottom, y)};
        }
    }
    return area;
}

void GraphicsService::DrawText() {
    text.KeepPanelsClearOf(playerShown ? PlayerOnScreen() : ScreenRect{}, screenHeight);
    playerShown = false;
    // The layout runs headless too: lines drawn empty still leave the list.
    const std::vector<PlacedGlyph> glyphs = text.LayOut();
    if (device->IsNull() || !sprites || !sprites->IsReady() || !font || !white) {
        return;
    }
    if (!textPicture.Shows(glyphs, text.GetPanels(), menuDim, screenWidth, screenHeight)) {
        RenderTarget* picture = textPicture.Redraw(screenWidth, screenHeight);
        if (picture == nullptr) {
            DrawTextSprites(glyphs, SpriteTarget::kScreen);
            return;
        }
        picture->Begin(0x00000000u);
        DrawTextSprites(glyphs, SpriteTarget::kPicture);
        textPicture.Keep(glyphs, text.GetPanels(), menuDim, sprites->GetBounds());
        device->UseBackBuffer();
    }
    const ScreenRect& covered = textPicture.GetCovered();
    const int left = std::max(static_cast<int>(std::floor(covered.left)), 0);
    const int right = std::min(static_cast<int>(std::ceil(covered.right)), screenWidth);
    const int top = std::max(static_cast<int>(std::floor(covered.top)), 0);
    const int bottom = std::min(static_cast<int>(std::ceil(covered.bottom)), screenHeight);
    if (left < right && top < bottom) {
        device->SetScissor(left, screenHeight - bottom, right - left, bottom - top);
        sprites->DrawPicture(textPicture.GetTexture(), screenWidth, screenHeight);
        device->ClearScissor();
    }
}

void GraphicsService::DrawTextSprites(const std::vector<PlacedGlyph>& glyphs, SpriteTarget target) {
    sprites->Begin(screenWidth, screenHeight, target);
    DrawTextLayer(glyphs, false);
    if (menuDim) {
        sprites->Fill(white->GetId(), 0.0f, 0.0f, static_cast<float>(screenWidth),
                      static_cast<float>(screenHeight), kMenuDim);
    }
    DrawTextLayer(glyphs, true);
    sprites->End();
}

void GraphicsService::DrawTextLayer(const std::vector<PlacedGlyph>& glyphs, bool overDim) {
    for (const TextPanel& panel : text.GetPanels()) {
        if (panel.overDim == overDim) {
            const ScreenRect& r = panel.rect;
            sprites->Fill(white->GetId(), r.left, r.top, r.right - r.left, r.bottom - r.top, kPanel);
        }
    }
    // Every outline before any letter, so no line's outline covers another's letters: white text
    // stays readable over light blocks and the white flash at the end of a level. A space has no
    // ink: its nine quads would blend nothing but cost the software renderer as much as a letter's.
    const GlyphRect space = text.Glyph(' ');
    const auto blank = [&space](const PlacedGlyph& glyph) {
        return glyph.source.left == space.left && glyph.source.top == space.top;
    };
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.overDim != overDim || blank(glyph)) {
            continue;
        }
        const float width = std::max(1.0f, std::floor(glyph.scale * 0.5f));
        for (const float dy : {-width, 0.0f, width}) {
            for (const float dx : {-width, 0.0f, width}) {
                if (dx != 0.0f || dy != 0.0f) {
                    DrawGlyph(glyph, dx, dy, 0x000000u);
                }
            }
        }
    }
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.overDim == overDim && !blank(glyph)) {
            DrawGlyph(glyph, 0.0f, 0.0f, 0xffffffu);
        }
    }
}

void GraphicsService::DrawGlyph(const PlacedGlyph& glyph, float dx, float dy, std::uint32_t rgb) {
    const int source[4] = {glyph.source.left, glyph.source.top, glyph.source.right, glyph.source.bottom};
    // The glyph rectangles address the font image as a fixed grid, whatever its resolution.
    sprites->Draw(font->GetId(), TextLayer::kGridUnits, TextLayer::kGridUnits, source, glyph.x + dx,
                  glyph.y + dy, glyph.scale, static_cast<std::uint32_t>(glyph.alpha) << 24 | rgb);
}

bool GraphicsService::KeyTriggered(const char* key) {
    return IsBound("KeyTriggered") && Call<bool>("KeyTriggered", std::string(key));
}

void GraphicsService::DetectPhaseSplash() {
    if (!IsBound("GetTileID")) {
        return;
    }
    // Truncated toward zero, then read as unsigned, as the tile lookup takes them.
    const unsigned x = static_cast<unsigned>(static_cast<int>(p1Light.x));
    const unsigned y = static_cast<unsigned>(static_cast<int>(p1Light.y));
    const char* splash = phaseSplash.Step(x, y, Call<unsigned char>("GetTileID", x, y));
    if (splash != nullptr && IsBound(splash)) {
        Call(splash);
    }
}

void GraphicsService::HandleDisplayKeys() {
    const bool alt = KeyDown("LALT") || KeyDown("RALT");
    if (fullscreen && alt && KeyDown("TAB")) {
        fullscreen = false;
        ApplyDisplayMode();
    }
    if (KeyTriggered("F11") || (alt && KeyTriggered("ENTER"))) {
        ToggleFullscreen();
        if (IsBound("PlayJump")) {
            Call("PlayJump");
        }
    }
}

void GraphicsService::ToggleFullscreen() {
    fullscreen = !fullscreen;
    ApplyDisplayMode();
}

void GraphicsService::ToggleResolution() {
    displayModes.Next(fullscreen);
    ApplyDisplayMode();
}

void GraphicsService::ApplyDisplayMode() {
    SDL_Window* window = Windows::windowHandle;
    const DisplayMode* mode = displayModes.Current(fullscreen);
    if (device->IsNull() || window == nullptr || mode == nullptr) {
        // Nothing to switch to: the picture stays in the state it is in.
        fullscreen = fullscreen && mode != nullptr;
        return;
    }
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
    SDL_DisplayMode desktop{};
    const int display = SDL_GetWindowDisplayIndex(window);
    const bool desktopSized = display >= 0 && SDL_GetDesktopDisplayMode(display, &desktop) == 0 &&
                              desktop.w == mode->width && desktop.h == mode->height;
    if (fullscreen && desktopSized) {
        // A bare window over the whole desktop: no mode change, and it needs no window manager.
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, 0, 0);
        SDL_SetWindowSize(window, mode->width, mode->height);
    } else if (fullscreen) {
        SDL_DisplayMode wanted{};
        wanted.w = mode->width;
        wanted.h = mode->height;
        wanted.refresh_rate = 60;
        SDL_SetWindowDisplayMode(window, &wanted);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowSize(window, mode->width, mode->height);
        SDL_SetWindowPosition(window, 100, 100);
    }
    ResetDevice(static_cast<unsigned>(mode->width), static_cast<unsigned>(mode->height), fullscreen);
}

void GraphicsService::ResetDevice(unsigned width, unsigned height, bool fullscreenMode) {
    const DisplayMode* mode = displayModes.Current(fullscreenMode);
    if (device->IsNull() || mode == nullptr) {
        return;
    }
    // The context and everything on it survive; only the size-bound pictures are made again.
    device->Resize(mode->width, mode->height);
    screenWidth = device->GetWidth();
    screenHeight = device->GetHeight();
    CreateGlowTargets();
    if (tweakBars) {
        TwWindowSize(static_cast<int>(width), static_cast<int>(height));
    }
}

void GraphicsService::AddScreenshot(int frame, const std::string& file) {
    screenshots.emplace_back(frame, file);
}

void GraphicsService::Present() {
    ++presented;
    for (const auto& [frame, file] : screenshots) {
        if (frame == presented) {
            WriteScreenshot(file);
        }
    }
    device->Present();
}

void GraphicsService::WriteScreenshot(const std::string& file) {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    if (!device->ReadBackBuffer(pixels, width, height)) {
        ZELM_PROBLEM("Graphics::GraphicsService::Present", "No picture to write to \"%s\": %s", file.c_str(),
                     device->GetError().c_str());
        return;
    }
    // The back buffer's alpha is whatever the passes left; a screenshot is opaque.
    for (std::size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255;
    }
    if (stbi_write_png(file.c_str(), width, height, 4, pixels.data(), width * 4) == 0) {
        ZELM_PROBLEM("Graphics::GraphicsService::Present", "Could not write the screenshot \"%s\"",
                     file.c_str());
    }
}

bool GraphicsService::SetVsync(bool on) { return device != nullptr && device->SetVsync(on); }

}  // namespace Graphics
