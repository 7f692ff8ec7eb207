// The graphics service's bindings, start-up, frame and presentation.
#include "graphics/GraphicsService.h"

#include "graphics/FontMetrics.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "engine/AssetManager.h"
#include "engine/Component.h"
#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/PathTable.h"
#include "graphics/BlockMaterials.h"
#include "graphics/ComponentDrawing.h"
#include "graphics/D3DMath.h"
#include "graphics/GraphicComponents.h"
#include "graphics/LevelRenderer.h"
#include "graphics/MeshGraphic.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/SpriteBatch.h"
#include "graphics/gl/Texture.h"
#include "windows/WindowHandles.h"

namespace Graphics {
namespace {

// With reduced flashing, how much of its way from 1 a set intensity is drawn with, and how much
// of a splash bursts out. The win's climb to 7 takes the frame from its usual brightness towards
// white; a sixteenth of the way keeps the change of its mean brightness near a sixth of that.
constexpr float kReducedIntensityShare = 1.0f / 16.0f;
constexpr float kReducedSplashShare = 1.0f / 3.0f;

constexpr float kFrameFov = 1.3962634f;   // 80 degrees
constexpr float kResetFov = 0.78539816f;  // 45 degrees

float MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<float, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

GraphicsService::GraphicsService(bool headless)
    : headless(headless),
      level(std::make_unique<LevelRenderer>()),
      display([this](unsigned width, unsigned height, bool fullscreen) {
          ResetDevice(width, height, fullscreen);
      }) {
    messageBox = [](const std::string& title, const std::string& body) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), body.c_str(), Windows::windowHandle);
    };
}

// The device goes last: every resource above it frees itself on its context.
GraphicsService::~GraphicsService() {
    if (tweakBars) {
        TwTerminate();
    }
    textRenderer.Unload();
    particles.Destroy();
    glow.Unload();
    sprites.reset();
    level.reset();
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
    ZELM::DynamicBinder::Bind("SetPanelTextSize", this, &GraphicsService::SetPanelTextSize);
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
    ZELM::DynamicBinder::Bind("GetShownIntensity", this, &GraphicsService::GetShownIntensity);
    ZELM::DynamicBinder::Bind("SetReducedFlashing", this, &GraphicsService::SetReducedFlashing);
    ZELM::DynamicBinder::Bind("IsReducedFlashing", this, &GraphicsService::IsReducedFlashing);
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
        display.ListModes(screenWidth, screenHeight);
        const std::string resources = ZELM::PathTable::Instance().Get("Resources");
        std::string errors;
        if (!glow.LoadShader(resources + "Effects/testshader.fx", errors)) {
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
        glow.CreateTargets(screenWidth, screenHeight);
        textRenderer.Load(*device, *sprites, resources + "Fonts/zolfont.png");
        if (startFullscreen && !display.IsFullscreen()) {
            ToggleFullscreen();
        }
    }
    // The layout measures text headless too (a trace, the tests); without the game's data (tools),
    // or headless over data that has no font (nothing is drawn), the defaults serve.
    const std::string resources = ZELM::PathTable::Instance().Get("Resources");
    const std::string metrics = resources + "Fonts/zolfont.metrics";
    if (!resources.empty() && (!headless || std::filesystem::exists(metrics))) {
        FontMetrics::Load(metrics);
    } else {
        FontMetrics::Use(FontMetrics());
    }
    debugLine = text.CreateText(300, 580, 500, 1.0f);
    ResetCamera();
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
    heldView.Release();
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

float GraphicsService::ShownIntensity(float set, bool reduced) {
    return reduced ? 1.0f + (set - 1.0f) * kReducedIntensityShare : set;
}

void GraphicsService::Splash(SplashColour colour, int direction) {
    // A splash may come before the first frame (a level script at its start): the systems are
    // made on demand rather than the burst lost.
    CreateParticleSystems();
    particles.Splash(colour, direction, reducedFlashing ? kReducedSplashShare : 1.0f);
    if ((colour == SplashColour::Blue || colour == SplashColour::Yellow) && IsBound("PlayPhaseSnd")) {
        Call("PlayPhaseSnd");
    }
}

void GraphicsService::CreateParticleSystems() {
    if (particles.IsCreated()) {
        return;
    }
    std::string effectFile;
    if (device && !device->IsNull()) {
        effectFile = ZELM::PathTable::Instance().Get("Resources") + "Effects/PhaseSplash.fx";
    }
    std::string errors;
    if (!particles.Create(effectFile, errors)) {
        ShowFxError(errors);
    }
}

void GraphicsService::UpdateParticles(float dt) {
    const auto start = std::chrono::steady_clock::now();
    particles.Update(dt);
    particleTime = MillisecondsSince(start);
}

void GraphicsService::BeginTick() { interpolatedView.BeginTick(camera, p1Light); }

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
    phaseSplash.Detect(*this, p1Light);
    display.HandleKeys(*this);
    UpdateDebugLine();

    camera.SetProjection(kFrameFov, static_cast<float>(screenWidth) / static_cast<float>(screenHeight));
    // Every tick starts from the default framing; the player graphic may move it in the pass below.
    camera.distance = -8.0f;
    camera.offsetA = 1.0f;
    heldView.Apply(camera);
    UpdateCameraTransforms(dt);
    particles.PrewarmDust();
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
        heldView.Apply(camera);
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
    if (interpolatedView.Begin(camera, p1Light, ComponentDrawing::Blend())) {
        UpdateCameraTransforms(0.0f);
    }
    ComponentDrawing::DrawBeforeLevel(GetComponents());
    const LevelLighting lighting = CurrentLighting();
    DrawLevel(paused ? 0.0f : frameMs, lighting);
    ComponentDrawing::DrawAfterLevel(GetComponents());
    cellOutline.Draw(*level, lighting, device->IsNull());
    if (!device->IsNull()) {
        particles.Draw();
    }
    DrawGlowPass(lighting);
    PostProcess();
    if (interpolatedView.End(camera, p1Light)) {
        UpdateCameraTransforms(0.0f);
    }
}

