// The notice box, over the window when there is one.
#include "windows/NoticeBox.h"

#include <SDL.h>

#include "windows/WindowHandles.h"

namespace Windows {

void ShowNotice(const std::string& title, const std::string& text) {
    if (windowHandle == nullptr) {
        return;
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), text.c_str(), windowHandle);
}

}  // namespace Windows
