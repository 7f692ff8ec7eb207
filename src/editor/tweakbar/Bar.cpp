// Bars and their attributes.
#include "editor/tweakbar/Bar.h"

#include "editor/tweakbar/ValueText.h"

namespace Tweak {

namespace {

using Settings = Bar::Settings;

// Far beyond any screen, yet small enough that no sum of them overflows.
constexpr int kMaxCoordinate = 100000;

struct BarRule {
    const char* name;
    const char* expects;
    bool (*set)(Settings&, const std::string&);
    void (*get)(const Settings&, std::string&);
    bool placesWindow;
};

bool SetPoint(Bar::Point& point, const std::string& text, int min) {
    int values[2];
    if (!ParseInts(text, values, 2, min, kMaxCoordinate)) {
        return false;
    }
    point = {values[0], values[1]};
    return true;
}

std::string PointText(const Bar::Point& point) {
    const int values[2] = {point.x, point.y};
    return IntsText(values, 2);
}

const BarRule kRules[] = {
    {"label", "any text",
     [](Settings& s, const std::string& v) {
         s.label = v;
         return true;
     },
     [](const Settings& s, std::string& v) { v = s.label; }, false},
    {"position", "two whole numbers, 'x y'",
     [](Settings& s, const std::string& v) { return SetPoint(s.position, v, -kMaxCoordinate); },
     [](const Settings& s, std::string& v) { v = PointText(s.position); }, true},
    {"size", "two positive whole numbers, 'width height'",
     [](Settings& s, const std::string& v) { return SetPoint(s.size, v, 1); },
     [](const Settings& s, std::string& v) { v = PointText(s.size); }, true},
    {"color", "three numbers from 0 to 255, 'red green blue'",
     [](Settings& s, const std::string& v) { return ParseInts(v, s.color, 3, 0, 255); },
     [](const Settings& s, std::string& v) { v = IntsText(s.color, 3); }, false},
    {"alpha", "a number from 0 to 255",
     [](Settings& s, const std::string& v) { return ParseInts(v, &s.alpha, 1, 0, 255); },
     [](const Settings& s, std::string& v) { v = std::to_string(s.alpha); }, false},
    {"iconified", "true or false",
     [](Settings& s, const std::string& v) { return ParseBool(v, s.iconified); },
     [](const Settings& s, std::string& v) { v = BoolText(s.iconified); }, true},
    {"visible", "true or false", [](Settings& s, const std::string& v) { return ParseBool(v, s.visible); },
     [](const Settings& s, std::string& v) { v = BoolText(s.visible); }, true},
    {"resizable", "true or false",
     [](Settings& s, const std::string& v) { return ParseBool(v, s.resizable); },
     [](const Settings& s, std::string& v) { v = BoolText(s.resizable); }, false},
    {"movable", "true or false", [](Settings& s, const std::string& v) { return ParseBool(v, s.movable); },
     [](const Settings& s, std::string& v) { v = BoolText(s.movable); }, false},
    {"valueswidth", "a positive whole number",
     [](Settings& s, const std::string& v) { return ParseInts(v, &s.valuesWidth, 1, 1, kMaxCoordinate); },
     [](const Settings& s, std::string& v) { v = std::to_string(s.valuesWidth); }, false},
};

const BarRule* FindRule(const std::string& name) {
    for (const BarRule& rule : kRules) {
        if (name == rule.name) {
            return &rule;
        }
    }
    return nullptr;
}

}  // namespace

Bar::Bar(std::string name, unsigned serial) : name_(std::move(name)), serial_(serial) {
    settings_.label = name_;
}

bool Bar::SetAttribute(const std::string& name, const std::string& value, std::string& error) {
    const BarRule* rule = FindRule(name);
    if (rule == nullptr) {
        return extras_.Store(name, value, error);
    }
    Settings changed = settings_;
    if (!rule->set(changed, value)) {
        error = "'" + name + "' of bar '" + name_ + "' wants " + rule->expects + ", not '" + value + "'";
        return false;
    }
    settings_ = changed;
    placementRequested_ = placementRequested_ || rule->placesWindow;
    return true;
}

bool Bar::GetAttribute(const std::string& name, std::string& value, std::string& error) const {
    if (const BarRule* rule = FindRule(name)) {
        rule->get(settings_, value);
        return true;
    }
    if (!extras_.Find(name, value)) {
        error = "'" + name + "' of bar '" + name_ + "' is not set";
        return false;
    }
    return true;
}

bool Bar::SetEntryAttribute(Entry& entry, const std::string& name, const std::string& value,
                            std::string& error) {
    const bool done =
        name == "group" ? entries_.AssignGroup(entry, value, error) : entry.SetAttribute(name, value, error);
    if (!done) {
        error = "'" + entry.Name() + "' of bar '" + name_ + "': " + error;
    }
    return done;
}

bool Bar::GetEntryAttribute(const Entry& entry, const std::string& name, std::string& value,
                            std::string& error) const {
    if (name == "group") {
        value = entry.Group() != nullptr ? entry.Group()->Name() : "";
        return true;
    }
    if (!entry.GetAttribute(name, value, error)) {
        error = "'" + entry.Name() + "' of bar '" + name_ + "': " + error;
        return false;
    }
    return true;
}

bool Bar::TakePlacementRequest() {
    const bool requested = placementRequested_;
    placementRequested_ = false;
    return requested;
}

void Bar::FollowWindow(Point position, Point size, bool iconified) {
    settings_.position = position;
    // A collapsed window measures only its title; the size to restore is the one from before.
    if (!iconified) {
        settings_.size = size;
    }
    settings_.iconified = iconified;
}

}  // namespace Tweak
