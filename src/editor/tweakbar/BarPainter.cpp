// The bars as ImGui windows and widgets.
#include "editor/tweakbar/BarPainter.h"

#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace Tweak {

namespace {

constexpr float kDefaultIntegerStep = 1.0f;
constexpr float kDefaultRealStep = 0.01f;
constexpr int kDefaultPrecision = 3;

ImVec4 BackgroundOf(const Bar::Settings& look) {
    return ImVec4(look.color[0] / 255.0f, look.color[1] / 255.0f, look.color[2] / 255.0f,
                  look.alpha / 255.0f);
}

ImGuiWindowFlags WindowFlagsOf(const Bar::Settings& look) {
    ImGuiWindowFlags flags = ImGuiWindowFlags_NoSavedSettings;
    if (!look.resizable) {
        flags |= ImGuiWindowFlags_NoResize;
    }
    if (!look.movable) {
        flags |= ImGuiWindowFlags_NoMove;
    }
    return flags;
}

Bar::Point PointOf(const ImVec2& vector) {
    return {static_cast<int>(std::lround(vector.x)), static_cast<int>(std::lround(vector.y))};
}

void PushEntryId(const Entry& entry) {
    const std::string& name = entry.Name();
    ImGui::PushID(name.data(), name.data() + name.size());
}

template <typename T>
std::optional<TweakValue> DragNumber(T value, ImGuiDataType type, float speed, const char* format) {
    if (ImGui::DragScalar("##value", type, &value, speed, nullptr, nullptr, format)) {
        return TweakValue(value);
    }
    return std::nullopt;
}

}  // namespace

std::vector<PendingAction> BarPainter::Paint(BarRegistry& bars) {
    actions_.clear();
    for (const auto& bar : bars.Bars()) {
        PaintBar(*bar);
    }
    return std::move(actions_);
}

void BarPainter::PaintBar(Bar& bar) {
    const Bar::Settings& look = bar.GetSettings();
    if (!look.visible) {
        return;
    }
    if (bar.TakePlacementRequest()) {
        ImGui::SetNextWindowPos(
            ImVec2(static_cast<float>(look.position.x), static_cast<float>(look.position.y)));
        ImGui::SetNextWindowSize(ImVec2(static_cast<float>(look.size.x), static_cast<float>(look.size.y)));
        ImGui::SetNextWindowCollapsed(look.iconified);
    }
    // The serial, after "###", is the window's identity: labels may change and repeat.
    const std::string title = look.label + "###bar" + std::to_string(bar.Serial());
    ImGui::PushStyleColor(ImGuiCol_WindowBg, BackgroundOf(look));
    const bool expanded = ImGui::Begin(title.c_str(), nullptr, WindowFlagsOf(look));
    ImGui::PopStyleColor();
    bar.FollowWindow(PointOf(ImGui::GetWindowPos()), PointOf(ImGui::GetWindowSize()),
                     ImGui::IsWindowCollapsed());
    if (expanded) {
        barSerial_ = bar.Serial();
        PaintChildren(bar, nullptr);
    }
    ImGui::End();
}

void BarPainter::PaintChildren(const Bar& bar, const Entry* group) {
    for (Entry* entry : bar.Entries().ChildrenOf(group)) {
        if (entry->GetSettings().visible) {
            PushEntryId(*entry);
            PaintEntry(bar, *entry);
            ImGui::PopID();
        }
    }
}

void BarPainter::PaintEntry(const Bar& bar, Entry& entry) {
    switch (entry.GetKind()) {
        case Entry::Kind::Variable:
            PaintVariable(bar, entry);
            break;
        case Entry::Kind::Button:
            PaintButton(entry);
            break;
        case Entry::Kind::Separator:
            ImGui::Separator();
            break;
        case Entry::Kind::Group:
            PaintGroup(bar, entry);
            break;
    }
}

void BarPainter::PaintGroup(const Bar& bar, Entry& group) {
    if (group.TakeOpenedRequest()) {
        ImGui::SetNextItemOpen(group.GetSettings().opened);
    }
    const bool open =
        ImGui::TreeNodeEx("##group", ImGuiTreeNodeFlags_None, "%s", group.GetSettings().label.c_str());
    group.FollowOpened(open);
    if (open) {
        PaintChildren(bar, &group);
        ImGui::TreePop();
    }
}

