// The level editor's modes, its tile painting and its window messages.
#include "editor/LevelEditorService.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "editor/EntityMenu.h"
#include "editor/EntityPicker.h"
#include "editor/MenuPlacement.h"
#include "editor/PropertyVariables.h"
#include "editor/TileKeys.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "graphics/Text.h"
#include "windows/QuestionBox.h"
#include "windows/WindowHandles.h"
#include "windows/WindowsMessage.h"

namespace LevelEditor {
namespace {

constexpr std::uint32_t kBackquote = 0x60;

// Truncation toward zero, as the tile under a point is found; far outside the map is left to
// the map, which ignores cells it does not have.
unsigned TileCoordinate(float value) {
    if (!(std::fabs(value) < 1.0e9f)) {
        return 0xFFFFFFFFu;
    }
    return static_cast<unsigned>(static_cast<int>(value));
}

// The engine's own pause: "Pause" by name would also open the game's pause menu.
void PauseEngine(bool paused) {
    if (ZELM::Engine::Exists()) {
        ZELM::Engine::Instance().Pause(paused);
    }
}

}  // namespace

LevelEditorService::LevelEditorService() = default;
LevelEditorService::~LevelEditorService() = default;

void LevelEditorService::Bind() {
    ZELM::DynamicBinder::Bind("EditorBlockingInput", this, &LevelEditorService::EditorBlockingInput);
    ZELM::DynamicBinder::Bind("SetEditorMode", this, &LevelEditorService::SetEditorMode);
    ZELM::DynamicBinder::Bind("GetEditorMode", this, &LevelEditorService::GetEditorMode);
    BindBroadcast("WindowsMessageHandler", this, &LevelEditorService::WindowsMessageHandler);
    BindBroadcast("LevelStart", this, &LevelEditorService::LevelStart);
    // The graphic components announce a pick to everyone listening.
    BindBroadcast("ObjectPicked", this, &LevelEditorService::ObjectPicked);
    ZELM::DynamicBinder::Bind("ConsoleOutput", this, &LevelEditorService::ConsoleOutput);
    ZELM::DynamicBinder::Bind("BeginEdit", this, &LevelEditorService::BeginEdit);
    ZELM::DynamicBinder::Bind("IsPlayTesting", this, &LevelEditorService::IsPlayTesting);
    BindDeferred("PlayTestReachedGoal", this, &LevelEditorService::PlayTestReachedGoal);
    BindDeferred("MakeNewLevelEntities", this, &LevelEditorService::MakeNewLevelEntities);
    BindDeferred("EditLevel", this, &LevelEditorService::EditLevel);
}

void LevelEditorService::Init() {
    ZELM::ComponentRegistry::Instance().Register<EntityMenu>("LevelEditor", "EntityMenu");
    console.Build();
    BuildMainMenu();
    BuildPropertyMenu();
    palette.Build(TileKeys::PaletteTiles(), *this,
                  [this](const TilePalette::Tile& tile) { ChooseTile(tile.id, tile.name); });
    // Saves go to the player's own levels, which can never take a bundled level's place; any level
    // may be opened, the player's found first.
    const ZELM::PathTable& paths = ZELM::PathTable::Instance();
    std::vector<std::string> levelDirectories{ZELM::PlayerLevels::Directory()};
    if (!paths.GetUser("Levels").empty()) {
        levelDirectories.push_back(paths.GetUser("Levels"));
    }
    levelDirectories.push_back(paths.Get("Levels"));
    picker = std::make_unique<LevelFilePicker>(ZELM::PlayerLevels::Directory(), levelDirectories, &Windows::AskYesNo,
                                               [this](const std::string& text) { console.AddLine(text); });
    newLevelDialog = std::make_unique<NewLevelDialog>([this](const std::string& text) { Report(text); });
    if (IsBound("AddText")) {
        status = Call<Graphics::Text*>("AddText");
    }
    // One line across the top, right of the main menu: what undo, the pick and the play-test say
    // is longer than the mode's name and must not wrap under the bars.
    if (status == nullptr) {
        ownStatus = std::make_unique<Graphics::Text>(240, 5, 560, 1.0f);
        status = ownStatus.get();
    }
    status->x = 240;
    status->y = 5;
    status->width = 560;
    status->scale = 1.0f;
    SetStatus(" ");
    SetEditorMode(false);
    PauseEngine(false);
    // Ctrl+click places a box, or with 1 selected a player.
    archetypeNames = {"block", "Player", "block"};
}

void LevelEditorService::BuildMainMenu() {
    TwBar* bar = TwNewBar("MainMenu");
    TwDefine("MainMenu size='200 200' iconified=true  resizable=true fontresizable=false label='Main Menu'");
    auto button = [bar, this](const char* name, const char* def, void (LevelEditorService::*action)()) {
        struct Press {
            static void Run(void* data) {
                auto* pair =
                    static_cast<std::pair<LevelEditorService*, void (LevelEditorService::*)()>*>(data);
                (pair->first->*pair->second)();
            }
        };
        menuActions.push_back(
            std::make_unique<std::pair<LevelEditorService*, void (LevelEditorService::*)()>>(this, action));
        TwAddButton(bar, name, &Press::Run, menuActions.back().get(), def);
    };
    button("MMNew", " label='New Level' ", &LevelEditorService::NewLevel);
    button("MMOpen", " label='Open Level' ", &LevelEditorService::OpenLevel);
    button("MMSave", " label='Save Level' ", &LevelEditorService::SaveLevel);
    button("MMExport", " label='Export Level' ", &LevelEditorService::ExportLevel);
    // The name a shared level carries, kept with the player's levels.
    struct Author {
        static void Set(const void* value, void* editor) {
            static_cast<LevelEditorService*>(editor)->Call("SetAuthorName", *static_cast<const std::string*>(value));
        }
        static void Get(void* value, void* editor) {
            auto* self = static_cast<LevelEditorService*>(editor);
            *static_cast<std::string*>(value) =
                self->IsBound("GetAuthorName") ? self->Call<std::string>("GetAuthorName") : std::string();
        }
    };
    TwAddVarCB(bar, "MMAuthor", TW_TYPE_STDSTRING, &Author::Set, &Author::Get, this, " label='Author' ");
    TwAddSeparator(bar, "MMSep3", "");
    button("MMQuit", " label='Quit' ", &LevelEditorService::QuitGame);
}

// No yes/no question first: the dialog can be cancelled, and a new level is undone like any edit.
void LevelEditorService::NewLevel() {
    newLevelDialog->Show([this](unsigned width, unsigned height) { MakeNewLevel(width, height); });
}

// The picker does not stop the game as a system dialog would, so the game waits while it is open.
void LevelEditorService::OpenLevel() {
    PauseEngine(true);
    picker->Show(
        LevelFilePicker::Purpose::Open,
        [this](const std::string& path) {
            // The level's start lets the game go on.
            CallLater("ChangeLevel", 0.0f, path);
        },
        [] { PauseEngine(false); });
}

// Saved as it stood when Save was pressed: the game waits while the name is typed.
void LevelEditorService::SaveLevel() {
    PauseEngine(true);
    picker->Show(
        LevelFilePicker::Purpose::Save,
        [this](const std::string& chosen) {
            // The player's levels directory is made on the first save into it.
            const std::string file = chosen.substr(chosen.find_last_of('/') + 1);
            std::error_code ignored;
            std::filesystem::create_directories(ZELM::PlayerLevels::Directory(), ignored);
            const std::string path = ZELM::PlayerLevels::Directory() + file;
            if (ZELM::Engine::Exists() && ZELM::Engine::Instance().SaveLevel(path)) {
                console.AddLine("Saved " + path);
                savedAs = ZELM::PlayerLevels::LevelName(std::filesystem::path(path).stem().string());
            }
            PauseEngine(false);
        },
        [] { PauseEngine(false); });
}

void LevelEditorService::ExportLevel() {
    const std::string current = IsBound("GetLevelName") ? Call<std::string>("GetLevelName") : std::string();
    // A level opened from elsewhere and saved is the player's from that save on.
    const std::string level = ZELM::PlayerLevels::IsPlayerLevel(current) ? current : savedAs;
    if (!ZELM::PlayerLevels::IsPlayerLevel(level) || !IsBound("ExportLevelFile")) {
        Report("Save the level first: only your own saved levels can be exported");
        return;
    }
    const char* home = std::getenv("HOME");
    const std::string folder = home != nullptr && home[0] == '/' ? std::string(home) + "/" : ZELM::PlayerLevels::Directory();
    const std::string file = folder + ZELM::PlayerLevels::StemOf(level) + ".fwlevel";
    // What is exported is the level as last saved, not edits made since.
    const std::string problem = Call<std::string>("ExportLevelFile", level, file);
    Report(problem.empty() ? "Exported " + file : "Not exported: " + problem);
}

void LevelEditorService::EditLevel(std::string level) {
    if (!ZELM::Engine::Exists()) {
        return;
    }
    editOnStart = true;
    ZELM::Engine::Instance().LoadLevel(level);
}

void LevelEditorService::QuitGame() {
    CallLater("Quit", 0.0f);
}

void LevelEditorService::BuildPropertyMenu() {
    TwBar* bar = TwNewBar("PropertyMenu");
    // Under the main menu, whose export button and author field make it taller.
    TwDefine(
        " PropertyMenu label='Debug Property Menu' iconified=true fontresizable=false alwaysbottom=true "
        "alpha=200 "
        "position='0 222' size='200 300' color='0 0 0' ");
    if (!ZELM::Engine::Exists()) {
        return;
    }
    struct Adder : ZELM::IVisitor<ZELM::ServiceBase> {
        explicit Adder(TwBar* bar) : bar(bar) {}
        void Visit(ZELM::ServiceBase& visited) override {
            auto* service = dynamic_cast<ZELM::Service*>(&visited);
            if (service == nullptr) {
                return;
            }
            const std::string& name = service->GetServiceName();
            AddPropertyVariables(bar, *service, name, "");
            TwDefine(("PropertyMenu/" + name + " opened=false").c_str());
        }
        TwBar* bar;
    } adder(bar);
    ZELM::Engine::Instance().VisitServices(adder);
}

void LevelEditorService::ShowMenus(bool shown) {
    const std::string word = shown ? "true" : "false";
    TwDefine((" TW_HELP visible=" + word + " ").c_str());
    TwDefine((" MainMenu visible=" + word + " ").c_str());
    TwDefine(shown ? " PropertyMenu visible=true " : " PropertyMenu visible=false ");
    entityList.Show(shown);
    for (ZELM::Component* component : GetComponents()) {
        if (auto* menu = dynamic_cast<EntityMenu*>(component)) {
            menu->Show(shown);
        }
    }
}

const std::string& LevelEditorService::GetStatus() const {
    static const std::string none;
    return status != nullptr ? status->text : none;
}

void LevelEditorService::SetStatus(const std::string& text) {
    if (status != nullptr) {
        status->text = text;
    }
}

void LevelEditorService::SetEditorMode(bool on) {
    editorMode = on;
    ShowMenus(on);
}

// In tile mode the arrows and W/A/S/D pan the view, so the game gets no keys there either; the
// editor's own keys read through the editor queries.
bool LevelEditorService::EditorBlockingInput() {
    return (console.IsShown() && !console.IsEscaped()) || editorMode || mode == kTile;
}

void LevelEditorService::LevelStart() {
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        struct MenuGiver : ZELM::IVisitor<ZELM::EntityHandle> {
            void Visit(ZELM::EntityHandle& entity) override {
                if (EntityMenu* menu = EntityMenu::Attach(entity)) {
                    menu->MenuVisible(false);
                }
            }
        } giver;
        entities->VisitEntities(giver);
    }
    SetEditorMode(false);
    PauseEngine(false);
    CallAll("SetDebug Draw", false);
    // The steps belong to the level they were made in; a play-test's own start, or a level reached
    // in it, keeps them, since F5 brings the edited level back.
    if (!playTest.IsRunning()) {
        history.Clear();
        savedAs.clear();
    }
    // The new level's camera starts on its player; Update takes the view over from there.
    view.Release(*this);
    if (editOnStart) {
        editOnStart = false;
        mode = kPlay;
        AdvanceMode();
    }
}

