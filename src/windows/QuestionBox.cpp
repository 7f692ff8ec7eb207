#include "windows/QuestionBox.h"

#include <SDL.h>

#include "windows/WindowHandles.h"

namespace Windows {

bool AskYesNo(const std::string& title, const std::string& text) {
    if (windowHandle == nullptr) {
        return false;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData box = {};
    box.flags = SDL_MESSAGEBOX_WARNING;
    box.window = windowHandle;
    box.title = title.c_str();
    box.message = text.c_str();
    box.numbuttons = 2;
    box.buttons = buttons;
    int pressed = 0;
    return SDL_ShowMessageBox(&box, &pressed) == 0 && pressed == 1;
}

}  // namespace Windows
