// The New Level dialog: a bar asking for the new tile map's width and height.
#pragma once

#include <functional>
#include <string>

#include "editor/tweakbar/TweakBar.h"

namespace LevelEditor {

class NewLevelDialog {
public:
    static constexpr unsigned kSmallest = 8;
    static constexpr unsigned kLargest = 4096;
    static constexpr unsigned kDefaultWidth = 64;
    static constexpr unsigned kDefaultHeight = 32;

    using Chosen = std::function<void(unsigned width, unsigned height)>;
    using Say = std::function<void(const std::string& text)>;

    explicit NewLevelDialog(Say say) : say(std::move(say)) {}
    ~NewLevelDialog();

    // Shows the bar with the default size; `chosen` runs once a size is accepted.
    void Show(Chosen chosen);
    bool IsShown() const { return bar != nullptr; }

    // Accepts the typed sides when each is a whole number from 8 to 4096; otherwise says why and
    // keeps the bar open.
    bool Choose(const std::string& width, const std::string& height);
    void Cancel();

    // A side as typed: digits only, within the bounds; `why` says what is wrong otherwise.
    static bool ParseSide(const std::string& text, unsigned& side, std::string& why);

private:
    void Close();

    Say say;
    Chosen chosen;
    std::string typedWidth;
    std::string typedHeight;
    TwBar* bar = nullptr;
};

}  // namespace LevelEditor