void LevelEditorService::ObjectPicked(ZELM::EntityHandle entity) {
    ZELM::Entity* picked = entity.GetIfAlive();
    // A graphic may announce the mouse over it every frame: only a right click opens a menu.
    if (mode != kEditor || picked == nullptr || !(pickingNow || Call<bool>("RightClickTrigger"))) {
        return;
    }
    OpenMenuBesideMouse(entity);
    // A menu may open where the designer does not expect it: the status line names its entity.
    SetStatus("[EDITOR MODE] " + picked->GetName() + ": menu open");
}

void LevelEditorService::OpenMenuBesideMouse(ZELM::EntityHandle entity) {
    ZELM::Entity* owner = entity.GetIfAlive();
    if (owner == nullptr) {
        return;
    }
    // Beside the entity, where the designer looks, and inside the window.
    MenuPlacement::Point window{Windows::kClientWidth, Windows::kClientHeight};
    if (IsBound("GetScreenWidth")) {
        window = {Call<int>("GetScreenWidth"), Call<int>("GetScreenHeight")};
    }
    const EntityMenu* menu = EntityMenu::Attach(entity);
    const MenuPlacement::Point size{menu != nullptr ? menu->GetWidth() : 0,
                                    menu != nullptr ? menu->GetHeight() : 0};
    const MenuPlacement::Point at =
        MenuPlacement::Beside({Call<int>("xMouse"), Call<int>("yMouse")}, size, window);
    owner->Call("MenuVisible", true);
    owner->Call("ChangeMenuPos", at.x, at.y);
}

