// The editor's Lua console: seven lines of output over an input field, with a history of commands.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace Windows {
struct WindowsMessage;
}

namespace LevelEditor {

class EditorConsole {
public:
    static constexpr int kLineCount = 7;

    // Creates the hidden "Console" bar with its lines and input field.
    void Build();

    // Scrolls the lines up by one and shows `text` on the last.
    void AddLine(const std::string& text);
    // "cls" and "clear" blank every line; any other text runs as Lua in the game's state. The
    // command is echoed (unless typing was cancelled) and kept in the history.
    void RunCommand(const std::string& command);

    // The command before (-1) or after (+1) the one last recalled, for the arrow keys; the empty
    // text past the newest.
    std::string Recall(int step);

    // The console's keys: '~' shows and hides it; while it is shown Esc lets go of its field and
    // the arrows walk the history. True when the message was the console's.
    bool TakeMessage(const Windows::WindowsMessage& message);

    bool IsShown() const { return shown; }
    void Show(bool show);
    // Gives the input field the keyboard.
    void Type();
    bool IsEscaped() const { return escaped; }
    void SetEscaped(bool value) { escaped = value; }
    const std::array<std::string, kLineCount>& GetLines() const { return lines; }
    // What the input field shows: a recalled command, or nothing.
    const std::string& GetInput() const { return input; }

private:
    static void SetInputCallback(const void* value, void* console);
    static void GetInputCallback(void* value, void* console);
    void ShowLine(int index);

    std::array<std::string, kLineCount> lines;
    std::vector<std::string> history;
    std::size_t historyIndex = 0;
    std::string input;
    bool shown = false;
    bool escaped = false;
    bool built = false;
};

}  // namespace LevelEditor
