// Draws the bars with Dear ImGui, inside a frame that the caller has begun.
#pragma once

#include <imgui.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/tweakbar/BarRegistry.h"
#include "editor/tweakbar/PendingAction.h"

namespace Tweak {

class BarPainter {
public:
    // Edits and clicks come back rather than being carried out: their callbacks may add or delete bars,
    // which must not happen while the bars are being walked.
    std::vector<PendingAction> Paint(BarRegistry& bars);

private:
    void PaintBar(Bar& bar);
    void PaintChildren(const Bar& bar, const Entry* group);
    void PaintEntry(const Bar& bar, Entry& entry);
    void PaintGroup(const Bar& bar, Entry& group);
    void PaintButton(const Entry& button);
    void PaintVariable(const Bar& bar, const Entry& variable);
    // The label on the left; the value that follows goes in the bar's values column.
    void PaintLabel(const Bar& bar, const Entry& entry);
    // restart: the variable asked for the keyboard in this frame.
    std::optional<TweakValue> EditValue(const Entry& variable, const TweakValue& value, bool restart);
    std::optional<TweakValue> EditText(const std::string& programText, bool readOnly, bool restart);

    std::vector<PendingAction> actions_;
    unsigned barSerial_ = 0;
    // What is being typed into a text field. It replaces the program's value only while the field has
    // the keyboard, and reaches the program when Enter is pressed.
    ImGuiID editedTextId_ = 0;
    std::string editedText_;
};

}  // namespace Tweak
