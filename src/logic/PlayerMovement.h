// Makes an entity the player: walking and jumping inside gravity zones, the special tiles it
// touches, the instruction line, and the short sequences of dying and winning.
#pragma once

#include <memory>
#include <string>

#include "graphics/Text.h"
#include "logic/GameComponent.h"
#include "logic/RedRest.h"
#include "logic/ScreenText.h"

namespace Logic {

class PlayerMovement : public GameComponent {
public:
    static constexpr float kRespawnMs = 1000.0f;
    static constexpr float kWinMs = 1500.0f;

    // Creates the instruction line.
    PlayerMovement();

    void Bind() override;
    // Makes sure the entity has a body, takes its place as the first respawn point and tells the
    // game flow who the player is.
    void Init() override;
    void Update(float dtMs) override;

    // Remembers where to reappear: beside the checkpoint tile centred at (x, y), on the side touched.
    void SetStartingPoint(float x, float y, unsigned side);
    void SetDontWin(bool value) { dontWin = value; }
    // A text may name controls as "{phase}": it shows the keys, or the pad's controls, the player uses.
    // A new text speaks of no spot until it names one.
    void SetInstructions(const std::string& text);
    Graphics::Text* GetInstructions() { return instructions.Get(); }
    // The text as it was set, controls unnamed: it stays the same when the player changes device.
    std::string GetInstructionText() const { return unnamedInstructions; }
    // The tiles the text speaks of (left, bottom, right, top, inclusive); its panel keeps clear of them.
    void SetInstructionsSpot(float left, float bottom, float right, float top) {
        instructions->SetSpot(left, bottom, right, top);
    }
    // Touching the side the zone pulls towards lets an arrow key or the stick switch the variable
    // zones again. Bound by name for the gravity character, which must see the landing before its turn.
    void RearmVariableZonesOnLanding();

    bool IsRespawning() const { return respawning; }
    bool IsWinning() const { return winning; }
    float GetStartX() const { return startX; }
    float GetStartY() const { return startY; }

private:
    struct Ground {
        bool below = false;
        bool above = false;
        bool left = false;
        bool right = false;
    };

    void RescaleInstructions();
    // Names the controls again: the player may have moved from the keyboard to the pad.
    void NameInstructionControls();
    void ReadMovementKeys(float dt);
    // One movement key's push along the surface the zone pulls the player onto, or a jump off it.
    void Move(float dirX, float dirY, float dt);
    void Jump();
    Ground FindGround();
    // Whether the player touches a tile (or body) of the id on any side.
    bool Touches(unsigned id);
    void ReactToTiles();
    // The side on which the player touches a red tile of the map (RedRest's numbering), at rest or not.
    unsigned RedSideTouched();
    // True when the player has rested against red long enough to be sent back; splashes that side.
    bool RestedOnRed();
    // Turns gravity as if the player held that arrow key for the frame.
    void TurnGravity(float x, float y);
    void Restart();
    void RunDying(float dtMs);
    void RunWinning(float dtMs);
    void Win();

    float groundMovement = 20.0f;
    float airMovement = 10.0f;
    float jumpPower = 5.0f;
    float fallPower = 5.0f;
    float airSpeedLimit = 4.0f;
    float startX = 0.0f;
    float startY = 0.0f;
    unsigned startSide = 0;
    ScreenText instructions;
    std::string unnamedInstructions;  // as given, with its "{action}" names
    bool respawning = false;
    bool winning = false;
    float respawnTimer = 0.0f;
    float winTimer = 0.0f;
    bool dontWin = false;
    RedRest redRest;
};

}  // namespace Logic