std::string LevelEditorService::NewEntityName() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    std::string name;
    do {
        name = "Untitled" + std::to_string(entityCounter++);
    } while (entities != nullptr && !entities->Get(name).IsNull());
    return name;
}

void LevelEditorService::CreateEntityAt(int windowX, int windowY) {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    const std::string name = NewEntityName();
    history.BeginEdit("create " + name);
    const ZELM::EntityHandle entity = entities->Create(name);
    if (EntityMenu* menu = EntityMenu::Attach(entity)) {
        menu->ChangeMenuPos(windowX, windowY);
    }
}

void LevelEditorService::PlaceArchetypeUnderMouse() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    const std::string archetype = archetypeNames[selection < archetypeNames.size() ? selection : 0];
    const std::string name = NewEntityName();
    history.BeginEdit("place " + archetype + " " + name);
    const ZELM::EntityHandle entity = entities->CreateFromArchetype(name, archetype);
    ZELM::Entity* placed = entity.GetIfAlive();
    if (placed == nullptr) {
        return;
    }
    // Its menu waits in the Entities list (a right click opens it): menus opened for every box
    // placed would pile up over the boxes still to be placed.
    if (EntityMenu* menu = EntityMenu::Attach(entity)) {
        menu->MenuVisible(false);
    }
    SetStatus("[EDITOR MODE] placed " + name + " (" + archetype + ")");
    // The place reaches the body and its physics together; a box without a body has no velocity.
    placed->CallAll("SetX", Call<float>("xMouseProjected", 0.0f));
    placed->CallAll("SetY", Call<float>("yMouseProjected", 0.0f));
    if (placed->IsBound("SetXVelocity")) {
        placed->Call("SetXVelocity", 0.0f);
        placed->Call("SetYVelocity", 0.0f);
    }
}

