// A menu whose screen makes its own buttons: one column of items under the title, every one of
// them, and the notice line after the last, inside the menu's panel at every resolution.
#pragma once

#include <string>
#include <vector>

#include "engine/EntityHandle.h"

namespace Logic {

class MenuColumn {
public:
    // Heights in a 600-pixel screen, as the buttons' own: below the title, above the bottom edge.
    static constexpr float kTop = 140.0f;
    static constexpr float kBottom = 570.0f;
    static constexpr float kLargestStep = 50.0f;

    // The step between items when `count` items and the notice line share the panel.
    static constexpr float StepFor(int count) {
        const float fitting = (kBottom - kTop) / static_cast<float>(count + 1);
        return fitting < kLargestStep ? fitting : kLargestStep;
    }
    static constexpr float ItemY(int index, int count) { return kTop + StepFor(count) * static_cast<float>(index); }

    // Makes a button of the "button" archetype for each name, top to bottom; `textScale` 0 keeps
    // the buttons' own size.
    static std::vector<ZELM::EntityHandle> Create(const std::vector<std::string>& names, float textScale);
    static void SetText(const ZELM::EntityHandle& button, const std::string& text);
};

}  // namespace Logic
