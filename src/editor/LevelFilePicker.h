// The editor's open and save dialogs: a bar listing the levels directory's level files, a name
// field, and a confirmation before a save replaces a file.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/TweakBar.h"

namespace LevelEditor {

class LevelFilePicker {
public:
    enum class Purpose { Open, Save };
    // Asks a yes/no question; false when nobody can answer (no window), which is the safe answer.
    using Ask = std::function<bool(const std::string& title, const std::string& text)>;
    // Receives the whole path of the chosen level file.
    using Chosen = std::function<void(const std::string& path)>;
    using Say = std::function<void(const std::string& text)>;

    // `saveDirectory` receives saves; `directories` are listed and searched, earlier ones first
    // (the player's own levels before the bundled ones).
    LevelFilePicker(std::string saveDirectory, std::vector<std::string> directories, Ask ask, Say say);
    ~LevelFilePicker();

    // Shows the bar; `chosen` runs once a name is accepted, `cancelled` when the bar is closed.
    void Show(Purpose purpose, Chosen chosen, std::function<void()> cancelled);
    bool IsShown() const { return bar != nullptr; }

    // The level files of the directory, by name without ".xml", sorted.
    std::vector<std::string> ListLevels() const;
    // Accepts a typed name: refused (with a message) when it would leave the directory, or when a
    // save would replace a file and the designer says no. ".xml" is added unless the name has it.
    bool Choose(const std::string& name);
    void Cancel();

private:
    struct FileButton {
        LevelFilePicker* picker;
        std::string name;
    };
    void Close();
    void Build();

    std::string saveDirectory;
    std::vector<std::string> directories;
    Ask ask;
    Say say;
    Purpose purpose = Purpose::Open;
    Chosen chosen;
    std::function<void()> cancelled;
    std::string typedName;
    TwBar* bar = nullptr;
    std::vector<std::unique_ptr<FileButton>> buttons;
};

}  // namespace LevelEditor
