// The credits' words and leaving them.
#include "logic/screens/CreditsScreen.h"

namespace Logic {
namespace {

const std::vector<PageRow> kCredits = {
    {PageRow::kHeading, "MADE BY"},
    {PageRow::kLine, "the Fallward team"},
    {PageRow::kGap, ""},
    {PageRow::kHeading, "ENGINE AND PHYSICS"},
    {PageRow::kLine, "our own ZELM engine"},
    {PageRow::kLine, "and Kestrin physics"},
    {PageRow::kGap, ""},
    {PageRow::kHeading, "BUILT WITH"},
    {PageRow::kLine, "SDL2, OpenGL, Lua 5.1"},
    {PageRow::kLine, "TinyXML, Dear ImGui"},
    {PageRow::kLine, "assimp, glm and stb"},
    {PageRow::kGap, ""},
    {PageRow::kHeading, "LETTERS"},
    {PageRow::kLine, "DejaVu Sans Bold"},
    {PageRow::kGap, ""},
    {PageRow::kHeading, "PICTURES AND SOUNDS"},
    {PageRow::kLine, "every one our own"},
};

}  // namespace

void CreditsScreen::Init() {
    ResetView();
    page.Show("CREDITS", kCredits, "ENTER or A: back to the menu", PageLayout::kBelowTheName);
}

void CreditsScreen::Update(float) {
    if (BackTriggered() || ConfirmTriggered()) {
        PostLoadLevel("Menu");
    }
}

}  // namespace Logic
