// The problem box on SDL's message box.
#include "windows/ProblemBox.h"

#include <SDL.h>

namespace Windows {

ZELM::ProblemChoice ShowProblemBox(const ZELM::Problem& problem) {
    enum ButtonId { kBreak, kContinue, kIgnore, kOk };
    const SDL_MessageBoxButtonData choices[] = {
        {0, kBreak, "Break"},
        {0, kContinue, "Continue"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kIgnore, "Ignore"},
    };
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kOk, "OK"},
    };
    SDL_MessageBoxData box = {};
    box.flags = SDL_MESSAGEBOX_WARNING;
    box.title = "Problem";
    box.message = problem.text.c_str();
    box.numbuttons = problem.interactive ? 3 : 1;
    box.buttons = problem.interactive ? choices : ok;

    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        return ZELM::WriteProblemToStderr(problem);
    }
    switch (pressed) {
        case kBreak:
            return ZELM::ProblemChoice::Break;
        case kIgnore:
            return ZELM::ProblemChoice::Ignore;
        default:
            return ZELM::ProblemChoice::Continue;
    }
}

}  // namespace Windows
