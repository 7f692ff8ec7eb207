// Entries, their attributes, and edits and clicks reaching the program.
#include "editor/tweakbar/Entry.h"

#include <algorithm>
#include <limits>

#include "editor/tweakbar/ValueText.h"

namespace Tweak {

namespace {

using Settings = Entry::Settings;

struct EntryRule {
    const char* name;
    const char* expects;
    bool (*set)(Settings&, const std::string&);
    // False where the attribute has no value yet.
    bool (*get)(const Settings&, std::string&);
};

bool SetOptionalNumber(std::optional<double>& target, const std::string& text) {
    double value = 0.0;
    if (!ParseNumber(text, value)) {
        return false;
    }
    target = value;
    return true;
}

bool GetOptionalNumber(const std::optional<double>& source, std::string& text) {
    if (!source) {
        return false;
    }
    text = NumberText(*source);
    return true;
}

bool SetPositiveNumber(double& target, const std::string& text) {
    double value = 0.0;
    if (!ParseNumber(text, value) || value <= 0.0) {
        return false;
    }
    target = value;
    return true;
}

const EntryRule kRules[] = {
    {"label", "any text",
     [](Settings& s, const std::string& v) {
         s.label = v;
         return true;
     },
     [](const Settings& s, std::string& v) {
         v = s.label;
         return true;
     }},
    {"visible", "true or false", [](Settings& s, const std::string& v) { return ParseBool(v, s.visible); },
     [](const Settings& s, std::string& v) {
         v = BoolText(s.visible);
         return true;
     }},
    {"readonly", "true or false", [](Settings& s, const std::string& v) { return ParseBool(v, s.readOnly); },
     [](const Settings& s, std::string& v) {
         v = BoolText(s.readOnly);
         return true;
     }},
    {"opened", "true or false", [](Settings& s, const std::string& v) { return ParseBool(v, s.opened); },
     [](const Settings& s, std::string& v) {
         v = BoolText(s.opened);
         return true;
     }},
    {"step", "a positive number",
     [](Settings& s, const std::string& v) { return SetPositiveNumber(s.step, v); },
     [](const Settings& s, std::string& v) {
         v = NumberText(s.step);
         return s.step > 0.0;
     }},
    {"precision", "a whole number from 0 to 12",
     [](Settings& s, const std::string& v) { return ParseInts(v, &s.precision, 1, 0, 12); },
     [](const Settings& s, std::string& v) {
         v = std::to_string(s.precision);
         return s.precision >= 0;
     }},
    {"color", "three numbers from 0 to 255, 'red green blue'",
     [](Settings& s, const std::string& v) {
         std::array<int, 3> rgb{};
         if (!ParseInts(v, rgb.data(), rgb.size(), 0, 255)) {
             return false;
         }
         s.color = rgb;
         return true;
     },
     [](const Settings& s, std::string& v) {
         if (s.color) {
             v = IntsText(s.color->data(), s.color->size());
         }
         return s.color.has_value();
     }},
    {"min", "a number", [](Settings& s, const std::string& v) { return SetOptionalNumber(s.min, v); },
     [](const Settings& s, std::string& v) { return GetOptionalNumber(s.min, v); }},
    {"max", "a number", [](Settings& s, const std::string& v) { return SetOptionalNumber(s.max, v); },
     [](const Settings& s, std::string& v) { return GetOptionalNumber(s.max, v); }},
};

const EntryRule* FindRule(const std::string& name) {
    for (const EntryRule& rule : kRules) {
        if (name == rule.name) {
            return &rule;
        }
    }
    return nullptr;
}

// Values beyond the type's range would make the conversion back undefined, so they stop at its ends.
template <typename T>
T ClampedTo(T value, const std::optional<double>& min, const std::optional<double>& max) {
    double limited = static_cast<double>(value);
    if (min && limited < *min) {
        limited = *min;
    }
    if (max && limited > *max) {
        limited = *max;
    }
    if (limited == static_cast<double>(value)) {
        return value;
    }
    limited = std::clamp(limited, static_cast<double>(std::numeric_limits<T>::lowest()),
                         static_cast<double>(std::numeric_limits<T>::max()));
    return static_cast<T>(limited);
}

}  // namespace

std::unique_ptr<Entry> Entry::MakeVariable(std::string name, const VariableBinding& binding) {
    auto entry = std::make_unique<Entry>(Kind::Variable, std::move(name));
    entry->binding_ = binding;
    return entry;
}

std::unique_ptr<Entry> Entry::MakeButton(std::string name, TwButtonCallback callback, void* clientData) {
    auto entry = std::make_unique<Entry>(Kind::Button, std::move(name));
    entry->buttonCallback_ = callback;
    entry->buttonClientData_ = clientData;
    return entry;
}

Entry::Entry(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {
    settings_.label = name_;
}

bool Entry::SetAttribute(const std::string& name, const std::string& value, std::string& error) {
    if (name == "keyboardfocus") {
        if (value != "true" && value != "false") {
            error = "'keyboardfocus' wants true or false, not '" + value + "'";
            return false;
        }
        focusRequested_ = value == "true" && kind_ == Kind::Variable;
        return true;
    }
    const EntryRule* rule = FindRule(name);
    if (rule == nullptr) {
        return extras_.Store(name, value, error);
    }
    Settings changed = settings_;
    if (!rule->set(changed, value)) {
        error = "'" + name + "' wants " + rule->expects + ", not '" + value + "'";
        return false;
    }
    settings_ = changed;
    openedRequested_ = openedRequested_ || name == "opened";
    return true;
}

bool Entry::GetAttribute(const std::string& name, std::string& value, std::string& error) const {
    if (name == "readonly") {
        value = BoolText(IsReadOnly());
        return true;
    }
    const EntryRule* rule = FindRule(name);
    const bool found = rule != nullptr ? rule->get(settings_, value) : extras_.Find(name, value);
    if (!found) {
        error = "'" + name + "' is not set";
    }
    return found;
}

bool Entry::IsReadOnly() const {
    return settings_.readOnly || (binding_ && !binding_->CanWrite());
}

TweakValue Entry::Read() const {
    return binding_ ? binding_->Read() : TweakValue();
}

bool Entry::ApplyEdit(TweakValue value) {
    if (!binding_ || IsReadOnly() || !binding_->Fits(value)) {
        return false;
    }
    Clamp(value);
    return binding_->Write(value);
}

bool Entry::Press() {
    if (kind_ != Kind::Button || buttonCallback_ == nullptr || settings_.readOnly) {
        return false;
    }
    // Copied out first: the callback may delete this entry.
    const TwButtonCallback callback = buttonCallback_;
    void* const clientData = buttonClientData_;
    callback(clientData);
    return true;
}

bool Entry::TakeFocusRequest() const {
    const bool requested = focusRequested_;
    focusRequested_ = false;
    return requested;
}

bool Entry::TakeOpenedRequest() {
    const bool requested = openedRequested_;
    openedRequested_ = false;
    return requested;
}

void Entry::Clamp(TweakValue& value) const {
    std::visit(
        [this](auto& typed) {
            using T = std::decay_t<decltype(typed)>;
            if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
                typed = ClampedTo(typed, settings_.min, settings_.max);
            }
        },
        value);
}

}  // namespace Tweak