void LevelEditorService::AdvanceMode() {
    if (playTest.IsRunning()) {
        FinishPlayTest();
        return;
    }
    mode = (mode + 1) % 3;
    selection = 0;
    static const char* const kStatus[] = {" ", "[EDITOR MODE]", "[TILE MODE]"};
    SetEditorMode(mode == kEditor);
    SetStatus(kStatus[mode]);
    palette.Show(mode == kTile);
    palette.MarkSelected(selection);
    if (mode == kPlay) {
        view.Release(*this);
    }
}

void LevelEditorService::WindowsMessageHandler(Windows::WindowsMessage message) {
    bool handled = message.handled != nullptr && *message.handled;
    if (message.message == Windows::Message::kChar && message.wParam == kBackquote) {
        AdvanceMode();
        handled = true;
    } else if (console.TakeMessage(message)) {
        handled = true;
    }
    bool barsTookIt = false;
    if (!handled && message.event != nullptr && TwEventSDL(message.event, 2, 0) != 0) {
        handled = true;
        barsTookIt = true;
    }
    handled = ViewMessage(message, barsTookIt, handled) || handled;
    // A click on nothing in editor mode makes an empty entity with its menu where the click was;
    // with Ctrl held, Update places an archetype instead.
    if (!handled && mode == kEditor && message.message == Windows::Message::kLeftButtonDown &&
        !Call<bool>("EditorKeyDown", std::string("LCTRL"))) {
        CreateEntityAt(message.lParam & 0xFFFF, (message.lParam >> 16) & 0xFFFF);
        handled = true;
    }
    if (message.handled != nullptr) {
        *message.handled = handled;
    }
}

bool LevelEditorService::ViewMessage(const Windows::WindowsMessage& message, bool barsTookIt, bool handled) {
    switch (message.message) {
        case Windows::Message::kKeyDown:
            keysToBars = barsTookIt;
            return false;
        case Windows::Message::kLeftButtonDown:
        case Windows::Message::kRightButtonDown:
            barsTookClick = barsTookIt;
            barsClickSeen = false;
            break;
        default:
            break;
    }
    if (handled || mode == kPlay) {
        return false;
    }
    if (message.message == Windows::Message::kMouseWheel) {
        view.Zoom(static_cast<std::int16_t>(static_cast<std::uint32_t>(message.wParam) >> 16) / 120);
        return true;
    }
    if (message.message == Windows::Message::kRightButtonDown && mode == kEditor) {
        PickUnderMouse();
        return true;
    }
    return false;
}

