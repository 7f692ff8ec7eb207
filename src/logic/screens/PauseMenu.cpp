// Putting up and taking down the pause menu and its how-to page.
#include "logic/screens/PauseMenu.h"

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {

// The words of the buttons MenuButtons::kPauseMenu names, top to bottom, as PauseMenuLayout places them.
const char* const kPauseTexts[PauseMenuLayout::kItems] = {
    "[how to]",
    "[toggle fullscreen]",
    "[toggle resolution]",
    "[restart level]",
    "[return to main menu]",
    "[return to game]",
    "[quit]",
};

}  // namespace

void PauseMenu::CreateTitle() {
    title = std::make_unique<ScreenText>(engine, 500, 250, 250, 4.0f, " ");
}

void PauseMenu::Open(const ZELM::EntityHandle& player) {
    open = true;
    engine.Call("ToggleBGM", true);
    if (engine.IsBound("SetMenuDim")) {
        engine.Call("SetMenuDim", true);
    }
    ZELM::Entity* playerEntity = player.GetIfAlive();
    if (playerEntity != nullptr && playerEntity->IsBound("GetInstructions")) {
        const Graphics::Text* instructions = playerEntity->Call<Graphics::Text*>("GetInstructions");
        savedInstructions = instructions != nullptr ? instructions->text : std::string(" ");
        if (playerEntity->IsBound("GetInstructionText")) {
            // as set, so the controls it names still follow the device once the menu closes
            savedInstructions = playerEntity->Call<std::string>("GetInstructionText");
        }
        savedSpot = instructions != nullptr ? instructions->spot : Graphics::Text::Spot();
    }
    SetInstructions(player, " ");
    ShowButtons();
}

void PauseMenu::Close(const ZELM::EntityHandle& player) {
    open = false;
    engine.Call("ToggleBGM", false);
    if (engine.IsBound("SetMenuDim")) {
        engine.Call("SetMenuDim", false);
    }
    ShowInstructionsOverDim(player, false);
    SetInstructions(player, savedInstructions);
    if (ZELM::Entity* playerEntity = player.GetIfAlive(); playerEntity != nullptr && playerEntity->IsBound("GetInstructions")) {
        if (Graphics::Text* instructions = playerEntity->Call<Graphics::Text*>("GetInstructions")) {
            instructions->spot = savedSpot;  // the text back where it stood, clear of its spot again
        }
    }
    (*title)->text = " ";
    RemoveButtons();
}

// The how-to page stands in the menu's place, over the dimmed frame.
void PauseMenu::ShowHowTo(const ZELM::EntityHandle& player) {
    ShowInstructionsOverDim(player, true);
    (*title)->text = " ";
    RemoveButtons();
    howToPage.Show();
}

void PauseMenu::HideHowTo(const ZELM::EntityHandle& player) {
    ShowInstructionsOverDim(player, false);
    howToPage.Hide();
    ShowButtons();
}

void PauseMenu::PlaceTitle() {
    if ((*title)->text != " ") {
        PauseMenuLayout::PlaceTitle(*title->Get(), ScreenText::ScreenWidth(engine),
                                    ScreenText::ScreenHeight(engine));
    }
}

// One space, not an empty text: an empty line leaves the text layer for good, and the title's
// line must still show the next level's pause.
void PauseMenu::Clear() {
    if (title) {
        (*title)->text = " ";
    }
    howToPage.Hide();
}

void PauseMenu::ShowButtons() {
    Graphics::Text& shown = *title->Get();
    shown.text = "[paused]";
    PauseMenuLayout::PlaceTitle(shown, ScreenText::ScreenWidth(engine), ScreenText::ScreenHeight(engine));
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    RemoveButtons();  // never two menus at once
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = entities->CreateFromArchetype(MenuButtons::kPauseMenu[i], "button");
        ZELM::Entity* buttonEntity = buttons[i].Resolve();
        if (buttonEntity == nullptr || !buttonEntity->IsBound("SetText")) {
            continue;  // the archetype is missing or has no button: reported by the entity controller
        }
        buttonEntity->Call("SetText", std::string(kPauseTexts[i]));
        buttonEntity->CallAll("SetX", 0.0f);
        buttonEntity->CallAll("SetY", PauseMenuLayout::ItemY(static_cast<int>(i)));
    }
}

void PauseMenu::RemoveButtons() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    for (ZELM::EntityHandle& button : buttons) {
        if (entities != nullptr && button.IsAlive()) {
            entities->RequestDestroy(button);
        }
        button = ZELM::EntityHandle();
    }
}

void PauseMenu::ShowInstructionsOverDim(const ZELM::EntityHandle& player, bool over) {
    ZELM::Entity* playerEntity = player.GetIfAlive();
    if (playerEntity != nullptr && playerEntity->IsBound("GetInstructions")) {
        if (Graphics::Text* instructions = playerEntity->Call<Graphics::Text*>("GetInstructions")) {
            instructions->overDim = over;
        }
    }
}

// The pause menu belongs to levels with a player; elsewhere there are no instructions to touch.
void PauseMenu::SetInstructions(const ZELM::EntityHandle& player, const std::string& text) {
    ZELM::Entity* playerEntity = player.GetIfAlive();
    if (playerEntity != nullptr && playerEntity->IsBound("SetInstructions")) {
        playerEntity->Call("SetInstructions", text);
    }
}

}  // namespace Logic