void BarPainter::PaintButton(const Entry& button) {
    const std::string& label = button.GetSettings().label;
    if (!button.HasAction()) {
        ImGui::TextUnformatted(label.data(), label.data() + label.size());
        return;
    }
    ImGui::BeginDisabled(button.GetSettings().readOnly);
    bool clicked = false;
    if (const auto& rgb = button.GetSettings().color) {
        const ImVec4 swatch((*rgb)[0] / 255.0f, (*rgb)[1] / 255.0f, (*rgb)[2] / 255.0f, 1.0f);
        clicked = ImGui::ColorButton("##swatch", swatch, ImGuiColorEditFlags_NoTooltip);
        ImGui::SameLine();
    }
    clicked = ImGui::Button(label.c_str()) || clicked;
    ImGui::EndDisabled();
    if (clicked) {
        actions_.push_back({barSerial_, button.Name(), std::nullopt});
    }
}

void BarPainter::PaintVariable(const Bar& bar, const Entry& variable) {
    const TweakValue value = variable.Read();
    PaintLabel(bar, variable);
    ImGui::BeginDisabled(variable.IsReadOnly());
    const bool focusRequested = variable.TakeFocusRequest();
    if (focusRequested) {
        ImGui::SetKeyboardFocusHere();
    }
    std::optional<TweakValue> edited = EditValue(variable, value, focusRequested);
    ImGui::EndDisabled();
    if (edited) {
        actions_.push_back({barSerial_, variable.Name(), std::move(edited)});
    }
}

void BarPainter::PaintLabel(const Bar& bar, const Entry& entry) {
    const std::string& label = entry.GetSettings().label;
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(label.data(), label.data() + label.size());
    const float labelEnd =
        ImGui::GetItemRectMax().x - ImGui::GetWindowPos().x + ImGui::GetStyle().ItemSpacing.x;
    const float valuesStart =
        ImGui::GetWindowContentRegionMax().x - static_cast<float>(bar.GetSettings().valuesWidth);
    ImGui::SameLine(std::max(labelEnd, valuesStart));
    ImGui::SetNextItemWidth(-FLT_MIN);
}

std::optional<TweakValue> BarPainter::EditValue(const Entry& variable, const TweakValue& value,
                                                bool restart) {
    const Entry::Settings& settings = variable.GetSettings();
    const float step = static_cast<float>(settings.step);
    const float integerStep = step > 0.0f ? step : kDefaultIntegerStep;
    const float realStep = step > 0.0f ? step : kDefaultRealStep;
    char realFormat[16];
    std::snprintf(realFormat, sizeof realFormat, "%%.%df",
                  settings.precision >= 0 ? settings.precision : kDefaultPrecision);

    if (const bool* flag = std::get_if<bool>(&value)) {
        bool checked = *flag;
        return ImGui::Checkbox("##value", &checked) ? std::optional<TweakValue>(checked) : std::nullopt;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return DragNumber(*number, ImGuiDataType_S32, integerStep, nullptr);
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return DragNumber(*number, ImGuiDataType_U32, integerStep, nullptr);
    }
    if (const auto* number = std::get_if<float>(&value)) {
        return DragNumber(*number, ImGuiDataType_Float, realStep, realFormat);
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return DragNumber(*number, ImGuiDataType_Double, realStep, realFormat);
    }
    return EditText(std::get<std::string>(value), variable.IsReadOnly(), restart);
}

std::optional<TweakValue> BarPainter::EditText(const std::string& programText, bool readOnly, bool restart) {
    const ImGuiID id = ImGui::GetID("##value");
    if (restart && id == editedTextId_) {
        // The program asks for the keyboard while the field is typed into because it has new text
        // for it (a recalled command): that text replaces what was typed, and typing goes on there.
        editedTextId_ = 0;
        ImGui::ClearActiveID();
    }
    std::string shown = programText;
    std::string& text = id == editedTextId_ ? editedText_ : shown;
    const ImGuiInputTextFlags flags =
        ImGuiInputTextFlags_EnterReturnsTrue | (readOnly ? ImGuiInputTextFlags_ReadOnly : 0);
    const bool entered = ImGui::InputText("##value", &text, flags);
    std::optional<TweakValue> edited;
    if (entered) {
        edited = text;
    }
    if (ImGui::IsItemActive() && editedTextId_ != id) {
        editedTextId_ = id;
        editedText_ = text;
    } else if (!ImGui::IsItemActive() && editedTextId_ == id) {
        // A field left by a click elsewhere keeps what was typed, as Enter would: a button pressed
        // after typing (a file dialog's Save) must see the new text. Esc has put the old text back.
        editedTextId_ = 0;
        if (!readOnly && editedText_ != programText) {
            edited = editedText_;
        }
    }
    return edited;
}

}  // namespace Tweak