unsigned GraphicsService::GetTileColour(unsigned char id) {
    return BlockColour(id) & 0xffffffu;
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
    lighting.intensity = GetShownIntensity();
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    lighting.tile = assets.Has("tile1") ? assets.Get<Texture*>("tile1") : nullptr;
    lighting.tileNormal = assets.Has("tilenormal") ? assets.Get<Texture*>("tilenormal") : nullptr;
    lighting.patterns = assets.Has("blockpatterns") ? assets.Get<Texture*>("blockpatterns") : nullptr;
    return lighting;
}

void GraphicsService::DrawLevel(float dt, const LevelLighting& lighting) {
    auto start = std::chrono::steady_clock::now();
    // The phasing look follows the player's phase control, whatever key or pad control it is.
    const bool phasing = IsBound("ActionDown") ? Call<bool>("ActionDown", std::string("phase")) : KeyDown("Space");
    CubeList& cubes = level->GetCubes();
    cubes.Build(dt, phasing, levelMap, camera.targetX, camera.targetY, std::fabs(camera.distance), GetShownIntensity());
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

void GraphicsService::DrawGlowPass(const LevelLighting& lighting) {
    postDraw = true;
    const auto start = std::chrono::steady_clock::now();
    const bool drawing = !device->IsNull() && glow.Begin();
    const bool shading = drawing && shaderToggle && glow.HasShader();
    const std::vector<ZELM::Component*> components = GetComponents();
    for (ZELM::Component* component : components) {
        // The shader takes the world the component is drawn in (its third update, in the tick,
        // left it there once; now each component's own).
        const glm::vec3 shift = ComponentDrawing::DrawShiftOf(*component, ComponentDrawing::Blend());
        if (auto* mesh = dynamic_cast<MeshGraphic*>(component); mesh != nullptr && device != nullptr) {
            device->SetTransform(Device::Transform::World, mesh->GetWorld() * Translation(shift.x, shift.y, 0.0f));
        }
        if (shading) {
            glow.BeginShading(*device, depthShader, normalShader, screenWidth, screenHeight);
        }
        ComponentDrawing::DrawShifted(component, shift);
        if (shading) {
            glow.EndShading();
        }
    }
    if (drawing) {
        level->DrawGlowingBlocks(lighting);
    }
    glowPass = MillisecondsSince(start);
}

void GraphicsService::PostProcess() {
    const auto start = std::chrono::steady_clock::now();
    if (!device->IsNull() && sprites && shaderToggle) {
        glow.Compose(*device, *sprites, screenWidth, screenHeight);
    }
    device->UseBackBuffer();
    DrawText();
    postprocess = MillisecondsSince(start);
    if (tweakBars) {
        TwDraw();
    }
}

void GraphicsService::DrawText() {
    // The panels keep clear of the player only in a frame a player has set its light for.
    ScreenRect keepClear;
    if (playerShown) {
        keepClear = TextRenderer::AreaAround(p1Light, camera.GetViewProj(), screenWidth, screenHeight);
    }
    // A line that names a spot of the level keeps its panel clear of it too, while it is on screen.
    std::map<const Text*, ScreenRect> spots;
    for (const Text* line : text.GetLines()) {
        if (line->spot.IsSet()) {
            const float z = playerShown ? p1Light.z : 0.5f;
            spots[line] = TextRenderer::AreaOf({line->spot.left, line->spot.bottom},
                                               {line->spot.right + 1.0f, line->spot.top + 1.0f}, z,
                                               camera.GetViewProj(), screenWidth, screenHeight);
        }
    }
    text.KeepPanelsClearOfSpots(spots);
    playerShown = false;
    textRenderer.Draw(text, keepClear, menuDim, screenWidth, screenHeight);
}

void GraphicsService::ResetDevice(unsigned width, unsigned height, bool fullscreenMode) {
    const DisplayMode* mode = display.GetModes().Current(fullscreenMode);
    if (device->IsNull() || mode == nullptr) {
        return;
    }
    // The context and everything on it survive; only the size-bound pictures are made again.
    device->Resize(mode->width, mode->height);
    screenWidth = device->GetWidth();
    screenHeight = device->GetHeight();
    glow.CreateTargets(screenWidth, screenHeight);
    if (tweakBars) {
        TwWindowSize(static_cast<int>(width), static_cast<int>(height));
    }
}

void GraphicsService::Present() {
    screenshots.WriteFrame(*device);
    device->Present();
}

bool GraphicsService::SetVsync(bool on) { return device != nullptr && device->SetVsync(on); }

}  // namespace Graphics
