// The how-to page's words.
#include "logic/screens/HowToPage.h"

namespace Logic {
namespace {

// One row each; an empty row is a gap, and a row that goes on the one before it is indented.
const std::vector<PageRow> kRows = {
    {PageRow::kLine, "ARROW keys: turn your gravity that way"},
    {PageRow::kLine, "Hold SPACE: go through BLUE and MAGENTA walls"},
    {PageRow::kGap, ""},
    {PageRow::kLine, "GREEN blocks: checkpoints to come back to"},
    {PageRow::kLine, "RED blocks: back to the last checkpoint"},
    {PageRow::kLine, "LIGHT BLUE blocks: slippery, no grip or jump"},
    {PageRow::kLine, "ORANGE blocks: turn your gravity their way"},
    {PageRow::kLine, "YELLOW block: the goal, touch it to finish"},
    {PageRow::kGap, ""},
    {PageRow::kLine, "GRAVITY ZONES (stripes): walk with A and D,"},
    {PageRow::kIndented, "or W and S on a wall. The key pointing away"},
    {PageRow::kIndented, "from the ground jumps."},
    {PageRow::kIndented, "Some zones turn: an arrow key points them."},
    {PageRow::kLine, "POWER-UPS: your gravity ring reaches farther"},
    {PageRow::kLine, "Wooden BOXES fall with your gravity when"},
    {PageRow::kIndented, "near you: push them and climb on them."},
};

}  // namespace

void HowToPage::Show() {
    page.Show("HOW TO PLAY", kRows, "ESC: back to the menu");
}

}  // namespace Logic
