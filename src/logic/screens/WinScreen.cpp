// The result screen's run and leaving it.
#include "logic/screens/WinScreen.h"

#include "logic/AdventureRun.h"

namespace Logic {

void WinScreen::Init() {
    const AdventureRun* run =
        engine.IsBound("GetAdventureRun") ? engine.Call<const AdventureRun*>("GetAdventureRun") : nullptr;
    std::vector<PageRow> rows;
    if (run != nullptr) {
        const std::vector<std::string> summary = run->Summary();
        for (std::size_t i = 0; i < summary.size(); ++i) {
            // The total stands apart, above the levels' times.
            rows.push_back({i == 0 ? PageRow::kHeading : PageRow::kLine, summary[i]});
            if (i == 0 && summary.size() > 1) {
                rows.push_back({PageRow::kGap, ""});
            }
        }
    }
    page.Show("WELL PLAYED!", rows, "ENTER or A: back to the menu", PageLayout::kBelowTheName);
}

void WinScreen::Update(float) {
    if (BackTriggered() || ConfirmTriggered()) {
        engine.Call("EraseLevelMap");
        PostLoadLevel("Menu");
    }
}

}  // namespace Logic
