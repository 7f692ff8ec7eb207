// A list of buttons longer than a screen, shown a page at a time: the page that holds the menu's
// selection is on screen, every other button waits below it, and the screen's own buttons
// ("[back]" and the like) stand under the page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Logic {

class PagedButtons {
public:
    // Heights in a 600-pixel screen, below the title picture.
    static constexpr float kFirstY = 150.0f;
    static constexpr float kStep = 40.0f;

    // Buttons are named `prefix` and their index; `perPage` of them fit above the screen's own.
    PagedButtons(std::string prefix, std::size_t perPage) : prefix(std::move(prefix)), perPage(perPage) {}

    // One button a text, from the "button" archetype (a missing archetype is reported by the
    // entity controller and leaves that button out).
    void Create(const std::vector<std::string>& texts);
    std::vector<std::string> GetNames() const;
    void SetText(std::size_t index, const std::string& text) const;

    // Shows the page that holds `selection` ("[back]" and the screen's other buttons, past the
    // list, show the last page), with `below` under it; only moves buttons when the page changes.
    void Place(std::size_t selection, const std::vector<std::string>& below);
    // The first index of the page that shows the selection.
    static std::size_t PageStart(std::size_t selection, std::size_t count, std::size_t perPage);
    // "page 2 of 3", or "" when everything fits on one.
    std::string PageLabel(std::size_t selection) const;

private:
    std::string NameOf(std::size_t index) const { return prefix + std::to_string(index); }

    std::string prefix;
    std::size_t perPage;
    std::size_t count = 0;
    std::size_t placedPage = SIZE_MAX;
};

}  // namespace Logic
