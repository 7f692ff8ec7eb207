// Player movement: keys, jumps, tile reactions, dying and winning.
#include "logic/PlayerMovement.h"

#include <cmath>
#include <set>

#include "engine/ComponentAttachment.h"
#include "engine/GravityParameters.h"
#include "input/Action.h"

namespace Logic {
namespace {

// The line starts blank: each level's script says what that level teaches, so a text shows only
// where its mechanic first appears (one space, for an empty text would leave the text layer).
const char kFirstInstructions[] = " ";

// Ids that count as ground: solid blocks, blue blocks and checkpoints (red, slippery and the goal do not).
constexpr unsigned kGroundIds[] = {0, 1, 2, 3, 4, 5};

struct TutorialTile {
    unsigned type;
    const char* text;
};

const TutorialTile kTutorialTiles[] = {
    {15, "Press {phase} to phase through BLUE walls!"},
    {16, "GREEN blocks are checkpoints. Don't forget to bump into them!"},
    {17, "Watch out! RED blocks make you restart at the last checkpoint."},
    {18, "Explore your environment to discover the best path through obstacles."},
    {19, "LIGHT BLUE blocks are slippery!  Try sliding on them to help you through puzzles."},
};

// The walking actions and their directions, W A S D or the left stick and D-pad unless the player
// chose others.
struct WalkAction {
    const char* action;
    float x;
    float y;
};

const WalkAction kWalkActions[] = {
    {"walkright", 1.0f, 0.0f}, {"walkleft", -1.0f, 0.0f}, {"walkup", 0.0f, 1.0f}, {"walkdown", 0.0f, -1.0f}};

}  // namespace

PlayerMovement::PlayerMovement()
    : instructions(engine, 20, 60, static_cast<int>(ScreenText::ScreenHeight(engine) / 600.0f * 780.0f),
                   ScreenText::ScreenHeight(engine) / 600.0f * 3.0f, kFirstInstructions) {
    instructions->panel = kMessagePanel;
}

void PlayerMovement::Bind() {
    BindProperty(&groundMovement, "Ground Movement", false, false);
    BindProperty(&airMovement, "Air Movement", false, false);
    BindProperty(&jumpPower, "Jump Power", false, false);
    BindProperty(&fallPower, "Fall Power", false, false);
    BindProperty(&airSpeedLimit, "Air Speed Limit", false, false);
    ZELM::DynamicBinder::Bind("SetStartingPoint", this, &PlayerMovement::SetStartingPoint);
    ZELM::DynamicBinder::Bind("SetDontWin", this, &PlayerMovement::SetDontWin);
    ZELM::DynamicBinder::Bind("SetInstructions", this, &PlayerMovement::SetInstructions);
    ZELM::DynamicBinder::Bind("GetInstructions", this, &PlayerMovement::GetInstructions);
    ZELM::DynamicBinder::Bind("GetInstructionText", this, &PlayerMovement::GetInstructionText);
    ZELM::DynamicBinder::Bind("SetInstructionsSpot", this, &PlayerMovement::SetInstructionsSpot);
    ZELM::DynamicBinder::Bind("RearmVariableZonesOnLanding", this,
                              &PlayerMovement::RearmVariableZonesOnLanding);
}

void PlayerMovement::Init() {
    ZELM::Entity* owner = GetOwner().Resolve();
    if (owner == nullptr) {
        return;
    }
    ZELM::EnsureComponent(*owner, "Physics", "PhysicsComponent");
    // Until a checkpoint is touched, a red block sends the player back to where the level began.
    startX = Call<float>("GetX");
    startY = Call<float>("GetY");
    engine.Call("SetPlayer", GetOwner());
}

void PlayerMovement::Update(float dtMs) {
    const float dt = dtMs / 1000.0f;
    RescaleInstructions();
    NameInstructionControls();
    ReadMovementKeys(dt);
    if (respawning) {
        RunDying(dtMs);
        return;
    }
    if (winning) {
        RunWinning(dtMs);
        return;
    }
    ReactToTiles();
}

void PlayerMovement::SetInstructions(const std::string& text) {
    unnamedInstructions = text;
    instructions->text = text;
    instructions->ClearSpot();
    NameInstructionControls();
}

void PlayerMovement::NameInstructionControls() {
    if (unnamedInstructions.find('{') != std::string::npos && engine.IsBound("NameControls")) {
        instructions->text = engine.Call<std::string>("NameControls", unnamedInstructions);
    }
}

void PlayerMovement::RescaleInstructions() {
    instructions->width = static_cast<int>(ScreenText::ScreenWidth(engine) * 0.8f);
    instructions->scale = ScreenText::ScreenHeight(engine) / 600.0f * 2.5f;
}

void PlayerMovement::ReadMovementKeys(float dt) {
    for (const WalkAction& walk : kWalkActions) {
        if (engine.Call<bool>("ActionDown", std::string(walk.action))) {
            Move(walk.x, walk.y, dt);
        }
    }
}

bool PlayerMovement::Touches(unsigned id) {
    return Call<bool>("CheckDownCollision", id) || Call<bool>("CheckUpCollision", id) ||
           Call<bool>("CheckLeftCollision", id) || Call<bool>("CheckRightCollision", id);
}

void PlayerMovement::RearmVariableZonesOnLanding() {
    const float gEx = Call<float>("GetXGravityEffect");
    const float gEy = Call<float>("GetYGravityEffect");
    if (gEx == 0.0f && gEy == 0.0f) {
        return;  // outside every zone nothing pulls the player onto a side
    }
    // Standing still counts: a player lands without touching a key.
    const Ground ground = FindGround();
    if ((gEx < 0.0f && ground.left) || (gEx > 0.0f && ground.right) || (gEy > 0.0f && ground.above) ||
        (gEy < 0.0f && ground.below)) {
        engine.Call("SetAbilityToChangeGravity", true);
    }
}

PlayerMovement::Ground PlayerMovement::FindGround() {
    Ground ground;
    for (const unsigned id : kGroundIds) {
        ground.below = ground.below || Call<bool>("CheckDownCollision", id);
        ground.above = ground.above || Call<bool>("CheckUpCollision", id);
        ground.left = ground.left || Call<bool>("CheckLeftCollision", id);
        ground.right = ground.right || Call<bool>("CheckRightCollision", id);
    }
    return ground;
}

void PlayerMovement::Move(float dirX, float dirY, float dt) {
    const float gEx = Call<float>("GetXGravityEffect");
    const float gEy = Call<float>("GetYGravityEffect");
    const float vx = Call<float>("GetXVelocity");
    const float vy = Call<float>("GetYVelocity");
    const Ground ground = FindGround();
    auto acceleration = [this](bool onGround) { return onGround ? groundMovement : airMovement; };
    if (gEy != 0.0f) {
        const bool onGround = gEy < 0.0f ? ground.below : ground.above;
        const bool jumpKey = gEy < 0.0f ? dirY > 0.0f : dirY < 0.0f;
        if (dirX != 0.0f) {
            Call("SetXVelocity", vx + dirX * acceleration(onGround) * dt);
        } else if (onGround && jumpKey) {
            Jump();
        }
    }
    if (gEx != 0.0f) {
        const bool onGround = gEx < 0.0f ? ground.left : ground.right;
        const bool jumpKey = gEx < 0.0f ? dirX > 0.0f : dirX < 0.0f;
        if (dirY != 0.0f) {
            Call("SetYVelocity", vy + dirY * acceleration(onGround) * dt);
        } else if (onGround && jumpKey) {
            Jump();
        }
    }
}

void PlayerMovement::Jump() {
    engine.Call("PlayJump");
    const float speed = std::sqrt(jumpPower);
    if (Call<float>("GetXGravityEffect") < 0.0f)
        Call("SetXVelocity", speed);
    if (Call<float>("GetXGravityEffect") > 0.0f)
        Call("SetXVelocity", -speed);
    if (Call<float>("GetYGravityEffect") < 0.0f)
        Call("SetYVelocity", speed);
    if (Call<float>("GetYGravityEffect") > 0.0f)
        Call("SetYVelocity", -speed);
}

void PlayerMovement::ReactToTiles() {
    // Every contact is read first: a restart freezes the body, which empties its contact lists, and
    // the other tiles touched in the same frame still react.
    static const unsigned kReactingIds[] = {6, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    std::set<unsigned> touched;
    for (const unsigned id : kReactingIds) {
        if (Touches(id)) {
            touched.insert(id);
        }
    }
    if (touched.count(6) || RestedOnRed()) {
        Restart();
    }
    if (touched.count(8)) {
        SetInstructions(" ");
    }
    static const struct {
        unsigned type;
        float x;
        float y;
    } kGravityTiles[] = {{11, -1.0f, 0.0f}, {12, 1.0f, 0.0f}, {13, 0.0f, 1.0f}, {14, 0.0f, -1.0f}};
    for (const auto& tile : kGravityTiles) {
        if (touched.count(tile.type)) {
            TurnGravity(tile.x, tile.y);
        }
    }
    for (const TutorialTile& tile : kTutorialTiles) {
        if (touched.count(tile.type)) {
            SetInstructions(tile.text);
        }
    }
    if (touched.count(20)) {
        Win();
    }
}

unsigned PlayerMovement::RedSideTouched() {
    if (!engine.IsBound("GetTileID")) {
        return RedRest::kNoSide;  // no level map (tools, tests of the character alone)
    }
    return RedRest::TouchedSide(Call<float>("GetX"), Call<float>("GetY"), Call<float>("GetWidth"),
                                Call<float>("GetHeight"), 6, [this](int column, int row) {
                                    return engine.Call<unsigned char>("GetTileID",
                                                                      static_cast<unsigned>(column),
                                                                      static_cast<unsigned>(row));
                                });
}

bool PlayerMovement::RestedOnRed() {
    const unsigned side = RedSideTouched();
    if (!redRest.Step(Call<float>("GetX"), Call<float>("GetY"), side != RedRest::kNoSide)) {
        return false;
    }
    // The splash an impact on that side makes, so a player sees why they are sent back.
    static const char* const kRed[] = {"SplashUpRed", "SplashDownRed", "SplashLeftRed", "SplashRightRed"};
    if (engine.IsBound(kRed[side])) {
        engine.Call(kRed[side]);
    }
    return true;
}

void PlayerMovement::TurnGravity(float x, float y) {
    ZELM::GravityParameters source;
    if (IsBound("GetGravitySource")) {
        source = Call<ZELM::GravityParameters>("GetGravitySource");
    } else {
        // The gravity character's defaults, at the player's place.
        source = ZELM::GravityParameters{Call<float>("GetX"), Call<float>("GetY"), 1.0f, 3.0f, 5.0f};
    }
    engine.Call("ChangeGlobalGravity", x, y, source);
}

void PlayerMovement::Restart() {
    CallAll("SetZ", 20.0f);
    Call("SetFreeze", true);
    respawnTimer = kRespawnMs;
    respawning = true;
    redRest.Reset();
}

void PlayerMovement::Win() {
    CallAll("SetDisablePlayer", true);
    Call("SetFreeze", true);
    engine.Call("PlayWin");
    winning = true;
    engine.Call("TimeToWin");
    winTimer = kWinMs;
}

void PlayerMovement::RunDying(float dtMs) {
    respawnTimer -= dtMs;
    engine.Call("SetIntensity", engine.Call<float>("GetIntensity") - dtMs / 1000.0f * 0.5f);
    if (respawnTimer > 0.0f) {
        return;
    }
    engine.Call("PlaySpawn");
    Call("SetFreeze", false);
    CallAll("SetDisablePlayer", false);
    respawning = false;
    CallAll("SetZ", 0.5f);
    CallAll("SetX", startX);
    CallAll("SetY", startY);
    Call("SetXVelocity", 0.0f);
    Call("SetYVelocity", 0.0f);
    engine.Call("SetIntensity", 1.0f);
    // Gravity points at the checkpoint, so the player lands on the side it touched.
    const float g = std::fabs(Call<float>("GetXGravity") + Call<float>("GetYGravity"));
    const float towards[4][2] = {{0.0f, -g}, {0.0f, g}, {-g, 0.0f}, {g, 0.0f}};
    if (startSide < 4) {
        Call("SetXGravity", towards[startSide][0]);
        Call("SetYGravity", towards[startSide][1]);
    }
}

void PlayerMovement::RunWinning(float dtMs) {
    engine.Call("SetIntensity", engine.Call<float>("GetIntensity") + dtMs / 1000.0f * 4.0f);
    winTimer -= dtMs;
    if (winTimer > 0.0f) {
        return;
    }
    winning = false;
    if (dontWin) {
        return;  // time attack and race: the result text waits for ENTER
    }
    CallAll("SetDisablePlayer", false);
    Call("SetFreeze", false);
    // A play-test from the editor goes back to the edit; the adventure goes on to the next level.
    if (engine.IsBound("IsPlayTesting") && engine.Call<bool>("IsPlayTesting")) {
        engine.CallLater("PlayTestReachedGoal", 0.0f);
        return;
    }
    engine.CallLater("NextLevel", 0.0f);
}

void PlayerMovement::SetStartingPoint(float x, float y, unsigned side) {
    startSide = side;
    const float w = Call<float>("GetWidth");
    const float h = Call<float>("GetHeight");
    switch (side) {
        case 0:
            startX = x;
            startY = y + 0.5f + h / 2.0f;
            break;
        case 1:
            startX = x;
            startY = y - 0.5f - h / 2.0f;
            break;
        case 2:
            startX = x + 0.5f + w / 2.0f;
            startY = y;
            break;
        case 3:
            startX = x - 0.5f - w / 2.0f;
            startY = y;
            break;
        default:
            break;
    }
}

}  // namespace Logic
