// What the pause menu puts on the screen: the title and its buttons over the dimmed frame, with the
// music paused and the player's instructions put aside until it closes, and the how-to page in the
// menu's place. The level's screen moves the selection and acts on it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/EntityHandle.h"
#include "logic/ScreenText.h"
#include "logic/screens/HowToPage.h"
#include "logic/screens/PauseMenuLayout.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class PauseMenu {
public:
    explicit PauseMenu(ZELM::DynamicCaller& engine) : engine(engine), howToPage(engine) {}

    // Makes the title's line, which stays blank while the menu is closed; the text layer must exist.
    void CreateTitle();
    void Open(const ZELM::EntityHandle& player);
    void Close(const ZELM::EntityHandle& player);
    void ShowHowTo(const ZELM::EntityHandle& player);
    void HideHowTo(const ZELM::EntityHandle& player);
    // The window may change size under the menu (its own resolution toggle, F11): the title
    // follows it.
    void PlaceTitle();
    // The level is left, perhaps from its pause: the title and the page go with it.
    void Clear();

    // From "Pause"(true) to "Pause"(false), the how-to page included.
    bool IsOpen() const { return open; }
    const Graphics::Text* GetTitle() const { return title ? title->Get() : nullptr; }
    const HowToPage& GetHowToPage() const { return howToPage; }

private:
    void ShowButtons();
    void RemoveButtons();
    // The player's instructions carry the how-to page, which an open menu's dim must not cover.
    static void ShowInstructionsOverDim(const ZELM::EntityHandle& player, bool over);
    static void SetInstructions(const ZELM::EntityHandle& player, const std::string& text);

    ZELM::DynamicCaller& engine;
    std::unique_ptr<ScreenText> title;
    std::array<ZELM::EntityHandle, PauseMenuLayout::kItems> buttons;
    std::string savedInstructions;
    Graphics::Text::Spot savedSpot;
    HowToPage howToPage;
    bool open = false;
};

}  // namespace Logic
