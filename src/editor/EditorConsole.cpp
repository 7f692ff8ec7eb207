// The console's bar, its lines and its commands.
#include "editor/EditorConsole.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "editor/tweakbar/TweakBar.h"
#include "utilities/LuaState.h"
#include "windows/WindowsMessage.h"

namespace LevelEditor {
namespace {

constexpr std::uint32_t kTilde = 0x7e;
constexpr std::uint32_t kEscape = 27;
constexpr std::uint32_t kUpArrow = 0x26;
constexpr std::uint32_t kDownArrow = 0x28;

constexpr char kBarDefinition[] =
    " Console label='Console' resizable=false fontresizable=false movable=false alwaysbottom=true alpha=200 "
    "iconifiable=false visible=false position='0 0' size='800 176' valueswidth=750 color='0 0 0' ";

// A label is quoted with single quotes in a definition, so the text may not hold one.
std::string Labelled(std::string text) {
    for (char& c : text) {
        if (c == '\'') {
            c = '"';
        }
    }
    return text.empty() ? " " : text;
}

}  // namespace

void EditorConsole::Build() {
    lines.fill(" ");
    TwBar* bar = TwNewBar("Console");
    TwDefine(kBarDefinition);
    for (int i = 0; i < kLineCount; ++i) {
        const std::string name = "line_" + std::to_string(i);
        TwAddButton(bar, name.c_str(), nullptr, nullptr, " label=' ' ");
    }
    TwAddSeparator(bar, "Separator", "");
    TwAddVarCB(bar, "InputVar", TW_TYPE_STDSTRING, &EditorConsole::SetInputCallback, &EditorConsole::GetInputCallback,
               this, " label='   $' ");
    built = true;
}

void EditorConsole::ShowLine(int index) {
    if (built) {
        const std::string definition =
            " Console/line_" + std::to_string(index) + " label='" + Labelled(lines[static_cast<std::size_t>(index)]) + "' ";
        TwDefine(definition.c_str());
    }
}

void EditorConsole::AddLine(const std::string& text) {
    for (int i = 0; i + 1 < kLineCount; ++i) {
        lines[static_cast<std::size_t>(i)] = lines[static_cast<std::size_t>(i) + 1];
        ShowLine(i);
    }
    lines[kLineCount - 1] = text;
    ShowLine(kLineCount - 1);
}

void EditorConsole::RunCommand(const std::string& command) {
    if (command.empty()) {
        return;
    }
    std::string error;
    if (command == "cls" || command == "clear") {
        for (int i = 0; i < kLineCount; ++i) {
            AddLine(" ");
        }
    } else {
        lua_State* L = ZELM::LuaState::Get();
        if (luaL_loadbuffer(L, command.data(), command.size(), "console") != 0) {
            error = lua_tostring(L, -1) != nullptr ? lua_tostring(L, -1) : "the command does not compile";
            lua_pop(L, 1);
        } else {
            // The results are dropped: kept, every command would grow the stack for good.
            ZELM::LuaState::Call(L, 0, error);
        }
        if (!escaped) {
            AddLine("> " + command);
        }
        // The designer sees why a command did nothing.
        if (!error.empty()) {
            AddLine(error);
        }
    }
    history.push_back(command);
    historyIndex = history.size();
    input.clear();
    // Enter lets go of the field; the next command goes straight in.
    if (!escaped && shown) {
        Type();
    }
}

std::string EditorConsole::Recall(int step) {
    if (history.empty()) {
        return input;
    }
    if (step < 0 && historyIndex > 0) {
        --historyIndex;
    } else if (step > 0 && historyIndex < history.size()) {
        ++historyIndex;
    }
    input = historyIndex < history.size() ? history[historyIndex] : std::string();
    return input;
}

void EditorConsole::Show(bool show) {
    shown = show;
    TwDefine(show ? " Console visible=true " : " Console visible=false ");
    if (show) {
        escaped = false;
        Type();
    }
}

void EditorConsole::Type() { TwDefine(" Console/InputVar keyboardfocus=true "); }

void EditorConsole::SetInputCallback(const void* value, void* console) {
    static_cast<EditorConsole*>(console)->RunCommand(*static_cast<const std::string*>(value));
}

void EditorConsole::GetInputCallback(void* value, void* console) {
    *static_cast<std::string*>(value) = static_cast<EditorConsole*>(console)->input;
}

bool EditorConsole::TakeMessage(const Windows::WindowsMessage& message) {
    if (message.message == Windows::Message::kChar && message.wParam == kTilde) {
        if (shown && escaped) {
            escaped = false;
            Type();
        } else {
            Show(!shown);
        }
        return true;
    }
    if (!shown) {
        return false;
    }
    if (message.message == Windows::Message::kChar && message.wParam == kEscape && !escaped) {
        escaped = true;
        return true;
    }
    // Once Esc has given the keys back, the arrows are the game's.
    if (message.message == Windows::Message::kKeyDown && !escaped &&
        (message.wParam == kUpArrow || message.wParam == kDownArrow)) {
        Recall(message.wParam == kUpArrow ? -1 : 1);
        // The field shows what is typed while it has the keyboard; taking it anew shows the recall.
        Type();
        return true;
    }
    return false;
}

}  // namespace LevelEditor
