// The graphics service: the device, the camera and the passes of each frame, and presentation.
#pragma once

#include <array>
#include <functional>
#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Service.h"
#include "graphics/Camera.h"
#include "graphics/CellOutline.h"
#include "graphics/ComponentDrawing.h"
#include "graphics/DisplaySwitcher.h"
#include "graphics/GlowPass.h"
#include "graphics/HeldView.h"
#include "graphics/InterpolatedView.h"
#include "graphics/LightInst.h"
#include "graphics/ParticleEffects.h"
#include "graphics/PhaseSplashDetector.h"
#include "graphics/ScreenshotWriter.h"
#include "graphics/TextLayer.h"
#include "graphics/TextRenderer.h"

namespace ZELM {
class Component;
class LevelMap;
}

namespace Graphics {

class Device;
class LevelRenderer;
struct LevelLighting;
class SpriteBatch;

class GraphicsService : public ZELM::Service {
public:
    using SplashColour = Graphics::SplashColour;

    // Shows a platform failure (title, text); the default asks in a modal box.
    using MessageBox = std::function<void(const std::string&, const std::string&)>;

    explicit GraphicsService(bool headless);
    ~GraphicsService() override;

    void Bind() override;
    // Creates the device (a null one when headless), the effects, the level's resources and the font.
    void Init() override;
    // Notes where the camera and the player's light stand as the tick begins.
    void BeginTick() override;
    // The tick's part of the picture: the camera, the display keys, the splashes the player's light
    // sets off and every graphic component's update.
    void Update(float dt) override;
    // Draws the whole frame except its presentation, everything that moves between its places of
    // the last two ticks; the particles move by the frame's real time.
    void UpdateFrame(float frameMs) override;

    // How far from its entity's place a component is drawn at `blend` between the last two ticks (0
    // at the earlier, 1 at the later): where the entity stood then, less where it stands.
    static glm::vec3 DrawShiftOf(const ZELM::Component& component, float blend) {
        return ComponentDrawing::DrawShiftOf(component, blend);
    }
    // Shows the frame drawn this frame, writing it first for every screenshot of this frame.
    void Present();
    bool IsHeadless() const { return headless; }
    // The back buffer of frame `frame` (counting from 1) is written to the PNG file; a run may ask
    // for several.
    void AddScreenshot(int frame, const std::string& file) { screenshots.Add(frame, file); }
    void SetMessageBox(MessageBox box) { messageBox = std::move(box); }
    // Whether Init switches to full screen once the device is up (a null device stays as it is).
    void SetStartFullscreen(bool start) { startFullscreen = start; }

    Device* GetDevice() { return device.get(); }
    glm::mat4 GetCamTransform() { return camera.GetView(); }
    float GetCamRadius();
    float GetCamTargetX() { return camera.targetX; }
    float GetCamTargetY() { return camera.targetY; }
    bool GetDebugDraw() { return debugDraw; }
    void SetCamTargetX(float x) { camera.targetX = x; }
    void SetCamTargetY(float y) { camera.targetY = y; }
    void SetCamOffsetX(float a) { camera.offsetA = a; }
    void SetCamOffsetY(float b) { camera.offsetB = b; }
    void SetCamDistance(float distance) { camera.distance = distance; }
    void AddLightInst(LightInst light) { lights.push_back(light); }
    bool InFrustum(const glm::vec3& point) { return camera.InFrustum(point); }
    Text* AddText() { return text.CreateText(0, 0, 300, 1.0f); }
    // The player's text size, 1 to 1.5: the stacked panels (instructions, notices, clock) follow it.
    void SetPanelTextSize(float size) { text.SetPanelTextSize(size); }
    glm::mat4 GetViewProj() { return camera.GetViewProj(); }
    void UpdatePlayerCam();
    void ResetCamera();
    void SetLevelDrawingPointer(ZELM::LevelMap* map) { levelMap = map; }
    glm::vec3 GetCamPos() { return camera.GetPos(); }
    int GetScreenHeight() { return screenHeight; }
    int GetScreenWidth() { return screenWidth; }
    // The local player's light, at the player: the text panels keep clear of it this frame.
    void SetP1Light(const glm::vec3& light) {
        p1Light = light;
        playerShown = true;
    }
    glm::vec3 GetP1Light() { return p1Light; }
    void SetIntensity(float value) { intensity = value; }
    float GetIntensity() { return intensity; }
    // The intensity the frame is drawn with: as set, or with reduced flashing a small part of its
    // way from 1, so the win's white-out, the death's fade and whatever a level script asks for
    // keep their timing but change the screen's brightness only a little. The game and its
    // scripts still read and set the full value.
    float GetShownIntensity() const { return ShownIntensity(intensity, reducedFlashing); }
    static float ShownIntensity(float set, bool reduced);
    void SetReducedFlashing(bool reduced) { reducedFlashing = reduced; }
    bool IsReducedFlashing() { return reducedFlashing; }
    bool PostDraw() { return postDraw; }
    SpriteBatch* GetSpriteObject() { return sprites.get(); }
    // The splashes of crossing a phase block (blue, with its sound), touching a red or green block,
    // and taking a power-up (yellow, with the phase sound); directions up, down, left, right.
    void SplashUp() { Splash(SplashColour::Blue, 0); }
    void SplashDown() { Splash(SplashColour::Blue, 1); }
    void SplashLeft() { Splash(SplashColour::Blue, 2); }
    void SplashRight() { Splash(SplashColour::Blue, 3); }
    void SplashUpRed() { Splash(SplashColour::Red, 0); }
    void SplashDownRed() { Splash(SplashColour::Red, 1); }
    void SplashLeftRed() { Splash(SplashColour::Red, 2); }
    void SplashRightRed() { Splash(SplashColour::Red, 3); }
    void SplashUpGreen() { Splash(SplashColour::Green, 0); }
    void SplashDownGreen() { Splash(SplashColour::Green, 1); }
    void SplashLeftGreen() { Splash(SplashColour::Green, 2); }
    void SplashRightGreen() { Splash(SplashColour::Green, 3); }
    void SplashYellow() { Splash(SplashColour::Yellow, 0); }
    // The back buffer takes the current mode of the state asked for; the arguments are the size
    // the window was asked to take.
    void ResetDevice(unsigned width, unsigned height, bool fullscreen);
    void ToggleFullscreen() { display.ToggleFullscreen(); }
    void ToggleResolution() { display.NextResolution(); }
    bool IsFullscreen() const { return display.IsFullscreen(); }
    // The player's vsync choice, handed to the device and to the frame pacer: true when the swap
    // now waits for the display (never headless).
    bool SetVsync(bool on);
    const DisplayModes& GetDisplayModes() const { return display.GetModes(); }
    // Broadcast: what a level did to the frame ends with it, so the next level starts from the
    // frame's defaults as the first level of a run does.
    void LevelExit();
    // An open menu dims the frame under it: everything but the text lines drawn over the dim.
    void SetMenuDim(bool dim) { menuDim = dim; }
    void SetGravRadius(float radius) { gravRadius = radius; }
    float GetGravRadius() { return gravRadius; }
    // The editor's view: while held, the camera looks at (x, y) from `distance` and the player
    // graphic no longer moves it.
    void HoldView(float x, float y, float distance) { heldView.Hold(x, y, distance); }
    void ReleaseView() { heldView.Release(); }
    // The editor's cell under the mouse, outlined in this frame only.
    void OutlineCell(int x, int y) { cellOutline.Set(x, y); }
    // How a tile id shows in the level, as 0xRRGGBB.
    unsigned GetTileColour(unsigned char id);
    // The matrices the input service aims its pick ray with, row by row.
    std::array<float, 16> GetProjectionMatrix();
    std::array<float, 16> GetViewMatrix();

