// The how-to page's words.
#include "logic/screens/HowToPage.h"

#include "logic/ControlWords.h"

namespace Logic {
namespace {

// One row each; an empty row is a gap, and a row that goes on the one before it is indented. A
// "{name}" is an action's controls, named when the page is shown: the pad's names are long, so a
// row names at most two actions and still fits the page in its smallest type.
const std::vector<PageRow> kRows = {
    {PageRow::kLine, "{gravity}: turn your gravity that way"},
    {PageRow::kLine, "Hold {phase}: go through BLUE and MAGENTA walls"},
    {PageRow::kGap, ""},
    {PageRow::kLine, "GREEN blocks: checkpoints to come back to"},
    {PageRow::kLine, "RED blocks: back to the last checkpoint"},
    {PageRow::kLine, "LIGHT BLUE blocks: slippery, no grip or jump"},
    {PageRow::kLine, "ORANGE blocks: turn your gravity their way"},
    {PageRow::kLine, "YELLOW block: the goal, touch it to finish"},
    {PageRow::kGap, ""},
    {PageRow::kLine, "GRAVITY ZONES (stripes): walk with"},
    {PageRow::kIndented, "{walkleft} and {walkright},"},
    {PageRow::kIndented, "or {walkup} and {walkdown} on a wall."},
    {PageRow::kIndented, "The one pointing away from the ground jumps."},
    {PageRow::kIndented, "Some zones turn: gravity points them."},
    {PageRow::kLine, "POWER-UPS: your gravity ring reaches farther"},
    {PageRow::kLine, "Wooden BOXES fall with your gravity when"},
    {PageRow::kIndented, "near you: push them and climb on them."},
    {PageRow::kGap, ""},
    {PageRow::kLine, "{restart}: start the level again"},
};

}  // namespace

void HowToPage::Show() {
    std::vector<PageRow> rows = kRows;
    for (PageRow& row : rows) {
        row.text = ControlWords::Named(engine, row.text);  // the pad's names once it was used last
    }
    page.Show("HOW TO PLAY", rows, "ESC or B: back to the menu");
}

}  // namespace Logic
