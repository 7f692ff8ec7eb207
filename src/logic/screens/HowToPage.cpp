// The how-to page's words and their layout.
#include "logic/screens/HowToPage.h"

#include <algorithm>

#include "input/Controls.h"

namespace Logic {
namespace {

// One row each; an empty row is a gap, and a row that goes on the one before it is indented. At
// most 45 characters a row, 43 indented: the text layer wraps a row longer than that in the page's
// width on a 4:3 screen (or any wider one), and the wrapped words would fall on the next row.
struct Row {
    bool indented;
    const char* text;
};

const Row kRows[] = {
    {false, "HOW TO PLAY"},
    {false, ""},
    {false, "{gravity}: turn your gravity that way"},
    {false, "Hold {phase}: go through BLUE and MAGENTA walls"},
    {false, "GREEN blocks: checkpoints to come back to"},
    {false, "RED blocks: back to the last checkpoint"},
    {false, "LIGHT BLUE blocks: slippery, no grip or jump"},
    {false, "ORANGE blocks: turn your gravity their way"},
    {false, "YELLOW block: the goal, touch it to finish"},
    {false, "GRAVITY ZONES (stripes): walk with"},
    {true, "{walkleft} and {walkright}, or {walkup} and {walkdown} on a wall."},
    {true, "The one pointing away from the ground jumps."},
    {true, "Some zones turn: gravity points them."},
    {false, "POWER-UPS: your gravity ring reaches farther"},
    {false, "Wooden BOXES fall with your gravity when"},
    {true, "near you: push them and climb on them."},
    {false, ""},
    {false, "{restart}: start the level again"},
    {false, "ESC: back to the menu"},
};

// In pixels of an 800 x 600 screen, scaled with it.
constexpr float kLeft = 20.0f;
constexpr float kIndent = 32.0f;  // two characters of the type below
constexpr float kTop = 40.0f;
constexpr float kRowHeight = 28.0f;
constexpr float kScale = 1.25f;

}  // namespace

// The page names the controls the player chose, or the pad's when the pad was used last.
std::string HowToPage::Named(const char* text) {
    return engine.IsBound("NameControls") ? engine.Call<std::string>("NameControls", std::string(text))
                                          : Input::Controls().NameIn(text, false);
}

void HowToPage::Show() {
    lines.clear();
    const float width = ScreenText::ScreenWidth(engine);
    const float height = ScreenText::ScreenHeight(engine);
    // The narrower of the two ratios: a screen taller than 4:3 must not push the rows past its sides.
    const float zoom = std::min(width / 800.0f, height / 600.0f);
    float y = kTop * zoom;
    for (const Row& row : kRows) {
        if (*row.text != '\0') {
            const float left = (row.indented ? kLeft + kIndent : kLeft) * zoom;
            lines.push_back(std::make_unique<ScreenText>(engine, static_cast<int>(left), static_cast<int>(y),
                                                         static_cast<int>(width - left - kLeft * zoom),
                                                         kScale * zoom, Named(row.text)));
        }
        y += kRowHeight * zoom;
    }
}

std::vector<std::string> HowToPage::GetLines() const {
    std::vector<std::string> words;
    for (const auto& line : lines) {
        words.push_back(line->Get()->text);
    }
    return words;
}

}  // namespace Logic