// The ray under the mouse meets the drawn entities; the nearest is announced as picked.
void LevelEditorService::PickUnderMouse() {
    ZELM::EntityHandle entity = EntityPicker::UnderMouse(*this);
    if (!entity.IsNull()) {
        pickingNow = true;
        CallAll("ObjectPicked", entity);
        pickingNow = false;
    }
}

bool LevelEditorService::ClickWentToBars() {
    if (!barsTookClick) {
        return false;
    }
    const bool held = Call<bool>("LeftClick") || Call<bool>("RightClick");
    if (held) {
        barsClickSeen = true;
    } else if (barsClickSeen) {
        barsTookClick = false;
    }
    return true;
}

void LevelEditorService::OutlineCellUnderMouse() {
    if (IsBound("OutlineCell") && IsBound("xMouseProjected")) {
        const float x = Call<float>("xMouseProjected", 0.0f);
        const float y = Call<float>("yMouseProjected", 0.0f);
        if (std::fabs(x) < 1.0e6f && std::fabs(y) < 1.0e6f) {
            Call("OutlineCell", static_cast<int>(x), static_cast<int>(y));
        }
    }
}

void LevelEditorService::Update(float dt) {
    UpdateComponents(dt);
    history.FrameStarted();
    HandleEditKeys();
    if (mode == kPlay) {
        return;
    }
    if (!view.IsHeld()) {
        view.Hold(*this);
    }
    // Keys typed into the console or a menu field are text, not editor commands.
    const bool keysFree = !keysToBars && !(console.IsShown() && !console.IsEscaped());
    view.Update(*this, dt, keysFree);
    OutlineCellUnderMouse();
    if (mode == kEditor) {
        entityList.Refresh();
        SelectInEditorMode();
        // Once a click: a held button would place one a frame.
        if (Call<bool>("LeftClickTrigger") && Call<bool>("EditorKeyDown", std::string("LCTRL"))) {
            PlaceArchetypeUnderMouse();
        }
    } else {
        if (keysFree) {
            SelectTile();
        }
        PaintTiles();
    }
    if (keysFree && mode == kTile &&
        (Call<bool>("EditorKeyDown", std::string("LCTRL")) ||
         Call<bool>("EditorKeyDown", std::string("RCTRL"))) &&
        Call<bool>("EditorKeyTriggered", std::string("S"))) {
        Call("SaveLevels");
    }
}

void LevelEditorService::SelectInEditorMode() {
    if (Call<bool>("EditorKeyTriggered", std::string("1"))) {
        selection = 1;
        console.AddLine("Gravity/Phaser character selected!");
    } else if (Call<bool>("EditorKeyTriggered", std::string("2"))) {
        selection = 2;
        console.AddLine("Standard block selected!");
    }
}

void LevelEditorService::SelectTile() {
    if (const TileKeys::Key* picked = TileKeys::Triggered(*this)) {
        ChooseTile(picked->id, picked->name);
    }
}

void LevelEditorService::ChooseTile(unsigned char id, const std::string& name) {
    selection = id;
    console.AddLine(name + " selected!");
    // The console is hidden by default: the status line and the palette say what a click paints.
    SetStatus("[TILE MODE] " + std::to_string(id) + ": " + name);
    palette.MarkSelected(id);
}

void LevelEditorService::PaintTiles() {
    const bool paint = Call<bool>("LeftClick");
    const bool erase = Call<bool>("RightClick");
    if (ClickWentToBars() || (!paint && !erase)) {
        history.EndStroke();  // a stroke is one step, press to release
        return;
    }
    const unsigned x = TileCoordinate(Call<float>("xMouseProjected", 0.0f));
    const unsigned y = TileCoordinate(Call<float>("yMouseProjected", 0.0f));
    if (paint) {
        history.Paint(x, y, selection);
    }
    if (erase) {
        history.Paint(x, y, 0);
    }
}

std::string LevelEditorService::GetSelectionName() const {
    if (mode != kTile) {
        return std::string();
    }
    const TileKeys::Key* tile = TileKeys::Find(selection);
    return tile != nullptr ? tile->name : std::string();
}

}  // namespace LevelEditor
