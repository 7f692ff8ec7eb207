// One line of a bar: a variable, a button, a separator or a group, with its attributes.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "editor/tweakbar/ExtraAttributes.h"
#include "editor/tweakbar/TweakBar.h"
#include "editor/tweakbar/TweakValue.h"
#include "editor/tweakbar/VariableBinding.h"

namespace Tweak {

class Entry {
public:
    enum class Kind { Variable, Button, Separator, Group };

    // The attributes with an effect. step 0 and precision -1 leave the choice to the drawing.
    struct Settings {
        std::string label;
        bool visible = true;
        bool readOnly = false;
        bool opened = true;
        double step = 0.0;
        int precision = -1;
        std::optional<double> min;
        std::optional<double> max;
        // A button's swatch, shown before its label and pressing it too: 'red green blue'.
        std::optional<std::array<int, 3>> color;
    };

    static std::unique_ptr<Entry> MakeVariable(std::string name, const VariableBinding& binding);
    static std::unique_ptr<Entry> MakeButton(std::string name, TwButtonCallback callback, void* clientData);
    // An empty name makes an entry that no definition can name.
    Entry(Kind kind, std::string name);

    Kind GetKind() const { return kind_; }
    const std::string& Name() const { return name_; }
    const Settings& GetSettings() const { return settings_; }
    // Only the bar's entry list places entries in groups, since it guards against cycles.
    Entry* Group() const { return group_; }
    void SetGroup(Entry* group) { group_ = group; }

    // Every attribute but "group", which belongs to the entry list.
    bool SetAttribute(const std::string& name, const std::string& value, std::string& error);
    bool GetAttribute(const std::string& name, std::string& value, std::string& error) const;

    // A variable without a set callback stays read-only whatever its attributes say.
    bool IsReadOnly() const;
    const VariableBinding* Binding() const { return binding_ ? &*binding_ : nullptr; }
    bool HasAction() const { return buttonCallback_ != nullptr; }

    // The program's current value; only for variables.
    TweakValue Read() const;
    // An edit made in a bar: clamped to min and max, then given to the set callback. Refused when
    // read-only or of another type. The callback may delete this entry.
    bool ApplyEdit(TweakValue value);
    // A click on a button: runs its callback, which may delete this entry.
    bool Press();

    // The opened state asked for by the program, once after each change; the drawing then reports what
    // the user made of it through FollowOpened.
    bool TakeOpenedRequest();
    void FollowOpened(bool opened) { settings_.opened = opened; }
    // "keyboardfocus=true" asks the drawing, once, to give this variable's field the keyboard.
    bool TakeFocusRequest() const;

private:
    void Clamp(TweakValue& value) const;

    Kind kind_;
    std::string name_;
    Settings settings_;
    ExtraAttributes extras_;
    Entry* group_ = nullptr;
    std::optional<VariableBinding> binding_;
    TwButtonCallback buttonCallback_ = nullptr;
    void* buttonClientData_ = nullptr;
    bool openedRequested_ = true;
    // Consumed by the drawing, which sees entries as const.
    mutable bool focusRequested_ = false;
};

}  // namespace Tweak
