// The level editor's modes, its tile painting, its selection keys and its window messages.
#include "editor/LevelEditorService.h"

#include <cmath>

#include "editor/tweakbar/TweakBar.h"
#include "graphics/Text.h"
#include "windows/WindowsMessage.h"

namespace LevelEditor {
namespace {

constexpr std::uint32_t kBackquote = 0x60;
constexpr std::uint32_t kTilde = 0x7e;
constexpr std::uint32_t kEscape = 27;
constexpr std::uint32_t kUpArrow = 0x26;
constexpr std::uint32_t kDownArrow = 0x28;

struct TileKey {
    const char* key;
    unsigned char id;
    const char* message;
};

// Number keys pick ids 1 to 9, function keys 11 to 20, with the messages of the first ten.
constexpr TileKey kNumberKeys[] = {
    {"1", 1, "Normal block selected!"},
    {"2", 2, "Antiphasing block selected!"},
    {"3", 3, "Antigrav block selected!"},
    {"4", 4, "Antiphasing/Antigravity block selected!"},
    {"5", 5, "Winpoint block selected!"},
    {"6", 6, "Gravity guy selected!"},
    {"7", 7, "Phaser guy selected!"},
    {"8", 8, "Dummy block selected!"},
    {"9", 9, "Dummy block selected!"},
};
constexpr TileKey kFunctionKeys[] = {
    {"F1", 11, "Normal block selected!"},
    {"F2", 12, "Antiphasing block selected!"},
    {"F3", 13, "Antigrav block selected!"},
    {"F4", 14, "Antiphasing/Antigravity block selected!"},
    {"F5", 15, "Winpoint block selected!"},
    {"F6", 16, "Gravity guy selected!"},
    {"F7", 17, "Phaser guy selected!"},
    {"F8", 18, "Dummy block selected!"},
    {"F9", 19, "Dummy block selected!"},
    {"F10", 20, "Dummy block selected!"},
};

// Truncation toward zero, as the tile under a point is found; far outside the map is left to
// the map, which ignores cells it does not have.
unsigned TileCoordinate(float value) {
    if (!(std::fabs(value) < 1.0e9f)) {
        return 0xFFFFFFFFu;
    }
    return static_cast<unsigned>(static_cast<int>(value));
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
    ZELM::DynamicBinder::Bind("WindowResized", this, &LevelEditorService::WindowResized);
    ZELM::DynamicBinder::Bind("ConsoleOutput", this, &LevelEditorService::ConsoleOutput);
}

void LevelEditorService::Init() {
    console.Build();
    if (IsBound("AddText")) {
        status = Call<Graphics::Text*>("AddText");
    }
    if (status == nullptr) {
        ownStatus = std::make_unique<Graphics::Text>(600, 5, 200, 1.0f);
        status = ownStatus.get();
    }
    status->x = 600;
    status->y = 5;
    status->width = 200;
    status->scale = 1.0f;
    SetStatus(" ");
    SetEditorMode(false);
    if (IsBound("Pause")) {
        CallLater("Pause", 0.0f, false);
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
    TwDefine(on ? " TW_HELP visible=true " : " TW_HELP visible=false ");
}

bool LevelEditorService::EditorBlockingInput() { return (console.IsShown() && !console.IsEscaped()) || editorMode; }

void LevelEditorService::LevelStart() {
    SetEditorMode(false);
    CallAll("SetDebug Draw", false);
}

void LevelEditorService::AdvanceMode() {
    mode = (mode + 1) % 3;
    selection = 0;
    static const char* const kStatus[] = {" ", "[EDITOR MODE]", "[TILE MODE]"};
    SetEditorMode(mode == kEditor);
    SetStatus(kStatus[mode]);
}

void LevelEditorService::WindowsMessageHandler(Windows::WindowsMessage message) {
    bool handled = message.handled != nullptr && *message.handled;
    if (message.message == Windows::Message::kChar && message.wParam == kBackquote) {
        AdvanceMode();
        handled = true;
    } else if (ConsoleMessage(message)) {
        handled = true;
    }
    if (!handled && message.event != nullptr && TwEventSDL(message.event, 2, 0) != 0) {
        handled = true;
    }
    if (message.handled != nullptr) {
        *message.handled = handled;
    }
}

// '~' shows and hides the console; while it is shown Esc lets go of its field and the arrows walk
// the history.
bool LevelEditorService::ConsoleMessage(const Windows::WindowsMessage& message) {
    if (message.message == Windows::Message::kChar && message.wParam == kTilde) {
        if (console.IsShown() && console.IsEscaped()) {
            console.SetEscaped(false);
        } else {
            console.Show(!console.IsShown());
        }
        return true;
    }
    if (!console.IsShown()) {
        return false;
    }
    if (message.message == Windows::Message::kChar && message.wParam == kEscape && !console.IsEscaped()) {
        console.SetEscaped(true);
        return true;
    }
    if (message.message == Windows::Message::kKeyDown && (message.wParam == kUpArrow || message.wParam == kDownArrow)) {
        console.Recall(message.wParam == kUpArrow ? -1 : 1);
        return true;
    }
    return false;
}

void LevelEditorService::Update(float dt) {
    UpdateComponents(dt);
    if (mode == kPlay) {
        return;
    }
    if (mode == kEditor) {
        SelectInEditorMode();
    } else {
        SelectTile();
        PaintTiles();
    }
    // The gameplay queries read false while editor mode is on, so this saves from tile mode.
    if ((Call<bool>("KeyDown", std::string("LCTRL")) || Call<bool>("KeyDown", std::string("RCTRL"))) &&
        Call<bool>("KeyTriggered", std::string("S"))) {
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
    // The number keys first, then the function keys: both may fire in one frame, the later wins.
    for (const TileKey& key : kNumberKeys) {
        if (Call<bool>("KeyTriggered", std::string(key.key))) {
            selection = key.id;
            console.AddLine(key.message);
            break;
        }
    }
    for (const TileKey& key : kFunctionKeys) {
        if (Call<bool>("KeyTriggered", std::string(key.key))) {
            selection = key.id;
            console.AddLine(key.message);
            break;
        }
    }
}

void LevelEditorService::PaintTiles() {
    const bool paint = Call<bool>("LeftClick");
    const bool erase = Call<bool>("RightClick");
    if (!paint && !erase) {
        return;
    }
    const unsigned x = TileCoordinate(Call<float>("xMouseProjected", 0.0f));
    const unsigned y = TileCoordinate(Call<float>("yMouseProjected", 0.0f));
    if (paint) {
        Call("SetLevelID", x, y, selection);
    }
    if (erase) {
        Call("SetLevelID", x, y, static_cast<unsigned char>(0));
    }
}

}  // namespace LevelEditor