    const Camera& GetCamera() const { return camera; }
    TextLayer& GetTextLayer() { return text; }
    LevelRenderer& GetLevelRenderer() { return *level; }
    LevelRenderer* GetLevelDrawing() { return level.get(); }
    const std::vector<LightInst>& GetLights() const { return lights; }
    const std::string& GetSlowestComponent() const { return slowestComponent; }
    int GetTotalCubesDrawn() const { return totalCubesDrawn; }
    // Null until the first frame or splash makes the particle systems.
    const PhaseSplash* GetSplashSystem(SplashColour colour) const { return particles.GetSplash(colour); }
    const Dust* GetDust() const { return particles.GetDust(); }

private:
    bool KeyDown(const char* key);
    void UpdateCamera(float dt);
    // Updates the camera and hands its matrices to the device.
    void UpdateCameraTransforms(float dt);
    void Splash(SplashColour colour, int direction);
    // Makes the four splash systems and the dust once, with "PhaseSplash.fx" when there is a device.
    void CreateParticleSystems();
    void UpdateParticles(float dt);
    void UpdateDebugLine();
    LevelLighting CurrentLighting() const;
    // Every component updates three times a tick, as the three passes of a frame at 60 frames a
    // second always updated them; after the player graphic's updates the camera follows it.
    void UpdateComponents(float dt);
    // One component's update, timed for the slowest-component figure.
    void UpdateComponent(ZELM::Component* component, float dt);
    void DrawLevel(float dt, const LevelLighting& lighting);
    // The glow picture: the components in the shader's flat technique, then the level's glowing
    // blocks.
    void DrawGlowPass(const LevelLighting& lighting);
    // The glow added to the frame, then the text and the tweak bars over it.
    void PostProcess();
    void DrawText();
    void ShowFxError(const std::string& errors);

    bool headless;
    std::unique_ptr<Device> device;
    std::unique_ptr<LevelRenderer> level;
    std::unique_ptr<SpriteBatch> sprites;
    GlowPass glow;
    TextRenderer textRenderer;
    ParticleEffects particles;
    Camera camera;
    InterpolatedView interpolatedView;
    TextLayer text;
    Text* debugLine = nullptr;
    ZELM::LevelMap* levelMap = nullptr;
    std::vector<LightInst> lights;
    glm::vec3 p1Light{0.0f};
    bool ticked = false;  // a tick has placed the camera and the components
    bool playerShown = false;  // a player set its light since the text was last drawn
    bool menuDim = false;
    MessageBox messageBox;

    bool shaderToggle = true;
    bool debugDraw = true;
    bool depthShader = false;
    bool normalShader = false;
    float intensity = 1.0f;
    bool reducedFlashing = false;
    float gravRadius = 0.0f;
    bool postDraw = false;
    bool firstFrame = true;
    bool tweakBars = false;  // the tweak-bar library is up and draws last in the frame
    bool startFullscreen = false;
    DisplaySwitcher display;
    PhaseSplashDetector phaseSplash;
    HeldView heldView;
    CellOutline cellOutline;
    int screenWidth = 800;
    int screenHeight = 600;

    float componentsPass = 0.0f;
    float buildCubeList = 0.0f;
    float drawCubes = 0.0f;
    float glowPass = 0.0f;
    float postprocess = 0.0f;
    float particleTime = 0.0f;
    int totalCubesDrawn = 0;
    std::string slowestComponent;
    float slowestTime = 0.0f;

    ScreenshotWriter screenshots;
};

}  // namespace Graphics
